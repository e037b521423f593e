#include "dialogs/messagehook.h"
#include "mainwindowfixture.h"
#include "options/styleregistry.h"
#include "options/toptform.h"
#include "optionsfixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
const QString kExisting = QStringLiteral("<existing file>");
}

class TestOptionsDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void settingsFile_data();
    void settingsFile();
    void everyChange_enablesSave_andSaveWritesThreeLines();
    void failedSave_isReported_andSaveStaysEnabled();
    void noSettingsFolder_usesDefaults_writesNothing_andSaysSo();
    void designList_order_allVisible_andSavedNameSelected_data();
    void designList_order_allVisible_andSavedNameSelected();
    void choosingALook_appliesAtOnce_andTheMainWindowStoresIt();
    void printAndStandardButtons_runTheMainWindowsActions();
    void minimisingWithoutATray_leavesTheWindowRestorable();
    void uncheckingTheTrayWhileHidden_bringsTheWindowBack();

private:
    ThrowAwayHome *m_home = nullptr;
};

void TestOptionsDialog::initTestCase()
{
    m_home = new ThrowAwayHome;
}

void TestOptionsDialog::cleanup()
{
    design::trySetStyle(design::kSystemLook);
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestOptionsDialog::settingsFile_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("tray");
    QTest::addColumn<bool>("minimer");
    QTest::addColumn<QString>("startProgFilename");
    QTest::addColumn<QString>("caption");

    const QString udfoer = QStringLiteral("Udfør");
    const QString fjern = QStringLiteral("Fjern");
    QTest::newRow("missing") << false << QStringList() << true << false << QString() << udfoer;
    QTest::newRow("0 1 empty") << true << QStringList{u"0"_s, u"1"_s, QString()} << false << true
                               << QString() << udfoer;
    QTest::newRow("third line names a file") << true << QStringList{u"1"_s, u"0"_s, kExisting}
                                             << true << false << kExisting << fjern;
    QTest::newRow("third line names nothing") << true
                                              << QStringList{u"1"_s, u"1"_s, u"/ingen/sådan.desktop"_s}
                                              << true << true << u"/ingen/sådan.desktop"_s << udfoer;
    QTest::newRow("two lines") << true << QStringList{u"0"_s, u"1"_s} << false << true << QString()
                               << udfoer;
    QTest::newRow("only 0") << true << QStringList{u"0"_s} << false << false << QString() << udfoer;
    QTest::newRow("only empty") << true << QStringList{QString()} << true << false << QString() << udfoer;
    QTest::newRow("first not a number") << true << QStringList{u"ja"_s, u"1"_s, kExisting} << true
                                        << false << QString() << udfoer;
    QTest::newRow("second not a number") << true << QStringList{u"0"_s, u"1x"_s, kExisting} << false
                                         << false << QString() << udfoer;
    QTest::newRow("lowest byte decides") << true << QStringList{u"256"_s, u"257"_s, QString()}
                                         << false << true << QString() << udfoer;
}

void TestOptionsDialog::settingsFile()
{
    QFETCH(bool, present);
    QFETCH(QStringList, lines);
    QFETCH(bool, tray);
    QFETCH(bool, minimer);
    QFETCH(QString, startProgFilename);
    QFETCH(QString, caption);

    TestDataRoot root;
    const QString existing = root.file(QStringLiteral("Retterum.desktop"));
    root.writeBytes(QStringLiteral("Retterum.desktop"), "[Desktop Entry]\n");
    lines.replaceInStrings(kExisting, existing);
    startProgFilename.replace(kExisting, existing);
    if (present)
        TestDataRoot::writeListAt(settingsFolder(root) + QStringLiteral("optUnit.txt"), lines);

    MainWindowFixture fixture(root);
    // The start reads the file without making the dialog, and must read it as the dialog does.
    QVERIFY(!optform.existing());
    const options::OptUnit atStart = Toptform::startOptions(mainform->optDir);
    QVERIFY(!optform.existing());
    QCOMPARE(atStart.tray, tray);
    QCOMPARE(atStart.minimer, minimer);
    QCOMPARE(atStart.startProgFilename, startProgFilename);

    QCOMPARE(optform->optFilnavn, mainform->optDir + QStringLiteral("optUnit.txt"));
    QCOMPARE(optform->trayCheck->isChecked(), tray);
    QCOMPARE(optform->minimerCheck->isChecked(), minimer);
    QCOMPARE(optform->startProgFilename, startProgFilename);
    QCOMPARE(optform->startProgDoButton->text(), caption);
    QVERIFY(!optform->gemButton->isEnabled());
}

void TestOptionsDialog::everyChange_enablesSave_andSaveWritesThreeLines()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    mainform->optButtonClick();
    QVERIFY(optform->isVisible());
    QVERIFY(!optform->isModal());
    QVERIFY(mainform->TrayIcon->isVisible());

    QTest::mouseClick(optform->trayCheck, Qt::LeftButton);
    QVERIFY(!mainform->TrayIcon->isVisible()); // at once
    QVERIFY(optform->gemButton->isEnabled());
    QTest::mouseClick(optform->gemButton, Qt::LeftButton);
    QVERIFY(!optform->gemButton->isEnabled());
    const QString relative = optform->optFilnavn.mid(root.path().size() + 1);
    QCOMPARE(root.readList(relative), (QStringList{u"0"_s, u"0"_s, QString()}));
    QCOMPARE(QFile(optform->optFilnavn).size(), 8); // "0\r\n0\r\n\r\n": list-file line ends

    QTest::mouseClick(optform->minimerCheck, Qt::LeftButton);
    QVERIFY(optform->gemButton->isEnabled());
    QVERIFY(!mainform->isMinimized()); // only at the next start
    QTest::mouseClick(optform->trayCheck, Qt::LeftButton);
    QVERIFY(mainform->TrayIcon->isVisible());
    optform->close(); // closing saves nothing
    QVERIFY(!optform->isVisible());
    QCOMPARE(root.readList(relative), (QStringList{u"0"_s, u"0"_s, QString()}));
    mainform->optButtonClick();
    QVERIFY(optform->gemButton->isEnabled()); // the values stayed in memory
    QTest::mouseClick(optform->gemButton, Qt::LeftButton);
    QCOMPARE(root.readList(relative), (QStringList{u"1"_s, u"1"_s, QString()}));
}

void TestOptionsDialog::failedSave_isReported_andSaveStaysEnabled()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(QDir().mkpath(optform->optFilnavn)); // a folder where the file should be
    QTest::mouseClick(optform->minimerCheck, Qt::LeftButton);
    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->gemButton, Qt::LeftButton);
    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith(u"Error: "_s) && shown.first().contains(u"kan ikke gemmes"_s),
             qPrintable(shown.first()));
    QVERIFY(optform->gemButton->isEnabled());
    QVERIFY(QFileInfo(optform->optFilnavn).isDir());
}

void TestOptionsDialog::noSettingsFolder_usesDefaults_writesNothing_andSaysSo()
{
    TestDataRoot root;
    QVERIFY(QDir(root.file(QStringLiteral("Brugere"))).removeRecursively());
    MainWindowFixture fixture(root);
    QVERIFY(optform->optFilnavn.isEmpty());
    QVERIFY(optform->trayCheck->isChecked());
    MessageHook::queue(MessageHook::Answer::Ok); // the start message about the private folder
    QVERIFY(fixture.showAndActivate());
    MessageHook::takeShown();

    QTest::mouseClick(optform->trayCheck, Qt::LeftButton);
    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->gemButton, Qt::LeftButton);
    QCOMPARE(MessageHook::takeShown(),
             QStringList{u"Information: Egenskaberne kan ikke gemmes, fordi du ikke har nogen mappe "
                         "til dine indstillinger."_s});
    QVERIFY(optform->gemButton->isEnabled());

    MessageHook::queue(MessageHook::Answer::Ok);
    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->startProgDoButton, Qt::LeftButton);
    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.last(), u"Information: Programmet kan ikke indføres som startprogram, fordi du "
                           "ikke har nogen mappe til dine indstillinger."_s);
    QVERIFY(!optform->startProgTimer->isActive());
    QVERIFY(!QDir(root.file(QStringLiteral("Brugere"))).exists());
}

void TestOptionsDialog::designList_order_allVisible_andSavedNameSelected_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("look");
    QTest::newRow("default") << QString() << u"Windows"_s << u"Windows"_s;
    QTest::newRow("other case") << u"sKY"_s << u"Sky"_s << u"Sky"_s;
    QTest::newRow("no such look") << u"Marsmand"_s << QString() << u"Windows"_s;
}

void TestOptionsDialog::designList_order_allVisible_andSavedNameSelected()
{
    QFETCH(QString, saved);
    QFETCH(QString, selected);
    QFETCH(QString, look);
    TestDataRoot root;
    if (!saved.isEmpty())
        writeMainSettings(root, saved);
    MainWindowFixture fixture(root);

    QStringList names;
    for (int i = 0; i < optform->designBox->count(); ++i)
        names << optform->designBox->itemText(i);
    QCOMPARE(names, (QStringList{u"Windows"_s, u"Iceberg Classico"_s, u"Lavender Classico"_s,
                                 u"Smokey Quartz Kamri"_s, u"Windows10 Clear Day"_s, u"Windows10"_s,
                                 u"Sky"_s, u"Windows11 Modern Light"_s}));
    QCOMPARE(optform->designBox->currentText(), selected);
    QCOMPARE(optform->designBox->currentIndex() < 0, selected.isEmpty());
    QCOMPARE(design::currentStyle(), look);
    QVERIFY(!optform->gemButton->isEnabled()); // selecting at creation is no change

    if (!saved.isEmpty() && selected.isEmpty())
        MessageHook::queue(MessageHook::Answer::Ok); // the unknown name, told at activation
    QVERIFY(fixture.showAndActivate());
    MessageHook::takeShown();
    mainform->optButtonClick();
    optform->designBox->showPopup();
    QAbstractItemView *list = optform->designBox->view();
    QTRY_VERIFY(list->isVisible());
    QCOMPARE(list->model()->rowCount(), 8);
    QVERIFY(!list->verticalScrollBar()->isVisible());
    QVERIFY(list->visualRect(list->model()->index(7, 0)).bottom() <= list->viewport()->height());
    optform->designBox->hidePopup();
}

void TestOptionsDialog::choosingALook_appliesAtOnce_andTheMainWindowStoresIt()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    mainform->optButtonClick();
    const QColor before = mainform->palette().color(QPalette::Window);

    optform->designBox->setFocus();
    QTest::keyClicks(optform->designBox, QStringLiteral("sk")); // keyboard search picks "Sky"
    QCOMPARE(optform->designBox->currentText(), u"Sky"_s);
    QCOMPARE(design::currentStyle(), u"Sky"_s);
    QCOMPARE(mainform->DesignName, u"Sky"_s);
    QVERIFY(optform->gemButton->isEnabled());
    QVERIFY(mainform->palette().color(QPalette::Window) != before);
    QCOMPARE(optform->palette().color(QPalette::Window), mainform->palette().color(QPalette::Window));

    optform->close();
    QCOMPARE(design::currentStyle(), u"Sky"_s); // closing without saving keeps the look
    QVERIFY(!QFileInfo::exists(optform->optFilnavn));
    QVERIFY(mainform->close());
    const QString settings = mainform->optfil.mid(root.path().size() + 1);
    QCOMPARE(root.readList(settings).value(13), u"Sky"_s);
}

void TestOptionsDialog::printAndStandardButtons_runTheMainWindowsActions()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    // Each print button is the main window's own print action: its caption, hint and enabled
    // state, and a click triggers it.
    const QList<std::pair<QToolButton *, QAction *>> printButtons{
        {optform->SpeedButton3, mainform->AudskrivIngredienser},
        {optform->SpeedButton1, mainform->AudskrivOpskrift},
        {optform->infButton, mainform->AudskrivBegge}};
    for (const auto &[button, action] : printButtons) {
        QVERIFY(action);
        QCOMPARE(button->defaultAction(), action);
        QCOMPARE(button->text(), action->text());
        QCOMPARE(button->statusTip(), action->statusTip());
        action->setEnabled(false);
        QVERIFY(!button->isEnabled());
        action->setEnabled(true);
        QVERIFY(button->isEnabled());
    }

    QToolButton *standard = optform->SpeedButton4;
    QCOMPARE(standard->text(), u"Standard"_s);
    QCOMPARE(standard->statusTip(), u"Sæt programstørrelser"_s);
    QVERIFY(!standard->icon().isNull());
    QVERIFY(fixture.showAndActivate());
    mainform->optButtonClick();
    QList<int> sizes = mainform->mainPanel2->sizes();
    sizes[0] += 30;
    sizes[1] -= 30;
    mainform->mainPanel2->setSizes(sizes);
    QTest::mouseMove(mainform);
    QTRY_VERIFY(standard->isEnabled());
    QTest::mouseClick(standard, Qt::LeftButton);
    QVERIFY(mainform->hasStandardSizes());
    QTest::mouseMove(mainform);
    QTRY_VERIFY(!standard->isEnabled());
}

void TestOptionsDialog::minimisingWithoutATray_leavesTheWindowRestorable()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    QVERIFY(optform->trayCheck->isChecked());
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable()); // as on a desktop without a panel
    mainform->showMinimized();
    QTRY_VERIFY(mainform->isMinimized());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QVERIFY(mainform->isVisible()); // minimised, not gone
    emit mainform->TrayIcon->activated(QSystemTrayIcon::Trigger);
    QTRY_VERIFY(!mainform->isMinimized());
}

void TestOptionsDialog::uncheckingTheTrayWhileHidden_bringsTheWindowBack()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    mainform->optButtonClick();
    QVERIFY(optform->isVisible());
    mainform->hide(); // as minimising into the tray does
    QVERIFY(optform->isVisible());
    QTest::mouseClick(optform->trayCheck, Qt::LeftButton);
    QVERIFY(!mainform->TrayIcon->isVisible());
    QVERIFY(mainform->isVisible());
    QVERIFY(!mainform->isMinimized());
    // Checking it again while the window is shown changes nothing else.
    QTest::mouseClick(optform->trayCheck, Qt::LeftButton);
    QVERIFY(mainform->TrayIcon->isVisible());
    QVERIFY(mainform->isVisible());
}

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"

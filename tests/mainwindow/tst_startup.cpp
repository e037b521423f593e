#include "app/sessionend.h"
#include "dialogs/pngfile.h"
#include "dialogs/tinfform.h"
#include "dialogs/tredigeringsform.h"
#include "dialogs/tspform.h"
#include "editor/editoractions.h"
#include "editor/fontbox.h"
#include "editor/fontlist.h"
#include "editor/fontpanel.h"
#include "editor/statusline.h"
#include "information/tinfoform.h"
#include "mainwindow/listbox.h"
#include "mainwindow/windowface.h"
#include "mainwindowfixture.h"
#include "options/toptform.h"
#include "printing/tinvisform.h"
#include "printing/tprintform.h"
#include "store/areascan.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPixmapCache>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QToolBar>

#include <csignal>
#include <cstring>
#include <ctime>

#include <link.h>
#include <sys/time.h>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    // First: it asks which image plugins the process has loaded so far.
    void firstFrame_loadsNoImagePlugin_trayIconAndClipboardFollowIt();
    void pixmapCacheKey_isTheKeyQPixmapLooksUp();
    void newUser_getsPrivateFolderAndSettingsFolder();
    void leftoverTemporaryFilesInSettings_goAtStartWhenOld();
    void missingUsersRoot_isToldOnceAndGivesDefaults();
    void onlyTheMainWindowIsMadeAtStart_theOthersWhenFirstUsed();
    void readMode_makesNoWritePanels_writeModeMakesThemOnceInPlace();
    void familyInstalled_asksForTheFamilyItself_data();
    void familyInstalled_asksForTheFamilyItself();
    void windowFace_isAnInstalledFaceAt9Points();
    void trayIconAndWindow_haveHintAndIcon();
    void information_togglesTheHelpWindow();
    void minimiseAtStart_andTrayClickRestores();
    void sigterm_closesInOrderAndWritesTheSettings();
    void standardSizes_enabledExactlyWhenTheyWouldChangeSomething();
};

void TestStartup::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

namespace {

const QString kGroupBoxPicture = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

bool imagePluginLoaded()
{
    return dl_iterate_phdr([](dl_phdr_info *info, size_t, void *) {
        return std::strstr(info->dlpi_name, "/imageformats/") ? 1 : 0;
    }, nullptr) != 0;
}

} // namespace

void TestStartup::firstFrame_loadsNoImagePlugin_trayIconAndClipboardFollowIt()
{
    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion")); // draws group boxes from a picture
    QVERIFY(!imagePluginLoaded());
    TestDataRoot root;
    MainWindowFixture fixture(root);
    mainform->FormActivate(); // activated before the first frame, as under a window manager
    QVERIFY(!mainform->opstart);
    QVERIFY(!mainform->TrayIcon->isVisible());

    // Before the first frame the paste command doesn't ask the clipboard, even for a field that
    // takes text.
    QApplication::clipboard()->setText(QStringLiteral("Smør"));
    mainform->show();
    QApplication::setActiveWindow(mainform);
    mainform->hovedKatEdit->setFocus();
    QCOMPARE(QApplication::focusWidget(), mainform->hovedKatEdit);
    QVERIFY(!mainform->firstFrameOut());
    mainform->updateActions();
    QVERIFY(!mainform->editorActions->EditPaste1->isEnabled());

    QTRY_VERIFY(mainform->firstFrameOut());
    QVERIFY(mainform->TrayIcon->isVisible());
    QVERIFY(mainform->opstartValg->isVisible());
    QTRY_VERIFY(mainform->editorActions->EditPaste1->isEnabled()); // asked once the frame is out
    QVERIFY(!imagePluginLoaded());
}

void TestStartup::pixmapCacheKey_isTheKeyQPixmapLooksUp()
{
    QPixmap marked(4, 4);
    marked.fill(Qt::red);
    QPixmapCache::insert(pixmapCacheKey(kGroupBoxPicture), marked);
    QCOMPARE(QPixmap(kGroupBoxPicture).toImage().pixelColor(1, 1), QColor(Qt::red));
    QPixmapCache::clear();
    QVERIFY(QPixmap(kGroupBoxPicture).toImage().pixelColor(1, 1) != QColor(Qt::red));
}

void TestStartup::newUser_getsPrivateFolderAndSettingsFolder()
{
    TestDataRoot root;
    const QString user = Tmainform::GetUserFromWindows();
    MainWindowFixture fixture(root);
    const QFileInfo userFolder(root.file(QStringLiteral("Brugere/") + user));
    QVERIFY(userFolder.isDir());
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
        | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QCOMPARE(userFolder.permissions() & (owner | others), owner); // mode 0700
    QVERIFY(QFileInfo(userFolder.filePath() + QStringLiteral("/Indstillinger")).isDir());
    QCOMPARE(mainform->brugernavn, user);
    QCOMPARE(mainform->grundDir, root.file(QStringLiteral("Program")));
    QCOMPARE(mainform->optDir, root.file(QStringLiteral("Brugere/%1/Indstillinger/").arg(user)));
    QCOMPARE(mainform->optfil, mainform->optDir + QStringLiteral("indstillinger.txt"));
}

void TestStartup::leftoverTemporaryFilesInSettings_goAtStartWhenOld()
{
    TestDataRoot root;
    const QString settings = root.file(QStringLiteral("Brugere/%1/Indstillinger/").arg(Tmainform::GetUserFromWindows()));
    const QString old = settings + QStringLiteral(".retterum-1f2e.tmp");
    const QString oldDraft = settings + QStringLiteral("Kladder/.retterum-3c4d.tmp");
    const QString fresh = settings + QStringLiteral(".retterum-9a9b.tmp");
    for (const QString &file : {old, oldDraft, fresh}) {
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("halv");
    }
    const timeval times[2] = {{std::time(nullptr) - store::kTemporaryFileLifeSecs - 60, 0},
                              {std::time(nullptr) - store::kTemporaryFileLifeSecs - 60, 0}};
    for (const QString &file : {old, oldDraft})
        QCOMPARE(::utimes(QFile::encodeName(file).constData(), times), 0);

    MainWindowFixture fixture(root);
    QVERIFY(!QFileInfo::exists(old));
    QVERIFY(!QFileInfo::exists(oldDraft));
    QVERIFY(QFileInfo::exists(fresh)); // may be a save of another window going on right now
}

void TestStartup::missingUsersRoot_isToldOnceAndGivesDefaults()
{
    TestDataRoot root;
    QVERIFY(QDir(root.file(QStringLiteral("Brugere"))).removeRecursively());
    {
        MainWindowFixture fixture(root);
        // Without a private folder there is no settings file: said once, at the start.
        MessageHook::queue(MessageHook::Answer::Ok);
        QVERIFY(fixture.showAndActivate());
        QCOMPARE(mainform->MainSize, 10);
        QCOMPARE(mainform->hovedKatBox->count(), 0);
        QCOMPARE(mainform->brugerOpstart, 0);
        const QStringList shown = MessageHook::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().contains(QStringLiteral("kan ikke oprettes")), qPrintable(shown.first()));
        QVERIFY(mainform->close());
    }
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestStartup::onlyTheMainWindowIsMadeAtStart_theOthersWhenFirstUsed()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    QVERIFY(!infform.existing());
    QVERIFY(!spform.existing());
    QVERIFY(!redigeringsform.existing());
    QVERIFY(!optform.existing());
    QVERIFY(!invisform.existing());
    QVERIFY(!printform.existing());
    QVERIFY(!infoform.existing());

    const QList<QWidget *> dialogs{infform, spform, redigeringsform, optform, printform, infoform};
    for (QWidget *window : dialogs) {
        QVERIFY(window);
        QCOMPARE(window->parentWidget(), mainform);
        QVERIFY(!window->isVisible());
    }
    QVERIFY(invisform);
    QVERIFY(!invisform->isVisible());
    QCOMPARE(optform->trayCheck->isChecked(), true);
    QCOMPARE(optform->minimerCheck->isChecked(), false);

    // Made once: the next use gets the same window.
    QWidget *options = optform;
    QCOMPARE(static_cast<QWidget *>(optform), options);
}

void TestStartup::readMode_makesNoWritePanels_writeModeMakesThemOnceInPlace()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    QCOMPARE(mainform->programMode, 0);
    QVERIFY(!mainform->fontPanel.existing());
    QVERIFY(!mainform->toolPanel.existing());
    QVERIFY(mainform->findChildren<QComboBox *>().isEmpty());
    QVERIFY(mainform->findChildren<QToolBar *>().isEmpty());
    // Reading follows the caret without a panel to show it in.
    QTest::mouseClick(mainform->Editor->viewport(), Qt::LeftButton, {}, QPoint(40, 20));

    mainform->modeGroup->button(1)->click();
    FontPanel *panel = mainform->fontPanel.existing();
    QToolBar *bar = mainform->toolPanel.existing();
    QVERIFY(panel && bar);
    QVERIFY(panel->isVisible() && bar->isVisible());
    // Between the title and the editor, in that order.
    const QLayout *centre = mainform->mainPanel3->layout();
    QCOMPARE(centre->indexOf(mainform->opskriftLabel), 0);
    QCOMPARE(centre->indexOf(panel), 1);
    QCOMPARE(centre->indexOf(bar), 2);
    QCOMPARE(centre->indexOf(mainform->Editor), 3);
    // Showing the font the start chose and where the caret stands.
    // The installed fonts, and the faces named so far that fontconfig has stand-ins for.
    QStringList listed;
    for (int i = 0; i < panel->nameBox->count(); ++i)
        listed << panel->nameBox->itemText(i);
    const QStringList installed = installedFontNames();
    for (const QString &name : installed)
        QVERIFY2(listed.removeOne(name), qPrintable(name));
    FontList fresh;
    fresh.readInstalled();
    for (const QString &name : std::as_const(listed))
        QCOMPARE(fresh.entry(name), name);
    QCOMPARE(panel->nameBox->currentText(), mainform->Mainfont);
    QCOMPARE(panel->sizeBox->currentText(), QString::number(mainform->MainSize));
    QCOMPARE(panel->Info->panelText(2), QStringLiteral("1"));
    QCOMPARE(panel->Info->panelText(4), QStringLiteral("1,0"));

    // Made once: reading hides them, writing shows the same ones again.
    mainform->modeGroup->button(0)->click();
    QVERIFY(!panel->isVisible() && !bar->isVisible());
    mainform->modeGroup->button(1)->click();
    QCOMPARE(mainform->fontPanel.existing(), panel);
    QCOMPARE(mainform->findChildren<FontPanel *>().size(), 1);
    QVERIFY(panel->isVisible());
}

void TestStartup::familyInstalled_asksForTheFamilyItself_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("installed");
    QTest::newRow("installed") << QStringLiteral("DejaVu Sans") << true;
    QTest::newRow("in other case") << QStringLiteral("dejavu sans") << true;
    // fontconfig would give a stand-in for these; the question is whether they are there.
    QTest::newRow("missing") << QStringLiteral("Retterum No Such Face") << false;
    QTest::newRow("generic name") << QStringLiteral("sans-serif") << false;
}

void TestStartup::familyInstalled_asksForTheFamilyItself()
{
    QFETCH(QString, family);
    QFETCH(bool, installed);
    QCOMPARE(familyInstalled(family), installed);
}

// The windows' face is one the font system has, so no text starts with a search for stand-ins.
void TestStartup::windowFace_isAnInstalledFaceAt9Points()
{
    const QFont face = windowFace();
    QCOMPARE(face.pointSize(), 9);
    QCOMPARE(QFontInfo(face).family(), face.family());
    QCOMPARE(face.family() == QStringLiteral("Segoe UI"), familyInstalled(QStringLiteral("Segoe UI")));
}

void TestStartup::trayIconAndWindow_haveHintAndIcon()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QCOMPARE(mainform->TrayIcon->toolTip(), QStringLiteral("Retterum"));
    QVERIFY(!mainform->TrayIcon->icon().pixmap(16).isNull());
    QVERIFY(!mainform->windowIcon().pixmap(32).isNull());
    QVERIFY(!mainform->TrayIcon->isVisible()); // until the first activation
}

void TestStartup::information_togglesTheHelpWindow()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    QCOMPARE(mainform->aInformation->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(mainform->aInformation->statusTip(), QStringLiteral("Åbner eller lukker Informationen: F1"));
    QTest::keyClick(mainform, Qt::Key_F1);
    QTRY_VERIFY(infoform->isVisible());
    mainform->aInformation->trigger();
    QVERIFY(!infoform->isVisible());
}

void TestStartup::minimiseAtStart_andTrayClickRestores()
{
    TestDataRoot root;
    TestDataRoot::writeListAt(root.file(QStringLiteral("Brugere/%1/Indstillinger/optUnit.txt")
                                            .arg(Tmainform::GetUserFromWindows())),
                              {QStringLiteral("1"), QStringLiteral("1")});
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    QVERIFY(!optform.existing());
    QVERIFY(mainform->TrayIcon->isVisible()); // at once: the window may go there before any frame
    QTRY_VERIFY(mainform->isMinimized());
    QVERIFY(!mainform->hovedKatEdit->isVisibleTo(mainform)); // mode and area applied all the same
    QCOMPARE(mainform->windowTitle(), Tmainform::GetUserFromWindows() + QStringLiteral(": Retterum"));

    emit mainform->TrayIcon->activated(QSystemTrayIcon::Context); // no menu, nothing happens
    QVERIFY(mainform->isMinimized());
    emit mainform->TrayIcon->activated(QSystemTrayIcon::Trigger);
    QTRY_VERIFY(!mainform->isMinimized());
    QVERIFY(mainform->isVisible());
}

void TestStartup::sigterm_closesInOrderAndWritesTheSettings()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    closeInOrderAtSessionEnd(qApp);
    QVERIFY(fixture.showAndActivate());
    QSignalSpy closed(mainform, &Tmainform::closed);
    QVERIFY(!QFileInfo::exists(mainform->optfil));
    QCOMPARE(::raise(SIGTERM), 0);
    QTRY_COMPARE(closed.count(), 1);
    QVERIFY(!mainform->isVisible());
    QCOMPARE(root.readList(mainform->optfil.mid(root.path().size() + 1)).size(), 14);
}

void TestStartup::standardSizes_enabledExactlyWhenTheyWouldChangeSomething()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    QVERIFY(mainform->hasStandardSizes());
    QTRY_VERIFY(!mainform->aProgSizes->isEnabled());

    const QPoint before = mainform->pos();
    QList<int> sizes = mainform->mainPanel2->sizes();
    sizes[0] += 25;
    sizes[1] -= 25;
    mainform->mainPanel2->setSizes(sizes);
    QTest::mouseMove(mainform); // any input lets the update handlers run
    QTRY_VERIFY(mainform->aProgSizes->isEnabled());

    mainform->aProgSizes->trigger();
    QCOMPARE(mainform->rightPanel1->height(), 300);
    QVERIFY(mainform->hasStandardSizes());
    QCOMPARE(mainform->pos(), before);
    QTest::mouseMove(mainform);
    QTRY_VERIFY(!mainform->aProgSizes->isEnabled());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

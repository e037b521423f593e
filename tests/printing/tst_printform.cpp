#include "dialogs/modaldialog.h"
#include "mainwindowfixture.h"
#include "printdialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QString settingsFile()
{
    return QStringLiteral("Brugere/%1/Indstillinger/printoptions.txt").arg(Tmainform::GetUserFromWindows());
}

QStringList fieldTexts()
{
    return {printform->Edit1->text(), printform->Edit2->text(), printform->Edit3->text(),
            printform->Edit4->text(), printform->Edit5->text()};
}

const QStringList kDefaults{QStringLiteral("2,5"), QStringLiteral("1"), QStringLiteral("2"),
                            QStringLiteral("1,5"), QStringLiteral("1")};

QLineEdit *field(int number)
{
    return QList<QLineEdit *>{printform->Edit1, printform->Edit2, printform->Edit3,
                              printform->Edit4, printform->Edit5}.at(number - 1);
}

} // namespace

class TestPrintform : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fieldFilter_data();
    void fieldFilter();
    void typingInTheMiddle_putsTheCaretAtTheEnd();
    void standard_restoresTheDefaultsAndStaysOpen();
    void values_keptForTheRunOnly();
    void emptyField_stillClosesWithPrint();
    void firstShowing_at300_andEveryCloseWritesTopThenLeft();
    void storedPosition_placesTheFirstShowing();
    void faultyPositionFile_isReportedAndReadAgainNextTime_data();
    void faultyPositionFile_isReportedAndReadAgainNextTime();
    void positionFileThatCantBeWritten_isReportedAndTheDialogCloses();
    void noSettingsFolder_defaultsAndWritesNothing();
    void keys_onlyAFocusedButtonAnswersEnter();
    void closeBox_cancels();
    void focus_firstEdit1ThenWhereItWasLeft();
    void tabOrder();

private:
    void startProgram();

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestPrintform::init()
{
    m_root = std::make_unique<TestDataRoot>();
    startProgram();
}

void TestPrintform::startProgram()
{
    m_fixture.reset();
    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
}

void TestPrintform::cleanup()
{
    m_fixture.reset();
    m_root.reset();
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestPrintform::fieldFilter_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("paste"); // whole text at once, otherwise key by key
    QTest::addColumn<QString>("after");

    QTest::newRow("letter after 2,5") << 1 << "2,5" << "a" << false << "2,5";
    QTest::newRow("1.5 cm pasted: the point is no decimal sign") << 1 << "" << "1.5 cm" << true << "15";
    QTest::newRow("xy2,5z pasted") << 2 << "" << "xy2,5z" << true << "2,5";
    QTest::newRow("-3 pasted in copies") << 5 << "" << "-3" << true << "3";
    QTest::newRow("no comma in copies") << 5 << "" << "2,5" << true << "25";
    QTest::newRow("point typed in a margin") << 3 << "2" << ".5" << false << "25";
    QTest::newRow("other digit forms and signs") << 4 << "" << u"\u0661\u00BD\u00B2\uFF13+1e3"_qs << true << "13";
    QTest::newRow("commas kept where they stand") << 3 << "" << ",1,,2," << true << ",1,,2,";
}

void TestPrintform::fieldFilter()
{
    QFETCH(int, number);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(bool, paste);
    QFETCH(QString, after);
    QLineEdit *edit = field(number);
    edit->setText(before);
    if (paste)
        edit->insert(typed);
    else
        QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), after);
    QCOMPARE(edit->cursorPosition(), after.size());
}

void TestPrintform::typingInTheMiddle_putsTheCaretAtTheEnd()
{
    QLineEdit *edit = printform->Edit1;
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_1);
    QCOMPARE(edit->text(), QStringLiteral("12,5"));
    QCOMPARE(edit->cursorPosition(), 4);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("12,"));
}

void TestPrintform::standard_restoresTheDefaultsAndStaysOpen()
{
    const int result = openPrintDialog([] {
        for (int i = 1; i <= 5; ++i)
            field(i)->setText(QStringLiteral("7"));
        QTest::mouseClick(printform->Button1, Qt::LeftButton);
        QCOMPARE(fieldTexts(), kDefaults);
        QVERIFY(printform->isVisible());
        QTest::mouseClick(printform->Button2, Qt::LeftButton);
    });
    QCOMPARE(result, int(mrCancel));
}

void TestPrintform::values_keptForTheRunOnly()
{
    const QStringList typed{QStringLiteral("3"), QStringLiteral("0,5"), QStringLiteral("1"),
                            QStringLiteral("4"), QStringLiteral("2")};
    openPrintDialog([&typed] {
        for (int i = 1; i <= 5; ++i) {
            field(i)->clear();
            QTest::keyClicks(field(i), typed.at(i - 1));
        }
        QTest::mouseClick(printform->Button2, Qt::LeftButton);
    });
    openPrintDialog([&typed] {
        QCOMPARE(fieldTexts(), typed);
        QTest::mouseClick(printform->Button2, Qt::LeftButton);
    });
    startProgram();
    QCOMPARE(fieldTexts(), kDefaults);
}

void TestPrintform::emptyField_stillClosesWithPrint()
{
    const int result = openPrintDialog([] {
        printform->Edit3->clear();
        QTest::mouseClick(printform->Button3, Qt::LeftButton);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(printform->Edit3->text(), QString());
}

void TestPrintform::firstShowing_at300_andEveryCloseWritesTopThenLeft()
{
    openPrintDialog([] {
        QCOMPARE(printform->pos(), QPoint(300, 300));
        printform->move(340, 120);
        QTest::mouseClick(printform->Button2, Qt::LeftButton);
    });
    QCOMPARE(m_root->readList(settingsFile()), (QStringList{QStringLiteral("120"), QStringLiteral("340")}));

    // Later showings stay where the dialog was left, whatever the file says meanwhile.
    m_root->writeList(settingsFile(), {QStringLiteral("10"), QStringLiteral("10")});
    openPrintDialog([] {
        QCOMPARE(printform->pos(), QPoint(340, 120));
        QTest::mouseClick(printform->Button3, Qt::LeftButton);
    });
    QCOMPARE(m_root->readList(settingsFile()), (QStringList{QStringLiteral("120"), QStringLiteral("340")}));
}

void TestPrintform::storedPosition_placesTheFirstShowing()
{
    m_root->writeList(settingsFile(), {QStringLiteral("150"), QStringLiteral("420")});
    openPrintDialog([] {
        QCOMPARE(printform->pos(), QPoint(420, 150));
        QTest::mouseClick(printform->Button2, Qt::LeftButton);
    });
    QVERIFY(!printform->opstart);
}

void TestPrintform::faultyPositionFile_isReportedAndReadAgainNextTime_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("top"); // applied before the fault, -1 for none

    QTest::newRow("letters on line 1") << QStringList{QStringLiteral("abc"), QStringLiteral("400")}
                                       << QStringLiteral("Linje 1 i filen \"%1\" er ikke et helt tal: \"abc\".") << -1;
    QTest::newRow("letters on line 2") << QStringList{QStringLiteral("250"), QStringLiteral("4x")}
                                       << QStringLiteral("Linje 2 i filen \"%1\" er ikke et helt tal: \"4x\".") << 250;
    QTest::newRow("one line") << QStringList{QStringLiteral("250")}
                              << QStringLiteral("Filen \"%1\" har ikke de to linjer med dialogens placering.") << 250;
}

void TestPrintform::faultyPositionFile_isReportedAndReadAgainNextTime()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, error);
    QFETCH(int, top);
    m_root->writeList(settingsFile(), lines);
    MessageHook::queue(MessageHook::Answer::Ok);
    const int result = openPrintDialog([top] {
        if (top >= 0)
            QCOMPARE(printform->y(), top);
        printform->move(360, 160);
        QTest::mouseClick(printform->Button3, Qt::LeftButton);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(MessageHook::takeShown(), QStringList{u"Error: "_qs + error.arg(m_root->file(settingsFile()))});
    QVERIFY(printform->opstart);

    // The close wrote two good lines, and the next showing reads the file again.
    QCOMPARE(m_root->readList(settingsFile()), (QStringList{QStringLiteral("160"), QStringLiteral("360")}));
    m_root->writeList(settingsFile(), {QStringLiteral("170"), QStringLiteral("380")});
    openPrintDialog([] {
        QCOMPARE(printform->pos(), QPoint(380, 170));
        QTest::mouseClick(printform->Button2, Qt::LeftButton);
    });
    QVERIFY(!printform->opstart);
    QCOMPARE(MessageHook::takeShown(), QStringList());
}

void TestPrintform::positionFileThatCantBeWritten_isReportedAndTheDialogCloses()
{
    // A folder where the file should be: no write succeeds, not even as root.
    QVERIFY(QDir().mkpath(m_root->file(settingsFile())));
    MessageHook::queue(MessageHook::Answer::Ok); // reading it fails at the first showing
    MessageHook::queue(MessageHook::Answer::Ok); // writing it fails at the close
    const int result = openPrintDialog([] { QTest::mouseClick(printform->Button3, Qt::LeftButton); });
    QCOMPARE(result, int(mrOk));
    QVERIFY(!printform->isVisible());
    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(1), u"Error: Filen \""_qs + m_root->file(settingsFile()) + u"\" kan ikke gemmes."_qs);
}

void TestPrintform::noSettingsFolder_defaultsAndWritesNothing()
{
    QTemporaryDir current;
    const QString before = QDir::currentPath();
    QDir::setCurrent(current.path());
    Tprintform *withFolder = printform;
    Tprintform withoutFolder(nullptr, QString());
    printform = &withoutFolder;
    const int result = openPrintDialog([] {
        QCOMPARE(printform->pos(), QPoint(300, 300));
        QTest::mouseClick(printform->Button3, Qt::LeftButton);
    });
    printform = withFolder;
    QDir::setCurrent(before);
    QCOMPARE(result, int(mrOk));
    QCOMPARE(QDir(current.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QCOMPARE(MessageHook::takeShown(), QStringList());
}

void TestPrintform::keys_onlyAFocusedButtonAnswersEnter()
{
    const int result = openPrintDialog([] {
        QTest::keyClick(printform->Edit1, Qt::Key_Return);
        QTest::keyClick(printform->Edit5, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(printform->Edit2, Qt::Key_Escape);
        QVERIFY(printform->isVisible());
        printform->Button3->setFocus(Qt::TabFocusReason);
        QTest::keyClick(printform->Button3, Qt::Key_Return);
    });
    QCOMPARE(result, int(mrOk));
    QVERIFY(!printform->Button1->isDefault() && !printform->Button2->isDefault() && !printform->Button3->isDefault());
}

void TestPrintform::closeBox_cancels()
{
    const int result = openPrintDialog([] { closeWithCloseBox(printform); });
    QCOMPARE(result, int(mrCancel));
    QVERIFY(QFile::exists(m_root->file(settingsFile())));
}

void TestPrintform::focus_firstEdit1ThenWhereItWasLeft()
{
    openPrintDialog([] {
        QCOMPARE(printform->focusWidget(), printform->Edit1);
        QTest::mouseClick(printform->Button3, Qt::LeftButton);
    });
    openPrintDialog([] {
        QCOMPARE(printform->focusWidget(), printform->Button3);
        printform->Edit4->setFocus(Qt::TabFocusReason);
        closeWithCloseBox(printform);
    });
    openPrintDialog([] {
        QCOMPARE(printform->focusWidget(), printform->Edit4);
        QTest::mouseClick(printform->Button2, Qt::LeftButton);
    });
}

void TestPrintform::tabOrder()
{
    openPrintDialog([] {
        QStringList order;
        for (int i = 0; i < 8; ++i) {
            order.append(printform->focusWidget()->objectName());
            QTest::keyClick(printform->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{u"Edit1"_qs, u"Edit2"_qs, u"Edit3"_qs, u"Edit4"_qs, u"Button1"_qs,
                                     u"Button2"_qs, u"Button3"_qs, u"Edit5"_qs}));
        QCOMPARE(printform->focusWidget(), printform->Edit1);
        QTest::mouseClick(printform->Button2, Qt::LeftButton);
    });
}

QTEST_MAIN(TestPrintform)
#include "tst_printform.moc"

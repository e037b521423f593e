#include "mainwindowfixture.h"

#include "editor/fontbox.h"
#include "editor/fontpanel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QSplitter>
#include <QTextEdit>

class TestMainSettings : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void hugeNumbersAndLongNames_areBounded();
    void settingsFile_data();
    void settingsFile();
    void firstClose_writesTheFourteenLines();
    void closeAfterChanges_writesCurrentValues();
    void closeWhileMaximised_reopensNormalWithThoseBounds();

private:
    TestDataRoot *m_root = nullptr;
    QString settingsPath(const TestDataRoot &root) const
    {
        return root.paths().settingsDir(Tmainform::GetUserFromWindows()) + u"indstillinger.txt";
    }
};

void TestMainSettings::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

// The first activation turns the saved font into an entry of the font list: the installed
// font of that name, or the first of the list when it is not installed.
static QString listFont(Tmainform *w, const QString &saved)
{
    const FontBox *box = w->fontPanel->nameBox;
    const int index = box->findText(saved, Qt::MatchFixedString);
    return box->itemText(index >= 0 ? index : 0);
}

static QStringList validLines()
{
    return {QStringLiteral("120"), QStringLiteral("80"), QStringLiteral("1100"),
            QStringLiteral("700"), QStringLiteral("250"), QStringLiteral("210"),
            QStringLiteral("320"), QStringLiteral("280"), QStringLiteral("Georgia"),
            QStringLiteral("12"), QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("Verdana"), QStringLiteral("Lavender Classico")};
}

// Another hand in the settings file: every list still shows, and a name is cut to a name.
void TestMainSettings::hugeNumbersAndLongNames_areBounded()
{
    TestDataRoot root;
    QStringList lines = validLines();
    for (int i = 4; i <= 7; ++i)
        lines[i] = QStringLiteral("2147483647");
    lines[9] = QStringLiteral("2147483647");
    lines[13] = QString(10 * 1024 * 1024, u'x');
    root.writeList(settingsPath(root).mid(root.path().size() + 1), lines);

    MainWindowFixture fixture(root);
    Tmainform *w = fixture.window();
    QVERIFY(w->DesignName.size() <= 256);
    QVERIFY(w->MainSize <= 400);
    MessageHook::queue(MessageHook::Answer::Ok); // the unknown look is told
    QVERIFY(fixture.showAndActivate());
    for (QWidget *list : {static_cast<QWidget *>(w->hovedKatBox), static_cast<QWidget *>(w->underKatBox),
                          static_cast<QWidget *>(w->opskriftBox), static_cast<QWidget *>(w->ingrediensBox),
                          static_cast<QWidget *>(w->Editor)}) {
        QVERIFY2(list->width() > 20 && list->height() > 20, qPrintable(list->objectName()));
    }
    MessageHook::takeShown();
    w->close();
}

void TestMainSettings::settingsFile_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected"); // the values the window then holds, as written back

    const QStringList defaults{QStringLiteral("200"), QStringLiteral("400"), QStringLiteral("1057"),
                               QStringLiteral("678"), QStringLiteral("233"), QStringLiteral("200"),
                               QStringLiteral("300"), QStringLiteral("300"), QStringLiteral("Courier New"),
                               QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("1"),
                               QStringLiteral("Courier New"), QStringLiteral("Windows")};
    QStringList thirteen = validLines();
    thirteen.removeLast();
    QStringList withUnit = validLines();
    withUnit[9] = QStringLiteral("10pt");

    QTest::newRow("missing file gives defaults") << false << QStringList() << defaults;
    QTest::newRow("13 lines give defaults") << true << thirteen << defaults;
    QTest::newRow("size with unit gives defaults") << true << withUnit << defaults;
    QTest::newRow("valid file is taken whole") << true << validLines() << validLines();
}

void TestMainSettings::settingsFile()
{
    QFETCH(bool, present);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);

    TestDataRoot root;
    if (present)
        root.writeList(settingsPath(root).mid(root.path().size() + 1), lines);

    {
        MainWindowFixture fixture(root);
        Tmainform *w = fixture.window();
        QCOMPARE(w->Mainfont, expected[8]);
        QCOMPARE(w->MainSize, expected[9].toInt());
        QCOMPARE(w->programMode, expected[10].toInt());
        QCOMPARE(w->brugerOpstart, expected[11].toInt());
        QCOMPARE(w->standardFont, expected[12]);
        QCOMPARE(w->DesignName, expected[13]);
        QCOMPARE(w->Editor->document()->defaultFont().family(), expected[8]);

        QVERIFY(fixture.showAndActivate());
        const QRect frame = w->frameGeometry();
        QCOMPARE(frame.top(), expected[0].toInt());
        QCOMPARE(frame.left(), expected[1].toInt());
        QCOMPARE(frame.width(), expected[2].toInt());
        QCOMPARE(frame.height(), expected[3].toInt());
        QCOMPARE(w->mainPanel1->width(), expected[4].toInt());
        QCOMPARE(w->mainPanel2->width(), expected[5].toInt());
        QCOMPARE(w->bottomPanel->height(), expected[6].toInt());
        QCOMPARE(w->rightPanel1->height(), expected[7].toInt());
        QCOMPARE(w->programMode != 0, w->fontPanel->isVisibleTo(w));
        expected[8] = listFont(w, expected[8]);
        QCOMPARE(w->Mainfont, expected[8]);
        w->close();
    }
    QCOMPARE(root.readList(settingsPath(root).mid(root.path().size() + 1)), expected);
}

void TestMainSettings::firstClose_writesTheFourteenLines()
{
    TestDataRoot root;
    const QString relative = settingsPath(root).mid(root.path().size() + 1);
    QVERIFY(!QFileInfo::exists(root.file(relative)));
    QByteArray font;
    {
        MainWindowFixture fixture(root);
        QVERIFY(fixture.showAndActivate());
        font = listFont(fixture.window(), QStringLiteral("Courier New")).toLatin1();
        fixture.window()->close();
    }
    QFile written(root.file(relative));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(),
             "200\r\n400\r\n1057\r\n678\r\n233\r\n200\r\n300\r\n300\r\n" + font
                 + "\r\n10\r\n0\r\n1\r\nCourier New\r\nWindows\r\n");
}

void TestMainSettings::closeAfterChanges_writesCurrentValues()
{
    TestDataRoot root;
    const QString relative = settingsPath(root).mid(root.path().size() + 1);
    {
        MainWindowFixture fixture(root);
        Tmainform *w = fixture.window();
        QVERIFY(fixture.showAndActivate());
        w->modeGroup->button(1)->click();
        w->opstartGroup->button(0)->click();
        w->move(300, 150);
        QSplitter *columns = w->mainSplitter;
        QList<int> sizes = columns->sizes();
        sizes[1] -= 40;
        sizes[0] += 40;
        columns->setSizes(sizes);
        QTRY_COMPARE(w->mainPanel1->width(), 273);
        w->close();
    }
    const QStringList lines = root.readList(relative);
    QCOMPARE(lines.size(), 14);
    QCOMPARE(lines.mid(0, 2), (QStringList{QStringLiteral("150"), QStringLiteral("300")}));
    QCOMPARE(lines[4], QStringLiteral("273"));
    QCOMPARE(lines[10], QStringLiteral("1"));
    QCOMPARE(lines[11], QStringLiteral("0"));
}


void TestMainSettings::closeWhileMaximised_reopensNormalWithThoseBounds()
{
    TestDataRoot root;
    QRect maximised;
    {
        MainWindowFixture fixture(root);
        QVERIFY(fixture.showAndActivate());
        mainform->showMaximized();
        QTRY_VERIFY(mainform->isMaximized());
        QTRY_VERIFY(mainform->frameGeometry().width() != 1057);
        maximised = mainform->frameGeometry();
        mainform->close();
    }
    const QStringList lines = root.readList(settingsPath(root).mid(root.path().size() + 1));
    QCOMPARE(lines.mid(0, 4), (QStringList{QString::number(maximised.top()), QString::number(maximised.left()),
                                           QString::number(maximised.width()), QString::number(maximised.height())}));
    MainWindowFixture again(root);
    QVERIFY(again.showAndActivate());
    QVERIFY(!mainform->isMaximized());
    QCOMPARE(mainform->frameGeometry(), maximised);
}

QTEST_MAIN(TestMainSettings)
#include "tst_mainsettings.moc"

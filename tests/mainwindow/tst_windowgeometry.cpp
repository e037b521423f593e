// Window numbers from the settings file, however wrong, put the window on the screen: here a
// 1600×1000 screen at scale 1.5, where even the default window is too tall.
#include "mainwindow/mainsettings.h"
#include "mainwindowfixture.h"

#include <QScreen>
#include <QSplitter>

class TestWindowGeometry : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void storedGeometry_landsOnTheScreen_data();
    void storedGeometry_landsOnTheScreen();
    void storedPanelSizes_leaveRoomAndAreWrittenAsShown_data();
    void storedPanelSizes_leaveRoomAndAreWrittenAsShown();
};

void TestWindowGeometry::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestWindowGeometry::storedGeometry_landsOnTheScreen_data()
{
    QTest::addColumn<QStringList>("numbers"); // top, left, width, height; empty: no settings file
    QTest::addColumn<QRect>("expected"); // an empty size: the smallest the window can be

    // The available screen is 1067×667 logical pixels.
    QTest::newRow("defaults are too tall") << QStringList() << QRect(10, 0, 1057, 667);
    QTest::newRow("fits as stored") << QStringList{QStringLiteral("50"), QStringLiteral("60"), QStringLiteral("700"), QStringLiteral("500")}
                                    << QRect(60, 50, 700, 500);
    QTest::newRow("far up and left") << QStringList{QStringLiteral("-30000"), QStringLiteral("-30000"), QStringLiteral("700"), QStringLiteral("500")}
                                     << QRect(0, 0, 700, 500);
    QTest::newRow("far down and right") << QStringList{QStringLiteral("30000"), QStringLiteral("30000"), QStringLiteral("700"), QStringLiteral("500")}
                                        << QRect(367, 167, 700, 500);
    QTest::newRow("largest numbers") << QStringList{QStringLiteral("2147483647"), QStringLiteral("2147483647"), QStringLiteral("2147483647"), QStringLiteral("2147483647")}
                                     << QRect(0, 0, 1067, 667);
    QTest::newRow("smallest numbers") << QStringList{QStringLiteral("-2147483648"), QStringLiteral("-2147483648"), QStringLiteral("-2147483648"), QStringLiteral("-2147483648")}
                                      << QRect(0, 0, 0, 0);
    QTest::newRow("no size") << QStringList{QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("0")}
                             << QRect(100, 100, 0, 0);
}

void TestWindowGeometry::storedGeometry_landsOnTheScreen()
{
    QFETCH(QStringList, numbers);
    QFETCH(QRect, expected);

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(available.size(), QSize(1067, 667));

    TestDataRoot root;
    const QString settings = QStringLiteral("Brugere/%1/Indstillinger/indstillinger.txt").arg(Tmainform::GetUserFromWindows());
    if (!numbers.isEmpty())
        root.writeList(settings, numbers + MainSettings().toLines().mid(4));
    {
        MainWindowFixture fixture(root);
        QVERIFY(fixture.showAndActivate());
        Tmainform *w = fixture.window();
        if (expected.isEmpty()) {
            QVERIFY(w->width() >= 320 && w->height() >= 240);
            expected.setSize(w->frameGeometry().size());
        }
        QCOMPARE(w->frameGeometry(), expected);
        QVERIFY(available.contains(w->frameGeometry()));
        w->close();
    }
    // Written back as it was shown, so the next start is on the screen too.
    const QStringList written = root.readList(settings).mid(0, 4);
    QCOMPARE(written, (QStringList{QString::number(expected.top()), QString::number(expected.left()),
                                   QString::number(expected.width()), QString::number(expected.height())}));
}

void TestWindowGeometry::storedPanelSizes_leaveRoomAndAreWrittenAsShown_data()
{
    QTest::addColumn<QStringList>("panels"); // left and right column widths, the lower heights

    const QString big = QStringLiteral("2147483647");
    const QString zero = QStringLiteral("0");
    QTest::newRow("left wide, lower left tall") << QStringList{big, zero, big, zero};
    QTest::newRow("right wide, lower right tall") << QStringList{zero, big, zero, big};
    QTest::newRow("all largest") << QStringList{big, big, big, big};
    QTest::newRow("all smallest") << QStringList(4, QStringLiteral("-2147483648"));
    QTest::newRow("together just wider than the window")
        << QStringList{QStringLiteral("600"), QStringLiteral("500"), QStringLiteral("300"), QStringLiteral("300")};
}

void TestWindowGeometry::storedPanelSizes_leaveRoomAndAreWrittenAsShown()
{
    QFETCH(QStringList, panels);

    TestDataRoot root;
    const QString settings = QStringLiteral("Brugere/%1/Indstillinger/indstillinger.txt").arg(Tmainform::GetUserFromWindows());
    const QStringList lines = MainSettings().toLines();
    root.writeList(settings, lines.mid(0, 4) + panels + lines.mid(8));
    QStringList shown;
    for (int start = 0; start < 2; ++start) {
        MainWindowFixture fixture(root);
        QVERIFY(fixture.showAndActivate());
        Tmainform *w = fixture.window();
        // What takes the rest of a splitter keeps a quarter of it; every list stays usable.
        QVERIFY2(w->mainPanel3->width() >= w->mainSplitter->width() / 4 - 6, qPrintable(QString::number(w->mainPanel3->width())));
        QVERIFY(w->topPanel->height() >= w->mainPanel1->height() / 4 - 3);
        QVERIFY(w->rightPanel2->height() >= w->mainPanel2->height() / 4 - 3);
        for (QWidget *list : {static_cast<QWidget *>(w->hovedKatBox), static_cast<QWidget *>(w->underKatBox),
                              static_cast<QWidget *>(w->opskriftBox), static_cast<QWidget *>(w->ingrediensBox)})
            QVERIFY2(list->width() > 20 && list->height() > 20, qPrintable(list->objectName()));
        const QStringList now{QString::number(w->mainPanel1->width()), QString::number(w->mainPanel2->width()),
                              QString::number(w->bottomPanel->height()), QString::number(w->rightPanel1->height())};
        w->close();
        // Written back as shown, and shown so again at the next start (to a pixel: a list's
        // least size is known to one only once it is on screen).
        QCOMPARE(root.readList(settings).mid(4, 4), now);
        for (int i = 0; i < shown.size(); ++i)
            QVERIFY2(std::abs(now.at(i).toInt() - shown.at(i).toInt()) <= 1, qPrintable(now.join(u' ') + u" / " + shown.join(u' ')));
        shown = now;
    }
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"

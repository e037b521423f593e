// Window numbers from the settings file, however wrong, put the window on the screen: here a
// 1600×1000 screen at scale 1.5, where even the default window is too tall.
#include "mainwindow/mainsettings.h"
#include "mainwindowfixture.h"

#include <QScreen>

class TestWindowGeometry : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void storedGeometry_landsOnTheScreen_data();
    void storedGeometry_landsOnTheScreen();
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

QTEST_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"

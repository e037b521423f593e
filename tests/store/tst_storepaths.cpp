#include "store/storepaths.h"

#include <QtTest>

using store::StorePaths;

class TestStorePaths : public QObject {
    Q_OBJECT

private slots:
    void recipeFiles_followTheNames();
    void userFolders_data();
    void userFolders();
};

void TestStorePaths::recipeFiles_followTheNames()
{
    const StorePaths paths(QStringLiteral("/opt/Retterum/"));
    QCOMPARE(paths.programDir(), QStringLiteral("/opt/Retterum/Program"));
    const store::Tree area = paths.areaTree(false, QStringLiteral("karen"));
    const QString underDir = StorePaths::subFolder(area, paths.sharedArea(), QStringLiteral("Desserter"));
    const QString opskriftDir = StorePaths::subFolder(area, underDir, QStringLiteral("Kager"));
    QCOMPARE(StorePaths::descriptionFile(area, opskriftDir, QStringLiteral("Æblekage")),
             QStringLiteral("/opt/Retterum/Brugere/Alle/Desserter/Kager/Æblekage.rtf"));
    QCOMPARE(StorePaths::ingredientFile(area, opskriftDir, QStringLiteral("Æblekage")),
             QStringLiteral("/opt/Retterum/Brugere/Alle/Desserter/Kager/Æblekageliste.txt"));
    QCOMPARE(StorePaths::indexFile(underDir),
             QStringLiteral("/opt/Retterum/Brugere/Alle/Desserter/Index.txt"));
    QCOMPARE(StorePaths::mainCategoryFile(paths.sharedArea()),
             QStringLiteral("/opt/Retterum/Brugere/Alle/Hovedkategori.txt"));
}

void TestStorePaths::userFolders_data()
{
    QTest::addColumn<QString>("brugernavn");
    QTest::addColumn<QString>("privateArea");
    QTest::addColumn<QString>("settingsDir");

    QTest::newRow("ordinary user") << QStringLiteral("karen")
                                   << QStringLiteral("/r/Brugere/karen/")
                                   << QStringLiteral("/r/Brugere/karen/Indstillinger/");
    QTest::newRow("user Alle shares the shared area") << QStringLiteral("Alle")
                                   << QStringLiteral("/r/Brugere/Alle/")
                                   << QStringLiteral("/r/Brugere/Alle/Indstillinger/");
    QTest::newRow("no user name uses the users root") << QString()
                                   << QStringLiteral("/r/Brugere/")
                                   << QStringLiteral("/r/Brugere/Indstillinger/");
}

void TestStorePaths::userFolders()
{
    QFETCH(QString, brugernavn);
    QFETCH(QString, privateArea);
    QFETCH(QString, settingsDir);
    const StorePaths paths(QStringLiteral("/r"));
    QCOMPARE(paths.areaFolder(true, brugernavn), privateArea);
    QCOMPARE(paths.settingsDir(brugernavn), settingsDir);
    QCOMPARE(paths.areaFolder(false, brugernavn), QStringLiteral("/r/Brugere/Alle/"));
}

QTEST_GUILESS_MAIN(TestStorePaths)
#include "tst_storepaths.moc"

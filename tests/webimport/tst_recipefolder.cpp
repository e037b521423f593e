// A folder of recipe folders read as another user could arrange it: nothing read through a
// link, not even one put in the chosen folder's place after it was chosen.
#include "webimport/recipefolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray recipeJson(const QString &name)
{
    return "{\"@context\":\"https://schema.org\",\"@type\":\"Recipe\",\"name\":\"" + name.toUtf8()
        + "\",\"recipeIngredient\":[\"500 g mel\"],\"recipeInstructions\":\"Bag dem.\"}";
}

void write(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestRecipeFolder : public QObject {
    Q_OBJECT

private slots:
    void linkPutInPlaceOfTheChosenFolder_leadsNowhere_data();
    void linkPutInPlaceOfTheChosenFolder_leadsNowhere();
};

void TestRecipeFolder::linkPutInPlaceOfTheChosenFolder_leadsNowhere_data()
{
    QTest::addColumn<QString>("swapped"); // relative to the shared folder
    QTest::newRow("den valgte mappe") << QStringLiteral("opskrifter");
    QTest::newRow("mappen over den") << QStringLiteral("");
}

// The shared folder is another user's: after the scan they put a link in place of the chosen
// folder (or of the folder above it) to the importing user's private folder, laid out alike.
void TestRecipeFolder::linkPutInPlaceOfTheChosenFolder_leadsNowhere()
{
    QFETCH(QString, swapped);
    QTemporaryDir dir;
    const QString shared = dir.filePath(QStringLiteral("delt"));
    const QString privat = dir.filePath(QStringLiteral("privat"));
    write(shared + QStringLiteral("/opskrifter/Boller/recipe.json"), recipeJson(QStringLiteral("Fælles boller")));
    write(privat + QStringLiteral("/opskrifter/Boller/recipe.json"), recipeJson(QStringLiteral("Min hemmelige")));

    const webimport::RecipeFolder folder = webimport::scanRecipeFolder(shared + QStringLiteral("/opskrifter"));
    QCOMPARE(folder.folders, QStringList{QStringLiteral("Boller/")});

    const QString place = swapped.isEmpty() ? shared : shared + u'/' + swapped;
    const QString target = swapped.isEmpty() ? privat : privat + u'/' + swapped;
    QVERIFY(QDir().rename(place, place + QStringLiteral(".gammel")));
    QVERIFY(QFile::link(target, place));

    const webimport::FolderRecipe read = webimport::readFolderRecipe(folder, QStringLiteral("Boller/"));
    QVERIFY2(read.read.ok, qPrintable(read.read.error));
    QCOMPARE(read.read.recipe.name, QStringLiteral("Fælles boller"));
}

QTEST_GUILESS_MAIN(TestRecipeFolder)
#include "tst_recipefolder.moc"

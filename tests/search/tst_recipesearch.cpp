// The search without a window: the text of descriptions, folding, the index over both areas,
// what it refuses to read, and how it follows changes on disk.
#include "fixturebook.h"
#include "search/recipeindex.h"
#include "search/rtfplaintext.h"
#include "search/searchservice.h"
#include "search/textfold.h"
#include "store/listfile.h"
#include "store/storepaths.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace search;

namespace {

const QString kUser = QStringLiteral("testbruger");

QList<AreaSource> areasOf(const TestDataRoot &root)
{
    const store::StorePaths paths = root.paths();
    return {{false, paths.areaTree(false, kUser), paths.areaFolder(false, kUser)},
            {true, paths.areaTree(true, kUser), paths.areaFolder(true, kUser)}};
}

QString where(const Found &f)
{
    return (f.recipe.privat ? QStringLiteral("Private") : QStringLiteral("Alle")) + u'|'
        + f.recipe.hovedKat + u'|' + f.recipe.underKat + u'|' + f.recipe.opskrift;
}

QStringList found(const RecipeIndex &index, const QString &typed)
{
    QStringList names;
    for (const Found &f : index.search(queryWords(typed), 100).shown)
        names.append(where(f));
    names.sort();
    return names;
}

} // namespace

class TestRecipeSearch : public QObject {
    Q_OBJECT

private slots:
    void plainText_data();
    void plainText();
    void queries_data();
    void queries();
    void results_tellWhereAndMarkTheWords();
    void refusedNamesLinksAndPipes_areNeverRead();
    void changesOnDisk_areFoundAfterRefresh();
    void service_buildsWithProgressThenAnswers();
    void service_reportsChangesByOthersAfterAnswering();
    void hardLinkedDescription_isReadAndHeldOnce();
    void outOfMemory_whileIndexing_leavesTheProgramRunning();
    void descriptionsPastTheBudget_areCountedWhereTheyMightMatch();
};

void TestRecipeSearch::plainText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("tables left out")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                      "{\\*\\generator Someone;}\\f0 Hej\\par verden}")
        << QStringLiteral("Hej\nverden");
    QTest::newRow("code page bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \\'e6ble \\'80 5}")
                                     << QStringLiteral("æble € 5");
    QTest::newRow("unicode skips its stand-in")
        << QByteArray("{\\rtf1\\uc1 cr\\u232\\'e8me \\uc2 br\\u251?? \\u-3?}") << QStringLiteral("crème brû \uFFFD");
    QTest::newRow("escaped braces, tab, unknown destination")
        << QByteArray("{\\rtf1 a\\{b\\}\\\\c\\tab d{\\*\\unknownthing secret}e}") << QStringLiteral("a{b}\\c de");
    QTest::newRow("picture data is no text")
        << QByteArray("{\\rtf1 f\\'f8r{\\pict\\pngblip 89504e47}efter}") << QStringLiteral("førefter");
}

void TestRecipeSearch::plainText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(rtfPlainText(rtf), text);
}

void TestRecipeSearch::queries_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    const QString aeblekage = QStringLiteral("Alle|Desserter|Kager|Æblekage");
    const QString creme = QStringLiteral("Alle|Desserter|Kager|Crème brûlée");
    const QString koldskaal = QStringLiteral("Alle|Supper|Kolde|Koldskål");
    const QString laks = QStringLiteral("Private|Hverdag|Fisk|Laks i ovn");
    const QString aal = QStringLiteral("Private|Hverdag|Fisk|Stegt ål");
    QTest::newRow("name in the private area") << QStringLiteral("laks") << QStringList{laks};
    QTest::newRow("ingredient in both recipes") << QStringLiteral("kærnemælk") << QStringList{koldskaal, aeblekage};
    QTest::newRow("word of a description") << QStringLiteral("kammerjunkere") << QStringList{koldskaal};
    QTest::newRow("two words, name and description") << QStringLiteral("koldskål kammerjunkere")
                                                     << QStringList{koldskaal};
    QTest::newRow("two words, ingredient and description") << QStringLiteral("citron dild") << QStringList{laks};
    QTest::newRow("two words in different recipes") << QStringLiteral("laks gær") << QStringList{};
    QTest::newRow("upper case") << QStringLiteral("KÆRNEMÆLK") << QStringList{koldskaal, aeblekage};
    QTest::newRow("creme finds crème") << QStringLiteral("creme") << QStringList{creme};
    QTest::newRow("accents typed find accents") << QStringLiteral("BRÛLÉE") << QStringList{creme};
    QTest::newRow("æble is not able") << QStringLiteral("æble") << QStringList{aeblekage};
    QTest::newRow("able is not æble") << QStringLiteral("table") << QStringList{QStringLiteral("Private|Hverdag|Brød|Grovboller")};
    QTest::newRow("aa is not å") << QStringLiteral("aal") << QStringList{};
    QTest::newRow("å finds å") << QStringLiteral("ål") << QStringList{aal, koldskaal};
    QTest::newRow("no match") << QStringLiteral("chokolade") << QStringList{};
    QTest::newRow("nothing typed") << QStringLiteral("   ") << QStringList{};
}

void TestRecipeSearch::queries()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    TestDataRoot root;
    FixtureBook(root, kUser).writeAll();
    RecipeIndex index(areasOf(root));
    QVERIFY(index.refresh().complete);
    QCOMPARE(index.recipeCount(), 6);
    expected.sort();
    QCOMPARE(found(index, typed), expected);
}

void TestRecipeSearch::results_tellWhereAndMarkTheWords()
{
    TestDataRoot root;
    FixtureBook(root, kUser).writeAll();
    RecipeIndex index(areasOf(root));
    index.refresh();

    // The line of the first word found is the excerpt, the word marked in it.
    const RecipeIndex::Results milk = index.search(queryWords(QStringLiteral("Kærnemælk æble")), 100);
    QCOMPARE(milk.total, 1);
    const Found &cake = milk.shown.first();
    QCOMPARE(cake.places, InName | InIngredients);
    QCOMPARE(cake.excerptPlace, InIngredients);
    QCOMPARE(cake.excerpt, QStringLiteral("500 g æbler"));
    QCOMPARE(cake.marks, (QList<std::pair<int, int>>{{6, 4}}));

    // A word only in the description: its sentence, the word marked.
    const RecipeIndex::Results burner = index.search(queryWords(QStringLiteral("brænder")), 100);
    QVERIFY(!burner.shown.isEmpty());
    const Found &creme = burner.shown.first();
    QCOMPARE(creme.places, int(InDescription));
    QCOMPARE(creme.excerpt, QStringLiteral("Karamelliser sukkeret med en brænder."));
    QCOMPARE(creme.marks, (QList<std::pair<int, int>>{{29, 7}}));

}

// A shared area is writable by everyone: a name like "..", a link to another user's file and
// a pipe planted there must neither be read nor stop the index.
void TestRecipeSearch::refusedNamesLinksAndPipes_areNeverRead()
{
    TestDataRoot root;
    FixtureBook book(root, kUser);
    book.writeAll();
    QTemporaryDir outside;
    QFile secret(outside.path() + QStringLiteral("/hemmelig.rtf"));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write("{\\rtf1 hemmelighed}");
    secret.close();
    const QString kager = root.file(QStringLiteral("Brugere/Alle/Desserter/Kager/"));
    QVERIFY(QFile::remove(kager + QStringLiteral("Æblekage.rtf")));
    QVERIFY(QFile::link(secret.fileName(), kager + QStringLiteral("Æblekage.rtf")));
    const QString pipe = kager + QStringLiteral("Crème brûléeliste.txt");
    QVERIFY(QFile::remove(pipe));
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0666) == 0);
    // ".." as a main category would reach the users root, where the private book lies.
    root.writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"),
                   {QStringLiteral("Desserter"), QStringLiteral(".."), QStringLiteral("Supper")});

    RecipeIndex index(areasOf(root));
    QVERIFY(index.refresh().complete);
    QCOMPARE(found(index, QStringLiteral("hemmelighed")), QStringList{});
    // The pipe gave no ingredients; the main category after ".." is read as usual.
    QCOMPARE(found(index, QStringLiteral("æggeblommer")), QStringList{QStringLiteral("Alle|Supper|Kolde|Koldskål")});
    // The recipe whose file was refused is still found by its name and ingredients.
    QCOMPARE(found(index, QStringLiteral("æbler")), QStringList{QStringLiteral("Alle|Desserter|Kager|Æblekage")});
}

void TestRecipeSearch::changesOnDisk_areFoundAfterRefresh()
{
    TestDataRoot root;
    FixtureBook book(root, kUser);
    book.writeAll();
    RecipeIndex index(areasOf(root));
    index.refresh();
    QVERIFY(!index.refresh().changed);

    // A description written in place by someone else.
    const QString laks = book.privat() + QStringLiteral("Hverdag/Fisk/Laks i ovn.rtf");
    QFile file(root.file(laks));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\\rtf1 Server med kartofler og rejer.}");
    file.close();
    // A recipe renamed in its list, its files moved along; another removed.
    const QString kager = FixtureBook::shared() + QStringLiteral("Desserter/Kager/");
    root.writeList(kager + QStringLiteral("Index.txt"), {QStringLiteral("Æblekage")});
    QVERIFY(QFile::remove(root.file(kager + QStringLiteral("Crème brûlée.rtf"))));
    const QString kolde = FixtureBook::shared() + QStringLiteral("Supper/Kolde/");
    root.writeList(kolde + QStringLiteral("Index.txt"), {QStringLiteral("Kold kærnemælkssuppe")});
    QVERIFY(QFile::rename(root.file(kolde + QStringLiteral("Koldskålliste.txt")),
                          root.file(kolde + QStringLiteral("Kold kærnemælkssuppeliste.txt"))));

    QVERIFY(index.refresh().changed);
    QCOMPARE(found(index, QStringLiteral("rejer")), QStringList{QStringLiteral("Private|Hverdag|Fisk|Laks i ovn")});
    QCOMPARE(found(index, QStringLiteral("dild")), QStringList{});
    QCOMPARE(found(index, QStringLiteral("brænder")), QStringList{});
    QCOMPARE(found(index, QStringLiteral("koldskål")), QStringList{});
    QCOMPARE(found(index, QStringLiteral("suppe æggeblommer")),
             QStringList{QStringLiteral("Alle|Supper|Kolde|Kold kærnemælkssuppe")});
}

void TestRecipeSearch::service_buildsWithProgressThenAnswers()
{
    TestDataRoot root;
    FixtureBook(root, kUser).writeAll();
    SearchService service(areasOf(root));
    QSignalSpy building(&service, &SearchService::building);
    QSignalSpy answered(&service, &SearchService::answered);
    service.search(QStringLiteral("laks"));
    const int second = service.search(QStringLiteral("kærnemælk"));
    QTRY_COMPARE(answered.size(), 1);
    // Only the newest request is answered; the building reached the end of the book.
    const auto results = answered.first().first().value<SearchResults>();
    QCOMPARE(results.serial, second);
    QCOMPARE(results.total, 2);
    QVERIFY(!building.isEmpty());
    QCOMPARE(building.last(), (QList<QVariant>{6, 6}));
}

void TestRecipeSearch::service_reportsChangesByOthersAfterAnswering()
{
    TestDataRoot root;
    FixtureBook book(root, kUser);
    book.writeAll();
    SearchService service(areasOf(root));
    QSignalSpy answered(&service, &SearchService::answered);
    QSignalSpy changed(&service, &SearchService::changedSinceAnswer);
    service.search(QStringLiteral("rejer"));
    QTRY_COMPARE(answered.size(), 1);
    QCOMPARE(answered.last().first().value<SearchResults>().total, 0);

    book.writeDescription(book.privat() + QStringLiteral("Hverdag/Fisk/Stegt ål.rtf"), QStringLiteral("Med rejer."));
    service.search(QStringLiteral("rejer"));
    QTRY_VERIFY(changed.size() + answered.size() >= 2);
    if (answered.last().first().value<SearchResults>().total == 0) {
        QTRY_COMPARE(changed.size(), 1);
        service.search(QStringLiteral("rejer"));
        QTRY_COMPARE(answered.size(), 3);
    }
    QCOMPARE(answered.last().first().value<SearchResults>().total, 1);
}

namespace {

// A description whose plain text is a little over what the index keeps of one.
QByteArray longDescription(const QByteArray &word)
{
    QByteArray rtf = "{\\rtf1\\ansi " + word + " ";
    const QByteArray sentence = "pisk smoer og sukker lyst og luftigt i mange minutter\\par\n";
    while (rtf.size() < search::RecipeIndex::kMaxDescriptionText * 11 / 10)
        rtf += sentence;
    return rtf + "}";
}

// An area of one main category and subcategory holding the recipes named.
QString makeArea(const QTemporaryDir &dir, const QStringList &recipes)
{
    const QString sub = dir.path() + QStringLiteral("/Kager/Lagkager/");
    QDir().mkpath(sub);
    [&] {
        QVERIFY(store::writeListFile(dir.path() + QStringLiteral("/Hovedkategori.txt"), {QStringLiteral("Kager")}));
        QVERIFY(store::writeListFile(dir.path() + QStringLiteral("/Kager/Index.txt"), {QStringLiteral("Lagkager")}));
        QVERIFY(store::writeListFile(sub + QStringLiteral("Index.txt"), recipes));
    }();
    return sub;
}

QString runIndexWorker(const QString &area, int megabytes, const QString &word)
{
    QProcess worker;
    worker.start(QStringLiteral(INDEXWORKER), {area, QString::number(megabytes), word});
    if (!worker.waitForFinished(300000) || worker.exitStatus() != QProcess::NormalExit || worker.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromLocal8Bit(worker.readAllStandardError());
    return QString::fromLatin1(worker.readAllStandardOutput()).trimmed();
}

} // namespace

// Another user links one long description under 300 names: read once, held once.
void TestRecipeSearch::hardLinkedDescription_isReadAndHeldOnce()
{
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names.append(QStringLiteral("Lagkage %1").arg(i));
    const QString sub = makeArea(dir, names);
    const QString first = sub + names.first() + QStringLiteral(".rtf");
    QFile file(first);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(longDescription("kransekage"));
    file.close();
    for (int i = 1; i < names.size(); ++i)
        QCOMPARE(::link(QFile::encodeName(first).constData(), QFile::encodeName(sub + names.at(i) + QStringLiteral(".rtf")).constData()), 0);
    // Copied, the texts would take some 600 MB.
    QCOMPARE(runIndexWorker(dir.path(), 200, QStringLiteral("kransekage")), QStringLiteral("300"));
}

// Distinct long descriptions past what the memory allows: the index gives up, the program lives.
void TestRecipeSearch::outOfMemory_whileIndexing_leavesTheProgramRunning()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer's address space can't be capped");
#endif
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < 60; ++i)
        names.append(QStringLiteral("Lagkage %1").arg(i));
    const QString sub = makeArea(dir, names);
    for (int i = 0; i < names.size(); ++i) {
        QFile file(sub + names.at(i) + QStringLiteral(".rtf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(longDescription("kage" + QByteArray::number(i)));
    }
    QCOMPARE(runIndexWorker(dir.path(), 60, QStringLiteral("kage1")), QStringLiteral("memory"));
}

// Past the budget descriptions are left out; a search says how many of the recipes it did not
// find have a description it could not look in.
void TestRecipeSearch::descriptionsPastTheBudget_areCountedWhereTheyMightMatch()
{
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < 12; ++i)
        names.append(QStringLiteral("Lagkage %1").arg(i));
    const QString sub = makeArea(dir, names);
    QByteArray rtf = "{\\rtf1\\ansi ";
    while (rtf.size() < 8000)
        rtf += "pisk fl\\'f8de og sukker\\par\n";
    for (const QString &name : names) {
        QFile file(sub + name + QStringLiteral(".rtf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rtf + "}");
    }
    const qint64 budget = RecipeIndex::heldTextBudget;
    RecipeIndex::heldTextBudget = 50000; // room for a few
    RecipeIndex index({{false, store::Tree(dir.path(), true), dir.path() + u'/'}});
    index.refresh();
    RecipeIndex::heldTextBudget = budget;

    const RecipeIndex::Results byDescription = index.search(queryWords(QStringLiteral("fløde")), 100);
    QVERIFY2(byDescription.total > 0 && byDescription.total < names.size(), qPrintable(QString::number(byDescription.total)));
    QCOMPARE(byDescription.total + byDescription.unsearched, int(names.size()));
    const RecipeIndex::Results byName = index.search(queryWords(QStringLiteral("lagkage")), 100);
    QCOMPARE(byName.total, int(names.size()));
    QCOMPARE(byName.unsearched, 0);
}

QTEST_MAIN(TestRecipeSearch)
#include "tst_recipesearch.moc"

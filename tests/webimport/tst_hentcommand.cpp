#include "rtf/rtfreader.h"
#include "testdataroot.h"
#include "testhttpserver.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString fixture(const QString &name)
{
    return qEnvironmentVariable("RETTERUM_TEST_SOURCE") + QStringLiteral("/fixtures/") + name;
}

struct Run {
    int code = -1;
    QString out;
    QString err;
};

// Runs the installed command as a user would; the event loop turns meanwhile, so the test's
// own server answers.
Run hent(const QStringList &arguments)
{
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QStringLiteral(RETTERUM_HENT), arguments);
    if (!finished.wait(60000))
        qFatal("retterum-hent did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pageWithPicture(const QString &name, const QString &picture)
{
    return QStringLiteral(R"(<html><head><script type="application/ld+json">{"@type": "Recipe", "name": "%1",
        "image": "%2", "recipeYield": "2 personer", "totalTime": "PT20M",
        "recipeIngredient": ["2 æg", "1 dl mælk"],
        "recipeInstructions": [{"@type": "HowToSection", "name": "Æggene", "itemListElement": [
            {"@type": "HowToStep", "text": "Pisk æggene."}, {"@type": "HowToStep", "text": "Steg dem."}]}]}
        </script></head></html>)").arg(name, picture).toUtf8();
}

} // namespace

class TestHentCommand : public QObject {
    Q_OBJECT
private slots:
    void printsJson_data();
    void printsJson();
    void failsWithDanishMessages_data();
    void failsWithDanishMessages();
    void importsIntoASubcategory();
    void numbersTakenNamesWithoutLimit();
    void importsAFolderOfRecipeFolders();
    void importsAPictureFromThePage();
    void refusesAPictureInsideForAFileFromDisk();
    void refusesAPlaceThatIsNone_data();
    void refusesAPlaceThatIsNone();
    void saysWhatTheArgumentsLack_data();
    void saysWhatTheArgumentsLack();

private:
    void makeBook(TestDataRoot *root);
};

void TestHentCommand::printsJson_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("all keys but the picture") << u"recipe.json"_s
        << QByteArray(R"({"ingredients":["1 dåse kikærter","2 spsk tahin","1 fed hvidløg","saft af ½ citron"],)"
                      R"("name":"Hummus","steps":["Blend det hele.","Smag til med salt."],)"
                      R"("totalTime":"10 min","yield":"1 skål"})");
    QTest::newRow("steps without their section names") << u"type-list-sections.html"_s
        << QByteArray(R"({"ingredients":["3 æg","150 g sukker","500 g jordbær","4 dl piskefløde"],)"
                      R"("name":"Lagkage med jordbær","steps":["Pisk æg og sukker luftigt.",)"
                      R"("Bag tre bunde ved 200 grader.","Pisk fløden.","Læg bunde, fløde og jordbær lagvis."]})");
}

void TestHentCommand::printsJson()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, expected);
    const Run run = hent({QStringLiteral("--json"), fixture(file)});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QJsonObject printed = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QVERIFY(run.out.endsWith(u'\n'));
    QCOMPARE(printed.take(QStringLiteral("source")).toString(), QUrl::fromLocalFile(fixture(file)).toString());
    QCOMPARE(QJsonDocument(printed).toJson(QJsonDocument::Compact), expected);
}

void TestHentCommand::failsWithDanishMessages_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("no recipe") << fixture(QStringLiteral("no-recipe.html")) << 2
                               << u"Siden indeholder ingen opskrift, som kan hentes.\n"_s;
    QTest::newRow("no recipe, served") << u"/ingen"_s << 2 << u"Siden indeholder ingen opskrift, som kan hentes.\n"_s;
    QTest::newRow("not found, served") << u"/findes-ikke"_s << 1 << u"Siden kunne ikke hentes (svar 404 fra serveren).\n"_s;
    QTest::newRow("redirect loop") << u"/ring"_s << 1 << u"Siden viderestiller for mange gange og kunne ikke hentes.\n"_s;
    QTest::newRow("ftp") << u"ftp://127.0.0.1/opskrift.html"_s << 1
                         << u"Kun adresser, der begynder med http:// eller https://, kan hentes.\n"_s;
    QTest::newRow("javascript") << u"javascript:alert(1)"_s << 1
                                << u"Kun adresser, der begynder med http:// eller https://, kan hentes.\n"_s;
    QTest::newRow("not a page") << fixture(QStringLiteral("../tst_pagereader.cpp")) << 2
                                << u"Siden indeholder ingen opskrift, som kan hentes.\n"_s;
    QTest::newRow("a picture") << u"/billede.png"_s << 1 << u"Filen er hverken en webside eller en opskrift.\n"_s;
}

void TestHentCommand::failsWithDanishMessages()
{
    QFETCH(QString, what);
    QFETCH(int, code);
    QFETCH(QString, message);
    TestHttpServer server;
    QVERIFY(server.listen());
    server.serve(QStringLiteral("/ingen"), "<html><body><p>Ingen opskrift.</p></body></html>");
    server.redirect(QStringLiteral("/ring"), QStringLiteral("/ring"));
    server.serve(QStringLiteral("/billede.png"), png(10, 10), "image/png");
    const QString address = what.startsWith(u'/') && !QFileInfo::exists(what) ? server.url(what).toString() : what;
    const Run run = hent({QStringLiteral("--json"), address});
    QCOMPARE(run.code, code);
    QCOMPARE(run.err, message);
    QVERIFY(run.out.isEmpty());
}

void TestHentCommand::makeBook(TestDataRoot *root)
{
    root->writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager")});
    root->writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Småkager")});
    root->writeList(QStringLiteral("Brugere/Alle/Kager/Småkager/Index.txt"), {QStringLiteral("Hummus")});
}

void TestHentCommand::importsIntoASubcategory()
{
    TestDataRoot root;
    makeBook(&root);
    const Run run = hent({QStringLiteral("--til"), QStringLiteral("Alle/Kager/Småkager"), QStringLiteral("--rod"),
                          root.path(), fixture(QStringLiteral("recipe.json")), fixture(QStringLiteral("no-recipe.html")),
                          fixture(QStringLiteral("type-list-sections.html"))});
    QCOMPARE(run.code, 2); // one had no recipe
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), fixture(QStringLiteral("recipe.json")) + QStringLiteral(": indført som \"Hummus (2)\""));
    QCOMPARE(lines.at(1), fixture(QStringLiteral("no-recipe.html"))
                              + QStringLiteral(": Siden indeholder ingen opskrift, som kan hentes."));
    QCOMPARE(lines.at(3), QStringLiteral("2 indført, 1 uden opskrift, 0 fejlede."));

    const QString folder = QStringLiteral("Brugere/Alle/Kager/Småkager/");
    QCOMPARE(root.readList(folder + QStringLiteral("Index.txt")),
             (QStringList{QStringLiteral("Hummus"), QStringLiteral("Hummus (2)"), QStringLiteral("Lagkage med jordbær")}));
    QCOMPARE(root.readList(folder + QStringLiteral("Lagkage med jordbærliste.txt")),
             (QStringList{QStringLiteral("3 æg"), QStringLiteral("150 g sukker"), QStringLiteral("500 g jordbær"),
                          QStringLiteral("4 dl piskefløde")}));

    // The description read back with the program's own reader: sections in bold between the
    // items of one numbered list, and the source last.
    QFile rtfFile(root.file(folder + QStringLiteral("Lagkage med jordbær.rtf")));
    QVERIFY(rtfFile.open(QIODevice::ReadOnly));
    QTextDocument doc;
    rtf::read(rtfFile.readAll(), &doc);
    QStringList items;
    QStringList bold;
    const QTextList *list = nullptr;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (QTextList *l = block.textList()) {
            QVERIFY(!list || l == list);
            list = l;
            QCOMPARE(l->format().style(), QTextListFormat::ListDecimal);
            items << l->itemText(block) + block.text();
        } else if (block.charFormat().fontWeight() >= QFont::Bold || block.begin().fragment().charFormat().fontWeight() >= QFont::Bold) {
            bold << block.text();
        }
    }
    QCOMPARE(items, (QStringList{QStringLiteral("1.Pisk æg og sukker luftigt."),
                                 QStringLiteral("2.Bag tre bunde ved 200 grader."), QStringLiteral("3.Pisk fløden."),
                                 QStringLiteral("4.Læg bunde, fløde og jordbær lagvis.")}));
    QCOMPARE(bold, (QStringList{QStringLiteral("Bunde"), QStringLiteral("Samling")}));
    QCOMPARE(doc.lastBlock().text(),
             QStringLiteral("Kilde: ") + QUrl::fromLocalFile(fixture(QStringLiteral("type-list-sections.html"))).toString());
}

void TestHentCommand::numbersTakenNamesWithoutLimit()
{
    TestDataRoot root;
    makeBook(&root);
    QStringList taken{QStringLiteral("Hummus")};
    for (int n = 2; n <= 1200; ++n)
        taken << QStringLiteral("Hummus (%1)").arg(n);
    root.writeList(QStringLiteral("Brugere/Alle/Kager/Småkager/Index.txt"), taken);
    const Run run = hent({QStringLiteral("--til"), QStringLiteral("Alle/Kager/Småkager"), QStringLiteral("--rod"),
                          root.path(), fixture(QStringLiteral("recipe.json"))});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(QStringLiteral("indført som \"Hummus (1201)\"")), qPrintable(run.out));
    QVERIFY(QFile::exists(root.file(QStringLiteral("Brugere/Alle/Kager/Småkager/Hummus (1201).rtf"))));
}

// As "Fra mappe…" takes it: a folder per recipe, links passed over.
void TestHentCommand::importsAFolderOfRecipeFolders()
{
    TestDataRoot root;
    makeBook(&root);
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    QFile fixtureJson(fixture(QStringLiteral("recipe.json")));
    QVERIFY(fixtureJson.open(QIODevice::ReadOnly));
    const QByteArray hummus = fixtureJson.readAll();
    write(dir.filePath(QStringLiteral("a/recipe.json")), hummus);
    write(dir.filePath(QStringLiteral("b/recipe.json")), "{}");
    write(elsewhere.filePath(QStringLiteral("c/recipe.json")), hummus);
    QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("c")), dir.filePath(QStringLiteral("c"))));

    const Run run = hent({QStringLiteral("--til"), QStringLiteral("Alle/Kager/Småkager"), QStringLiteral("--rod"),
                          root.path(), dir.path()});
    QCOMPARE(run.code, 2); // one folder held no recipe
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts),
             (QStringList{dir.path() + QStringLiteral("/a/: indført som \"Hummus (2)\""),
                          dir.path() + QStringLiteral("/b/: Siden indeholder ingen opskrift, som kan hentes."),
                          dir.path() + QStringLiteral(": 1 mapper eller links blev sprunget over."),
                          QStringLiteral("1 indført, 1 uden opskrift, 0 fejlede.")}));
    const QString folder = QStringLiteral("Brugere/Alle/Kager/Småkager/");
    QCOMPARE(root.readList(folder + QStringLiteral("Index.txt")), (QStringList{QStringLiteral("Hummus"), QStringLiteral("Hummus (2)")}));
    QVERIFY(!root.readList(folder + QStringLiteral("Hummus (2)liste.txt")).isEmpty());
}

void TestHentCommand::importsAPictureFromThePage()
{
    TestDataRoot root;
    makeBook(&root);
    TestHttpServer server;
    QVERIFY(server.listen());
    server.serve(QStringLiteral("/stort.png"), png(1200, 600), "image/png");
    server.serve(QStringLiteral("/falsk.png"), "<html>ikke et billede</html>", "image/png");
    server.serve(QStringLiteral("/med-billede"), pageWithPicture(QStringLiteral("Røræg"), QStringLiteral("/stort.png")));
    server.serve(QStringLiteral("/falsk-billede"),
                 pageWithPicture(QStringLiteral("Spejlæg"), QStringLiteral("falsk.png")));
    const Run run = hent({QStringLiteral("--til"), QStringLiteral("Alle/Kager/Småkager"), QStringLiteral("--rod"),
                          root.path(), server.url(QStringLiteral("/med-billede")).toString(),
                          server.url(QStringLiteral("/falsk-billede")).toString()});
    QVERIFY2(run.code == 0, qPrintable(run.out + run.err));
    QCOMPARE(server.requestCount(QStringLiteral("/stort.png")), 1);
    QCOMPARE(server.requestCount(QStringLiteral("/falsk.png")), 1);

    const auto read = [&root](const QString &name) {
        QFile file(root.file(QStringLiteral("Brugere/Alle/Kager/Småkager/") + name + QStringLiteral(".rtf")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray withPicture = read(QStringLiteral("Røræg"));
    QVERIFY(withPicture.contains("\\pict"));
    QVERIFY(withPicture.contains("\\pngblip") || withPicture.contains("\\jpegblip"));
    QTextDocument doc;
    rtf::read(withPicture, &doc);
    QTextImageFormat image;
    for (QTextBlock::iterator it = doc.begin().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            image = it.fragment().charFormat().toImageFormat();
    }
    QVERIFY(image.isValid());
    const QImage placed = doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    QCOMPARE(placed.width(), 480);
    QCOMPARE(placed.height(), 240);
    QVERIFY(doc.toPlainText().contains(QStringLiteral("Antal: 2 personer\nTid: 20 min\nÆggene\n")));

    // A picture that is none leaves the recipe without one, and the import goes on.
    const QByteArray without = read(QStringLiteral("Spejlæg"));
    QVERIFY(!without.isEmpty());
    QVERIFY(!without.contains("\\pict"));
}

void TestHentCommand::refusesAPictureInsideForAFileFromDisk()
{
    // A page from this machine may show its pictures from here (above); a file from elsewhere
    // that names one here is imported without it, and nothing is asked of this machine.
    TestDataRoot root;
    makeBook(&root);
    TestHttpServer server;
    QVERIFY(server.listen());
    server.serve(QStringLiteral("/hemmelig.png"), png(40, 40), "image/png");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("recipe.json"));
    QFile json(file);
    QVERIFY(json.open(QIODevice::WriteOnly));
    json.write(QByteArray(R"({"@type": "Recipe", "name": "Røræg", "recipeIngredient": ["2 æg"], "image": ")")
               + server.url(QStringLiteral("/hemmelig.png")).toEncoded() + "\"}");
    json.close();

    const Run run = hent({QStringLiteral("--til"), QStringLiteral("Alle/Kager/Småkager"), QStringLiteral("--rod"),
                          root.path(), file});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, file + QStringLiteral(": indført som \"Røræg\" (billedet kunne ikke hentes: Adressen peger på "
                                            "denne computer eller det lokale netværk og hentes ikke.)\n"
                                            "1 indført, 0 uden opskrift, 0 fejlede.\n"));
    QCOMPARE(server.requests(), QStringList());
    QFile rtf(root.file(QStringLiteral("Brugere/Alle/Kager/Småkager/Røræg.rtf")));
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    QVERIFY(!rtf.readAll().contains("\\pict"));
}

void TestHentCommand::refusesAPlaceThatIsNone_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown category") << u"Alle/Brød/Småkager"_s << u"Kategorien \"Brød\" findes ikke.\n"_s;
    QTest::newRow("unknown subcategory") << u"Alle/Kager/Tærter"_s << u"Kategorien \"Tærter\" findes ikke.\n"_s;
    QTest::newRow("too few parts") << u"Alle/Kager"_s << u"Stedet skal skrives som \"Alle/Hovedkategori/Underkategori\".\n"_s;
    QTest::newRow("a path") << u"Alle/../etc"_s << u"Kategorien \"..\" findes ikke.\n"_s;
    QTest::newRow("someone else's area") << u"nogenandenbruger/Kager/Småkager"_s
                                         << u"Kun \"Alle\" eller dit eget brugernavn kan bruges som område.\n"_s;
}

void TestHentCommand::refusesAPlaceThatIsNone()
{
    QFETCH(QString, place);
    QFETCH(QString, message);
    TestDataRoot root;
    makeBook(&root);
    const Run run = hent({QStringLiteral("--til"), place, QStringLiteral("--rod"), root.path(),
                          fixture(QStringLiteral("recipe.json"))});
    QCOMPARE(run.code, 1);
    QCOMPARE(run.err, message);
    QCOMPARE(root.readList(QStringLiteral("Brugere/Alle/Kager/Småkager/Index.txt")), QStringList{QStringLiteral("Hummus")});
}

void TestHentCommand::saysWhatTheArgumentsLack_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString page = fixture(QStringLiteral("array.html"));
    QTest::newRow("a file alone") << QStringList{page} << u"Angiv --json eller --til."_s;
    QTest::newRow("nothing") << QStringList{} << u"Angiv --json eller --til."_s;
    QTest::newRow("both") << QStringList{u"--json"_s, page, u"--til"_s, u"Alle/Kager/Boller"_s, page}
                          << u"Brug enten --json eller --til, ikke begge."_s;
    QTest::newRow("nothing to import") << QStringList{u"--til"_s, u"Alle/Kager/Boller"_s}
                                       << u"Angiv mindst én fil eller adresse, der skal hentes."_s;
    QTest::newRow("json of two") << QStringList{u"--json"_s, page, page}
                                 << u"--json henter én fil eller adresse ad gangen."_s;
}

void TestHentCommand::saysWhatTheArgumentsLack()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run run = hent(arguments);
    QCOMPARE(run.code, 1);
    QCOMPARE(run.err.section(u'\n', 0, 0), message);
    QVERIFY(run.err.section(u'\n', 1).startsWith(u"Brug: retterum-hent"_s));
    QVERIFY(run.out.isEmpty());
}

QTEST_MAIN(TestHentCommand)
#include "tst_hentcommand.moc"

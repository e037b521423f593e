#include "webimport/pagereader.h"
#include "webimport/recipesource.h"
#include "webimport/text.h"

#include <QtTest>

using namespace webimport;

namespace {

QString fixture(const QString &name)
{
    return qEnvironmentVariable("RETTERUM_TEST_SOURCE") + QStringLiteral("/fixtures/") + name;
}

QByteArray fixtureBytes(const QString &name)
{
    QFile file(fixture(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("fixture %s missing", qPrintable(name));
    return file.readAll();
}

// Sections as "name@index" of the step they open, so a table row can say where they stand.
QStringList sectionsOf(const Recipe &recipe)
{
    QStringList out;
    for (qsizetype i = 0; i < recipe.steps.size(); ++i) {
        if (!recipe.steps.at(i).section.isEmpty())
            out << recipe.steps.at(i).section + u'@' + QString::number(i);
    }
    return out;
}

QStringList stepTexts(const Recipe &recipe)
{
    QStringList out;
    for (const Step &step : recipe.steps)
        out << step.text;
    return out;
}

QByteArray recipePage(const QByteArray &jsonLd, const QByteArray &around = QByteArray())
{
    return "<html><head><script type=\"application/ld+json\">" + jsonLd + "</script></head><body>" + around
        + "</body></html>";
}

} // namespace

class TestPageReader : public QObject {
    Q_OBJECT
private slots:
    void readsEveryShape_data();
    void readsEveryShape();
    void readsCharacterSets_data();
    void readsCharacterSets();
    void refusesWhatHoldsNoRecipe_data();
    void refusesWhatHoldsNoRecipe();
    void capsThousandsOfLines();
    void skipsAHugeBlockButReadsTheNext();
    void writesDurationsInDanish_data();
    void writesDurationsInDanish();
    void keepsPageTextAsText();
};

void TestPageReader::readsEveryShape_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sections");
    QTest::addColumn<QString>("yield");
    QTest::addColumn<QString>("totalTime");
    QTest::addColumn<QString>("image");

    const QString noImage;
    QTest::newRow("lone object, entities and tags, steps as one string")
        << "lone-object.html" << QStringLiteral("Æbletærte med fløde & kanel")
        << QStringList{"200 g mel", "100 g smør", "4 æbler", "1 tsk kanel"}
        << QStringList{"Rør mel og smør sammen.", "Skær æblerne i både.", "Bag tærten i 40 min."} << QStringList()
        << "4 personer" << "1 time 30 min" << "https://example.org/billeder/aebletaerte.jpg";
    QTest::newRow("array, list of strings, prep and cook added, longest yield")
        << "array.html" << "Kartoffelsuppe" << QStringList{"1 kg kartofler", "2 porrer", "1 l bouillon"}
        << QStringList{"Skræl kartoflerne.", "Svits porrerne.", "Kog det hele i bouillon i 20 minutter."}
        << QStringList() << "4 portioner" << "45 min" << "https://example.org/suppe-1x1.jpg";
    QTest::newRow("@graph, @id references, HowToStep text before name")
        << "graph.html" << "Frikadeller" << QStringList{"500 g hakket svinekød", "1 løg", "1 æg", "1 dl mælk"}
        << QStringList{"Rør kød, revet løg, æg og mælk til en fast fars.", "Steg frikadellerne 5 minutter på hver side."}
        << QStringList() << "20 stk." << "50 min" << "https://example.org/frikadeller.jpg";
    QTest::newRow("@type as list, old ingredients, headline, named sections")
        << "type-list-sections.html" << "Lagkage med jordbær"
        << QStringList{"3 æg", "150 g sukker", "500 g jordbær", "4 dl piskefløde"}
        << QStringList{"Pisk æg og sukker luftigt.", "Bag tre bunde ved 200 grader.", "Pisk fløden.",
                       "Læg bunde, fløde og jordbær lagvis."}
        << QStringList{"Bunde@0", "Samling@2"} << QString() << QString() << noImage;
    QTest::newRow("Recipe as a WebPage's main entity")
        << "nested-webpage.html" << "Risalamande" << QStringList{"1 l mælk", "2 dl grødris"}
        << QStringList{"Kog risengrøden.", "Vend flødeskum i."} << QStringList() << QString() << QString() << noImage;
    QTest::newRow("Recipe in an ItemList")
        << "itemlist.html" << "Koldskål" << QStringList{"1 l kærnemælk", "2 æggeblommer", "50 g sukker"}
        << QStringList{"Pisk æggeblommer og sukker. Rør kærnemælken i."} << QStringList() << QString() << QString()
        << noImage;
    QTest::newRow("several blocks: broken and bare ones pass, the whole one wins")
        << "several-blocks.html" << "Brunkager" << QStringList{"250 g smør", "250 g sukker", "125 g sirup"}
        << QStringList{"Smelt smør, sukker og sirup.", "Rul stængerne og skær dem i tynde skiver."} << QStringList()
        << QString() << QString() << noImage;
    QTest::newRow("markup inside strings, ingredients as one string")
        << "html-strings.html" << QStringLiteral("Citronfromage – let og frisk")
        << QStringList{"4 blade husblas", "3 æg", "1 økologisk citron"}
        << QStringList{"Udblød husblassen.", "Pisk æg og sukker luftigt.", "Smelt husblassen og rør den i.",
                       "Stil fromagen koldt."}
        << QStringList() << QString() << QString() << noImage;
    QTest::newRow("comments, CDATA, trailing commas, raw line breaks")
        << "sloppy-json.html" << QStringLiteral("Rugbrød") << QStringList{"500 g rugmel", "1 l vand", "2 tsk salt"}
        << QStringList{"Rør dejen sammen.", "Lad den hæve natten over.", "Bag brødet i 2 timer."} << QStringList()
        << QString() << QString() << noImage;
    QTest::newRow("ItemList of sections, step by name, directions inside a step, lone step")
        << "step-shapes.html" << "Pandekager" << QStringList{"3 æg", "3 dl mælk", "1,5 dl hvedemel"}
        << QStringList{"Pisk æg, mælk og mel til en jævn dej.", "Lad dejen hvile i 30 minutter.",
                       "Bag pandekagerne tyndt på en varm pande."}
        << QStringList{"Dej@0", "Bagning@2"} << QString() << QString() << noImage;
    QTest::newRow("microdata, nested author kept apart")
        << "microdata.html" << "Hvedeboller" << QStringList{"50 g gær", "5 dl lunken mælk", "ca. 1 kg hvedemel"}
        << QStringList{"Opløs gæren i mælken.", "Ælt melet i, og lad dejen hæve.",
                       "Form bollerne, og bag dem ved 225 grader."}
        << QStringList() << "12 stk." << "2 timer 15 min" << "https://example.org/img/boller.jpg";
    QTest::newRow("plugin markup gives the quantities and steps JSON-LD lacks, no <noscript> copy")
        << "plugin-quantities.html" << "Kanelsnegle"
        << QStringList{"25 g gær", "2½ dl mælk", "500 g hvedemel", "100 g smør", "75 g sukker", "2 spsk kanel"}
        << QStringList{"Lav dejen, og lad den hæve.", "Rul dejen ud, og smør fyldet på.",
                       "Bag sneglene 12 minutter ved 200 grader."}
        << QStringList{"Bagning@2"} << QString() << QString() << noImage;
    QTest::newRow("h-recipe microformat, name from the page")
        << "h-recipe.html" << QStringLiteral("Havregrød med æbler")
        << QStringList{"2 dl havregryn", "4 dl vand", "1 æble"}
        << QStringList{"Kog gryn og vand i 5 minutter.", "Riv æblet over."} << QStringList() << QString() << QString()
        << noImage;
    QTest::newRow("schema.org file")
        << "recipe.json" << "Hummus"
        << QStringList{"1 dåse kikærter", "2 spsk tahin", "1 fed hvidløg", "saft af ½ citron"}
        << QStringList{"Blend det hele.", "Smag til med salt."} << QStringList() << "1 skål" << "10 min" << noImage;
    QTest::newRow("MHTML, quoted-printable")
        << "grydeboller.mhtml" << "Grydeboller" << QStringList{"25 g gær", "5 dl vand", "600 g hvedemel"}
        << QStringList{"Rør dejen sammen med en ske.", "Bag bollerne ved 220 grader."} << QStringList() << QString()
        << QString() << noImage;
}

void TestPageReader::readsEveryShape()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QStringList, ingredients);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, sections);
    QFETCH(QString, yield);
    QFETCH(QString, totalTime);
    QFETCH(QString, image);

    // As served from a page's address: relative pictures resolve against it.
    const ReadResult read = readRecipe(fixtureBytes(file), QString(), QStringLiteral("https://example.org/opskrift/"));
    QVERIFY2(read.ok, qPrintable(read.error));
    const Recipe &r = read.recipe;
    QCOMPARE(r.name, name);
    QCOMPARE(r.ingredients, ingredients);
    QCOMPARE(stepTexts(r), steps);
    QCOMPARE(sectionsOf(r), sections);
    QCOMPARE(r.yield, yield);
    QCOMPARE(r.totalTime, totalTime);
    QCOMPARE(r.image, image);
    QCOMPARE(r.source, QStringLiteral("https://example.org/opskrift/"));
    QVERIFY(!read.capped);

    // The same bytes read as a file the user chose: by content, whatever the name says.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("gemt.txt"));
    QVERIFY(QFile::copy(fixture(file), copy));
    const ReadResult fromFile = readRecipeFile(copy);
    QVERIFY2(fromFile.ok, qPrintable(fromFile.error));
    QCOMPARE(fromFile.recipe.ingredients, ingredients);
    QCOMPARE(fromFile.recipe.source, QUrl::fromLocalFile(copy).toString());
    // A file has no address to resolve against: a relative picture is dropped, never a path.
    QVERIFY(fromFile.recipe.image.isEmpty() || fromFile.recipe.image.startsWith(QLatin1String("https://")));
}

void TestPageReader::readsCharacterSets_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("contentType");
    QTest::newRow("header") << "cp1252-no-charset.html" << "text/html; charset=Windows-1252";
    QTest::newRow("header iso-8859-1 read as Windows-1252") << "cp1252-no-charset.html" << "text/html; charset=\"ISO-8859-1\"";
    QTest::newRow("meta charset") << "cp1252-meta.html" << "text/html";
    QTest::newRow("meta http-equiv") << "cp1252-http-equiv.html" << QString();
    QTest::newRow("neither, not UTF-8") << "cp1252-no-charset.html" << "text/html";
}

void TestPageReader::readsCharacterSets()
{
    QFETCH(QString, file);
    QFETCH(QString, contentType);
    const ReadResult read = readRecipe(fixtureBytes(file), contentType, QStringLiteral("https://example.org/"));
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.name, QStringLiteral("Rødgrød med fløde"));
    QCOMPARE(read.recipe.ingredients,
             (QStringList{QStringLiteral("500 g jordbær"), QStringLiteral("75 g rørsukker"), QStringLiteral("½ l fløde")}));
    QCOMPARE(read.recipe.steps.last().text, QStringLiteral("Jævn grøden – og servér den kold."));
}

void TestPageReader::refusesWhatHoldsNoRecipe_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("contentType");
    QTest::addColumn<QString>("error");

    QTest::newRow("no recipe") << fixtureBytes(QStringLiteral("no-recipe.html")) << "text/html" << kNoRecipe;
    QTest::newRow("broken JSON-LD only") << fixtureBytes(QStringLiteral("broken-jsonld.html")) << "text/html" << kNoRecipe;
    QTest::newRow("recipe without lines") << recipePage(R"({"@type": "Recipe", "name": "Tom"})") << "text/html" << kNoRecipe;
    QTest::newRow("empty") << QByteArray() << "text/html" << kNoRecipe;
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "image/png" << kNotAPage;
    QTest::newRow("binary served as html") << QByteArray("GIF89a\0\0\0\0", 10) << "text/html" << kNotAPage;
    QTest::newRow("PDF") << QByteArray("%PDF-1.4\n") << "application/pdf" << kNotAPage;
    QTest::newRow("broken .json") << QByteArray(R"({"@type": "Recipe", "name": )") << QString() << kNotAPage;
    QTest::newRow("JSON, no recipe") << QByteArray(R"({"@type": "Person", "name": "Mormor"})") << QString() << kNoRecipe;
    QTest::newRow("deeply nested") << QByteArray(QByteArray(100000, '[') + QByteArray(100000, ']')) << QString()
                                   << kNotAPage;
    QTest::newRow("deeply nested HTML")
        << QByteArray(QByteArray("<div>").repeated(50000) + "x") << "text/html" << kNoRecipe;
    QTest::newRow("larger than a page") << QByteArray(kMaxPageBytes + 1, ' ') << "text/html"
                                        << QStringLiteral("Siden er større end 10 MB og hentes ikke.");
}

void TestPageReader::refusesWhatHoldsNoRecipe()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, contentType);
    QFETCH(QString, error);
    const ReadResult read = readRecipe(bytes, contentType, QStringLiteral("https://example.org/"));
    QVERIFY(!read.ok);
    QCOMPARE(read.error, error);
}

void TestPageReader::capsThousandsOfLines()
{
    QJsonArray lines;
    for (int i = 0; i < 5000; ++i)
        lines.append(QStringLiteral("%1 g mel").arg(i));
    QJsonObject recipe{{"@type", "Recipe"}, {"name", "Uendelig"}, {"recipeIngredient", lines},
                       {"recipeInstructions", lines}};
    const ReadResult read = readRecipe(recipePage(QJsonDocument(recipe).toJson()), QStringLiteral("text/html"),
                                       QStringLiteral("https://example.org/"));
    QVERIFY(read.ok);
    QVERIFY(read.capped);
    QCOMPARE(read.recipe.ingredients.size(), kMaxLines);
    QCOMPARE(read.recipe.steps.size(), kMaxLines);
    QCOMPARE(read.recipe.ingredients.last(), QStringLiteral("%1 g mel").arg(kMaxLines - 1));
}

void TestPageReader::skipsAHugeBlockButReadsTheNext()
{
    const QByteArray huge = R"({"@type": "Recipe", "name": "Kæmpe", "recipeIngredient": [")"
        + QByteArray(5 * 1024 * 1024, 'a') + R"("], "recipeInstructions": "x"})";
    const QByteArray small = R"({"@type": "Recipe", "name": "Lille", "recipeIngredient": ["1 æg"], "recipeInstructions": "Kog ægget."})";
    const ReadResult read = readRecipe(recipePage(huge) + recipePage(small), QStringLiteral("text/html"),
                                       QStringLiteral("https://example.org/"));
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.name, QStringLiteral("Lille"));
    // Alone, the huge block is no recipe, and no line of it grows past what a line may be.
    const ReadResult alone = readRecipe(recipePage(huge), QStringLiteral("text/html"), QString());
    QCOMPARE(alone.error, kNoRecipe);
}

void TestPageReader::writesDurationsInDanish_data()
{
    QTest::addColumn<QString>("iso");
    QTest::addColumn<QString>("danish");
    QTest::newRow("hour and minutes") << "PT1H30M" << "1 time 30 min";
    QTest::newRow("hours") << "PT2H" << "2 timer";
    QTest::newRow("minutes over an hour") << "PT90M" << "1 time 30 min";
    QTest::newRow("seconds rounded") << "PT10M30S" << "11 min";
    QTest::newRow("day") << "P1DT2H" << "1 døgn 2 timer";
    QTest::newRow("lower case, fraction") << "pt0.5h" << "30 min";
    QTest::newRow("not a duration kept") << "ca. 1 time" << "ca. 1 time";
    QTest::newRow("absurdly long kept as written") << "P99999D" << "P99999D";
    QTest::newRow("bare P") << "P" << "P";
}

void TestPageReader::writesDurationsInDanish()
{
    QFETCH(QString, iso);
    QFETCH(QString, danish);
    QCOMPARE(danishDuration(iso), danish);
}

void TestPageReader::keepsPageTextAsText()
{
    // Markup a page smuggles in as text stays text, escaped or not; it never becomes markup.
    const QByteArray page = recipePage(R"({"@type": "Recipe", "name": "&lt;img src=x onerror=alert(1)&gt;",
        "recipeIngredient": ["&amp;lt;b&amp;gt;fed&amp;lt;/b&amp;gt;", "<script>alert(2)</script>1 æg"],
        "recipeInstructions": "../../etc/passwd"})");
    const ReadResult read = readRecipe(page, QStringLiteral("text/html"), QStringLiteral("https://example.org/"));
    QVERIFY(read.ok);
    QCOMPARE(read.recipe.name, QStringLiteral("<img src=x onerror=alert(1)>"));
    QCOMPARE(read.recipe.ingredients, (QStringList{QStringLiteral("<b>fed</b>"), QStringLiteral("1 æg")}));
    QCOMPARE(read.recipe.steps.first().text, QStringLiteral("../../etc/passwd"));
}

QTEST_GUILESS_MAIN(TestPageReader)
#include "tst_pagereader.moc"

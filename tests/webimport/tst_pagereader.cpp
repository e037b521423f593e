#include "webimport/pagereader.h"
#include "webimport/pagetrim.h"
#include "webimport/recipesource.h"
#include "webimport/text.h"

#include <QtTest>

using namespace webimport;

using namespace Qt::StringLiterals;

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
    void readsWhatPagesHoldOutsideRecipeMarkup_data();
    void readsWhatPagesHoldOutsideRecipeMarkup();
    void leavesOutDecoration_data();
    void leavesOutDecoration();
    void namesASavedPageByItsAddress_data();
    void namesASavedPageByItsAddress();
    void takesOnlyTheDescriptionsOwnText();
    void keepsTheUnitOfTheYield();
    void readsCharacterSets_data();
    void readsCharacterSets();
    void refusesWhatHoldsNoRecipe_data();
    void refusesWhatHoldsNoRecipe();
    void capsThousandsOfLines();
    void skipsAHugeBlockButReadsTheNext();
    void writesDurationsInDanish_data();
    void writesDurationsInDanish();
    void keepsPageTextAsText();
    void readsADeepButPlausiblePage();
    void passesOverScriptText_data();
    void passesOverScriptText();
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
        << u"lone-object.html"_s << QStringLiteral("Æbletærte med fløde & kanel")
        << QStringList{u"200 g mel"_s, u"100 g smør"_s, u"4 æbler"_s, u"1 tsk kanel"_s}
        << QStringList{u"Rør mel og smør sammen."_s, u"Skær æblerne i både."_s, u"Bag tærten i 40 min."_s} << QStringList()
        << u"4 personer"_s << u"1 time 30 min"_s << u"https://example.org/billeder/aebletaerte.jpg"_s;
    QTest::newRow("array, list of strings, prep and cook added, longest yield")
        << u"array.html"_s << u"Kartoffelsuppe"_s << QStringList{u"1 kg kartofler"_s, u"2 porrer"_s, u"1 l bouillon"_s}
        << QStringList{u"Skræl kartoflerne."_s, u"Svits porrerne."_s, u"Kog det hele i bouillon i 20 minutter."_s}
        << QStringList() << u"4 portioner"_s << u"45 min"_s << u"https://example.org/suppe-1x1.jpg"_s;
    QTest::newRow("@graph, @id references, HowToStep text before name")
        << u"graph.html"_s << u"Frikadeller"_s << QStringList{u"500 g hakket svinekød"_s, u"1 løg"_s, u"1 æg"_s, u"1 dl mælk"_s}
        << QStringList{u"Rør kød, revet løg, æg og mælk til en fast fars."_s, u"Steg frikadellerne 5 minutter på hver side."_s}
        << QStringList() << u"20 stk."_s << u"50 min"_s << u"https://example.org/frikadeller.jpg"_s;
    QTest::newRow("@type as list, old ingredients, headline, named sections")
        << u"type-list-sections.html"_s << u"Lagkage med jordbær"_s
        << QStringList{u"3 æg"_s, u"150 g sukker"_s, u"500 g jordbær"_s, u"4 dl piskefløde"_s}
        << QStringList{u"Pisk æg og sukker luftigt."_s, u"Bag tre bunde ved 200 grader."_s, u"Pisk fløden."_s,
                       u"Læg bunde, fløde og jordbær lagvis."_s}
        << QStringList{u"Bunde@0"_s, u"Samling@2"_s} << QString() << QString() << noImage;
    QTest::newRow("Recipe as a WebPage's main entity")
        << u"nested-webpage.html"_s << u"Risalamande"_s << QStringList{u"1 l mælk"_s, u"2 dl grødris"_s}
        << QStringList{u"Kog risengrøden."_s, u"Vend flødeskum i."_s} << QStringList() << QString() << QString() << noImage;
    QTest::newRow("Recipe in an ItemList")
        << u"itemlist.html"_s << u"Koldskål"_s << QStringList{u"1 l kærnemælk"_s, u"2 æggeblommer"_s, u"50 g sukker"_s}
        << QStringList{u"Pisk æggeblommer og sukker. Rør kærnemælken i."_s} << QStringList() << QString() << QString()
        << noImage;
    QTest::newRow("several blocks: broken and bare ones pass, the whole one wins")
        << u"several-blocks.html"_s << u"Brunkager"_s << QStringList{u"250 g smør"_s, u"250 g sukker"_s, u"125 g sirup"_s}
        << QStringList{u"Smelt smør, sukker og sirup."_s, u"Rul stængerne og skær dem i tynde skiver."_s} << QStringList()
        << QString() << QString() << noImage;
    QTest::newRow("markup inside strings, ingredients as one string")
        << u"html-strings.html"_s << QStringLiteral("Citronfromage – let og frisk")
        << QStringList{u"4 blade husblas"_s, u"3 æg"_s, u"1 økologisk citron"_s}
        << QStringList{u"Udblød husblassen."_s, u"Pisk æg og sukker luftigt."_s, u"Smelt husblassen og rør den i."_s,
                       u"Stil fromagen koldt."_s}
        << QStringList() << QString() << QString() << noImage;
    QTest::newRow("comments, CDATA, trailing commas, raw line breaks")
        << u"sloppy-json.html"_s << QStringLiteral("Rugbrød") << QStringList{u"500 g rugmel"_s, u"1 l vand"_s, u"2 tsk salt"_s}
        << QStringList{u"Rør dejen sammen."_s, u"Lad den hæve natten over."_s, u"Bag brødet i 2 timer."_s} << QStringList()
        << QString() << QString() << noImage;
    QTest::newRow("ItemList of sections, step by name, directions inside a step, lone step")
        << u"step-shapes.html"_s << u"Pandekager"_s << QStringList{u"3 æg"_s, u"3 dl mælk"_s, u"1,5 dl hvedemel"_s}
        << QStringList{u"Pisk æg, mælk og mel til en jævn dej."_s, u"Lad dejen hvile i 30 minutter."_s,
                       u"Bag pandekagerne tyndt på en varm pande."_s}
        << QStringList{u"Dej@0"_s, u"Bagning@2"_s} << QString() << QString() << noImage;
    QTest::newRow("microdata, nested author kept apart")
        << u"microdata.html"_s << u"Hvedeboller"_s << QStringList{u"50 g gær"_s, u"5 dl lunken mælk"_s, u"ca. 1 kg hvedemel"_s}
        << QStringList{u"Opløs gæren i mælken."_s, u"Ælt melet i, og lad dejen hæve."_s,
                       u"Form bollerne, og bag dem ved 225 grader."_s}
        << QStringList() << u"12 stk."_s << u"2 timer 15 min"_s << u"https://example.org/img/boller.jpg"_s;
    QTest::newRow("plugin markup gives the quantities and steps JSON-LD lacks, no <noscript> copy")
        << u"plugin-quantities.html"_s << u"Kanelsnegle"_s
        << QStringList{u"25 g gær"_s, u"2½ dl mælk"_s, u"500 g hvedemel"_s, u"100 g smør"_s, u"75 g sukker"_s, u"2 spsk kanel"_s}
        << QStringList{u"Lav dejen, og lad den hæve."_s, u"Rul dejen ud, og smør fyldet på."_s,
                       u"Bag sneglene 12 minutter ved 200 grader."_s}
        << QStringList{u"Bagning@2"_s} << QString() << QString() << noImage;
    QTest::newRow("h-recipe microformat, name from the page")
        << u"h-recipe.html"_s << QStringLiteral("Havregrød med æbler")
        << QStringList{u"2 dl havregryn"_s, u"4 dl vand"_s, u"1 æble"_s}
        << QStringList{u"Kog gryn og vand i 5 minutter."_s, u"Riv æblet over."_s} << QStringList() << QString() << QString()
        << noImage;
    QTest::newRow("schema.org file")
        << u"recipe.json"_s << u"Hummus"_s
        << QStringList{u"1 dåse kikærter"_s, u"2 spsk tahin"_s, u"1 fed hvidløg"_s, u"saft af ½ citron"_s}
        << QStringList{u"Blend det hele."_s, u"Smag til med salt."_s} << QStringList() << u"1 skål"_s << u"10 min"_s << noImage;
    QTest::newRow("MHTML, quoted-printable")
        << u"grydeboller.mhtml"_s << u"Grydeboller"_s << QStringList{u"25 g gær"_s, u"5 dl vand"_s, u"600 g hvedemel"_s}
        << QStringList{u"Rør dejen sammen med en ske."_s, u"Bag bollerne ved 220 grader."_s} << QStringList() << QString()
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
    // A saved page is known by the address it was saved from, when it names one.
    QCOMPARE(fromFile.recipe.source, file.endsWith(u".mhtml") ? u"https://example.org/grydeboller/"_s
                                                              : QUrl::fromLocalFile(copy).toString());
    // A file has no address to resolve against: a relative picture is dropped, never a path.
    QVERIFY(fromFile.recipe.image.isEmpty() || fromFile.recipe.image.startsWith(QLatin1String("https://")));
}

void TestPageReader::readsWhatPagesHoldOutsideRecipeMarkup_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("application state in a script, amounts in parts, a teaser passed over")
        << u"app-state.html"_s << u"Grovboller"_s
        << QStringList{u"Dej"_s, u"25 gram gær"_s, u"0.5 liter vand, lunkent"_s, u"2 spiseskeer honning"_s,
                       u"ca. 750 g hvedemel"_s}
        << QStringList{u"Opløs gæren i vandet."_s, u"Ælt melet i, og lad dejen hæve 1 time."_s,
                       u"Form 12 boller, og bag dem ved 220 grader."_s};
    QTest::newRow("application state in a data- attribute, steps as one text")
        << u"app-state-attribute.html"_s << u"Tomatsuppe"_s
        << QStringList{u"1 kg tomater"_s, u"1 løg"_s, u"5 dl bouillon"_s}
        << QStringList{u"Kog tomater og løg i bouillon i 20 minutter."_s, u"Blend suppen."_s};
    QTest::newRow("application state assigned to a variable, fields by other names")
        << u"window-state.html"_s << u"Koldskål"_s << QStringList{u"1 l kærnemælk"_s, u"2 æggeblommer"_s}
        << QStringList{u"Pisk æggeblommerne."_s, u"Rør kærnemælken i."_s};
    QTest::newRow("lists under the page's headings, groups kept, navigation, hidden lists and notes left out")
        << u"headed-lists.html"_s << u"Mormors æblekage"_s
        << QStringList{u"Kompot"_s, u"1 kg æbler"_s, u"100 g sukker"_s, u"Drys"_s, u"150 g makroner"_s, u"50 g smør"_s}
        << QStringList{u"Kog æblerne til kompot med sukkeret."_s, u"Rist makronerne i smørret."_s,
                       u"Læg kompot og drys lagvis i en skål."_s};
    QTest::newRow("lines separated by <br>, steps as paragraphs, a number with a decimal comma")
        << u"br-lines.html"_s << u"Pandekager"_s
        << QStringList{u"3 æg"_s, u"3 dl mælk"_s, u"1,5 dl hvedemel"_s, u"1 spsk smeltet smør"_s}
        << QStringList{u"Pisk æg, mælk og mel til en jævn dej."_s, u"Bag pandekagerne tyndt i smør."_s};
    QTest::newRow("plugin markup: check boxes, a second unit system, a line JSON-LD cut short")
        << u"plugin-decoration.html"_s << u"Apple Bread"_s
        << QStringList{u"4 medium-sized tart firm apples – peeled"_s, u"1 cup milk"_s, u"2 eggs"_s}
        << QStringList{u"Shred the apples."_s, u"Stir it all and bake."_s};
    QTest::newRow("JSON-LD in a meta element")
        << u"meta-jsonld.html"_s << u"Spaghetti all'assassina"_s << QStringList{u"1/4 cup olive oil"_s, u"12 oz spaghetti"_s}
        << QStringList{u"Toast the spaghetti in the oil."_s};
}

void TestPageReader::readsWhatPagesHoldOutsideRecipeMarkup()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QStringList, ingredients);
    QFETCH(QStringList, steps);

    const ReadResult read = readRecipe(fixtureBytes(file), QString(), QStringLiteral("https://example.org/opskrift/"));
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.name, name);
    QCOMPARE(read.recipe.ingredients, ingredients);
    QCOMPARE(stepTexts(read.recipe), steps);
}

void TestPageReader::leavesOutDecoration_data()
{
    QTest::addColumn<QByteArray>("ingredients");
    QTest::addColumn<QByteArray>("instructions");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sections");

    const QStringList lines{u"400 g rabarber"_s, u"1 dl sukker"_s};
    const QByteArray plain = R"(["400 g rabarber", "1 dl sukker"])";
    QTest::newRow("check-box glyphs and bullets, a soft hyphen and a zero-width mark")
        << QByteArray(R"(["▢ 400 g rabar­ber", "• ​1 dl sukker"])") << QByteArray(R"(["Kog."])")
        << lines << QStringList{u"Kog."_s} << QStringList();
    QTest::newRow("numbers the page writes, in several ways")
        << plain << QByteArray(R"(["1. Skær rabarberne.", "2) Kog dem.", "Step 3: Server grøden."])") << lines
        << QStringList{u"Skær rabarberne."_s, u"Kog dem."_s, u"Server grøden."_s} << QStringList();
    QTest::newRow("a number opening a step is no written number")
        << plain << QByteArray(R"(["2 æg piskes.", "Bag 20 min."])") << lines
        << QStringList{u"2 æg piskes."_s, u"Bag 20 min."_s} << QStringList();
    QTest::newRow("a decimal number is no written number")
        << plain << QByteArray(R"(["1.5 dl vand koges.", "2 æg piskes i."])") << lines
        << QStringList{u"1.5 dl vand koges."_s, u"2 æg piskes i."_s} << QStringList();
    QTest::newRow("the recipe's name as its first step")
        << plain << QByteArray(R"(["Rabarbergrød", "Kog rabarberne.", "Server."])") << lines
        << QStringList{u"Kog rabarberne."_s, u"Server."_s} << QStringList();
    QTest::newRow("a whole numbered method in one text, 1.5 kept whole")
        << plain << QByteArray(R"("1. Skær rabarberne.2. Kog dem i 1.5 time. 3. Server.")") << lines
        << QStringList{u"Skær rabarberne."_s, u"Kog dem i 1.5 time."_s, u"Server."_s} << QStringList();
    QTest::newRow("step numbers as elements of their own")
        << plain << QByteArray(R"(["Trin 01", "Skær.", "Trin 02", "Kog."])") << lines
        << QStringList{u"Skær."_s, u"Kog."_s} << QStringList();
    QTest::newRow("a list the markup holds twice")
        << QByteArray(R"(["400 g rabarber", "1 dl sukker", "400 g rabarber", "1 dl sukker"])")
        << QByteArray(R"(["Kog.", "Server.", "Kog.", "Server."])") << lines << QStringList{u"Kog."_s, u"Server."_s}
        << QStringList();
    QTest::newRow("a line ending in a colon names a section")
        << plain << QByteArray(R"(["Grød:", "Kog rabarberne.", "Servering:", "Server med fløde."])") << lines
        << QStringList{u"Kog rabarberne."_s, u"Server med fløde."_s} << QStringList{u"Grød@0"_s, u"Servering@1"_s};
}

void TestPageReader::leavesOutDecoration()
{
    QFETCH(QByteArray, ingredients);
    QFETCH(QByteArray, instructions);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, sections);

    const QByteArray page = recipePage(R"({"@type": "Recipe", "name": "Rabarbergrød", "recipeIngredient": )" + ingredients
                                       + R"(, "recipeInstructions": )" + instructions + "}");
    const ReadResult read = readRecipe(page, QStringLiteral("text/html"), QStringLiteral("https://example.org/"));
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.ingredients, lines);
    QCOMPARE(stepTexts(read.recipe), steps);
    QCOMPARE(sectionsOf(read.recipe), sections);
}

void TestPageReader::namesASavedPageByItsAddress_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");

    const QString file = u"file:///home/a/Hentet/side.html"_s;
    QTest::newRow("canonical link")
        << QByteArray(R"(<link rel="canonical" href="https://mad.example/boller"><meta property="og:url" content="https://mad.example/x">)")
        << file << u"https://mad.example/boller"_s;
    QTest::newRow("og:url") << QByteArray(R"(<meta property="og:url" content="https://mad.example/boller">)") << file
                            << u"https://mad.example/boller"_s;
    QTest::newRow("none") << QByteArray() << file << file;
    QTest::newRow("no web address") << QByteArray(R"x(<link rel="canonical" href="javascript:alert(1)">)x") << file << file;
    QTest::newRow("fetched from the web: the address it came from")
        << QByteArray(R"(<link rel="canonical" href="https://andet.example/">)") << u"https://mad.example/boller?side=2"_s
        << u"https://mad.example/boller?side=2"_s;
}

void TestPageReader::namesASavedPageByItsAddress()
{
    QFETCH(QByteArray, head);
    QFETCH(QString, source);
    QFETCH(QString, expected);

    const QByteArray page = "<html><head>" + head + R"(<script type="application/ld+json">{"@type": "Recipe", "name": "Boller",
        "recipeIngredient": ["1 æg"], "recipeInstructions": "Bag."}</script></head><body></body></html>)";
    const ReadResult read = readRecipe(page, QString(), source);
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.source, expected);
}

void TestPageReader::takesOnlyTheDescriptionsOwnText()
{
    // An element marked as the description that holds the whole card: neither the other
    // properties inside it nor more than the page's own summary.
    const ReadResult read = readRecipe(fixtureBytes(u"description-card.html"_s), QString(), u"file:///tmp/side.html"_s);
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.description, u"Sprøde kartofler fra ovnen."_s);
    QCOMPARE(read.recipe.ingredients, (QStringList{u"1 kg kartofler"_s, u"2 spsk olie"_s}));
    QCOMPARE(read.recipe.totalTime, u"1 time"_s);
    QCOMPARE(read.recipe.source, u"https://opskrifter.example/ovnkartofler"_s);
}

void TestPageReader::keepsTheUnitOfTheYield()
{
    const QByteArray page = recipePage(R"({"@type": "Recipe", "name": "Boller", "recipeIngredient": ["1 æg"],
        "recipeInstructions": "Bag.", "recipeYield": {"@type": "QuantitativeValue", "value": 10, "unitText": "stk."}})");
    const ReadResult read = readRecipe(page, QString(), u"https://example.org/"_s);
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.yield, u"10 stk."_s);
}

void TestPageReader::readsCharacterSets_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("contentType");
    QTest::newRow("header") << u"cp1252-no-charset.html"_s << u"text/html; charset=Windows-1252"_s;
    QTest::newRow("header iso-8859-1 read as Windows-1252") << u"cp1252-no-charset.html"_s << u"text/html; charset=\"ISO-8859-1\""_s;
    QTest::newRow("meta charset") << u"cp1252-meta.html"_s << u"text/html"_s;
    QTest::newRow("meta http-equiv") << u"cp1252-http-equiv.html"_s << QString();
    QTest::newRow("neither, not UTF-8") << u"cp1252-no-charset.html"_s << u"text/html"_s;
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

    QTest::newRow("no recipe") << fixtureBytes(QStringLiteral("no-recipe.html")) << u"text/html"_s << kNoRecipe;
    QTest::newRow("broken JSON-LD only") << fixtureBytes(QStringLiteral("broken-jsonld.html")) << u"text/html"_s << kNoRecipe;
    QTest::newRow("recipe without lines") << recipePage(R"({"@type": "Recipe", "name": "Tom"})") << u"text/html"_s << kNoRecipe;
    QTest::newRow("empty") << QByteArray() << u"text/html"_s << kNoRecipe;
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << u"image/png"_s << kNotAPage;
    QTest::newRow("binary served as html") << QByteArray("GIF89a\0\0\0\0", 10) << u"text/html"_s << kNotAPage;
    QTest::newRow("PDF") << QByteArray("%PDF-1.4\n") << u"application/pdf"_s << kNotAPage;
    QTest::newRow("broken .json") << QByteArray(R"({"@type": "Recipe", "name": )") << QString() << kNotAPage;
    QTest::newRow("JSON, no recipe") << QByteArray(R"({"@type": "Person", "name": "Mormor"})") << QString() << kNoRecipe;
    QTest::newRow("deeply nested") << QByteArray(QByteArray(100000, '[') + QByteArray(100000, ']')) << QString()
                                   << kNotAPage;
    QTest::newRow("deeply nested HTML")
        << QByteArray(QByteArray("<div>").repeated(50000) + "x") << u"text/html"_s << kNoRecipe;
    QTest::newRow("larger than a page") << QByteArray(kMaxPageBytes + 1, ' ') << u"text/html"_s
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
    const QJsonObject recipe{{u"@type"_s, u"Recipe"_s}, {u"name"_s, u"Uendelig"_s}, {u"recipeIngredient"_s, lines},
                             {u"recipeInstructions"_s, lines}};
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
    QTest::newRow("hour and minutes") << u"PT1H30M"_s << u"1 time 30 min"_s;
    QTest::newRow("hours") << u"PT2H"_s << u"2 timer"_s;
    QTest::newRow("minutes over an hour") << u"PT90M"_s << u"1 time 30 min"_s;
    QTest::newRow("seconds rounded") << u"PT10M30S"_s << u"11 min"_s;
    QTest::newRow("day") << u"P1DT2H"_s << u"1 døgn 2 timer"_s;
    QTest::newRow("lower case, fraction") << u"pt0.5h"_s << u"30 min"_s;
    QTest::newRow("not a duration kept") << u"ca. 1 time"_s << u"ca. 1 time"_s;
    QTest::newRow("absurdly long kept as written") << u"P99999D"_s << u"P99999D"_s;
    QTest::newRow("bare P") << u"P"_s << u"P"_s;
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
        "recipeIngredient": ["&amp;lt;b&amp;gt;fed&amp;lt;/b&amp;gt;", "<script>alert(2)<\/script>1 æg"],
        "recipeInstructions": "../../etc/passwd"})");
    const ReadResult read = readRecipe(page, QStringLiteral("text/html"), QStringLiteral("https://example.org/"));
    QVERIFY(read.ok);
    QCOMPARE(read.recipe.name, QStringLiteral("<img src=x onerror=alert(1)>"));
    QCOMPARE(read.recipe.ingredients, (QStringList{QStringLiteral("<b>fed</b>"), QStringLiteral("1 æg")}));
    QCOMPARE(read.recipe.steps.first().text, QStringLiteral("../../etc/passwd"));
}

void TestPageReader::readsADeepButPlausiblePage()
{
    const QByteArray recipe = R"({"@type": "Recipe", "name": "Dybt", "recipeIngredient": ["1 æg"], "recipeInstructions": "Kog ægget."})";
    const QByteArray page = recipePage(recipe, QByteArray("<div><span>").repeated(600) + "<p>x"
                                                   + QByteArray("<br><img src=a.png><li>y").repeated(3000));
    const ReadResult read = readRecipe(page, QStringLiteral("text/html"), QString());
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.recipe.name, QStringLiteral("Dybt"));
}

void TestPageReader::passesOverScriptText_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<QByteArray>("trimmed");
    QTest::newRow("code and style dropped")
        << QByteArray("<p>a</p><script>if (a < b) x();</script><style>p{}</style><p>b</p>")
        << QByteArray("<p>a</p><script></script><style></style><p>b</p>");
    QTest::newRow("JSON-LD kept, any case")
        << QByteArray(R"(<SCRIPT Type="application/LD+JSON">{"a": "</p>"}</Script>)")
        << QByteArray(R"(<SCRIPT Type="application/LD+JSON">{"a": "</p>"}</Script>)");
    QTest::newRow("ends at the first closing tag, as the parser ends it")
        << QByteArray("<script>document.write('</script><p>c</p>')</script>")
        << QByteArray("<script></script><p>c</p>')</script>");
    QTest::newRow("other elements and comments untouched")
        << QByteArray("<scripted>x</scripted><!-- <script>y</script> --><styles>z</styles>")
        << QByteArray("<scripted>x</scripted><!-- <script>y</script> --><styles>z</styles>");
    QTest::newRow("never closed: left as it is") << QByteArray("<script>x") << QByteArray("<script>x");
}

void TestPageReader::passesOverScriptText()
{
    QFETCH(QByteArray, html);
    QFETCH(QByteArray, trimmed);
    QCOMPARE(withoutScriptText(html), trimmed);
}

QTEST_GUILESS_MAIN(TestPageReader)
#include "tst_pagereader.moc"

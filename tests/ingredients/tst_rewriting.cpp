// What is built on the reader: amounts written as a Dane writes them, lines scaled to another
// number of servings, American measures made Danish, and the servings a description names.
// Every rewrite changes only the amount (and the unit for measures); the rest stays as written.
#include "ingredients/ingredientline.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace ingredients;

class TestRewriting : public QObject {
    Q_OBJECT

private slots:
    void formatQuantity_writesAsADane_data();
    void formatQuantity_writesAsADane();
    void scaledLine_replacesOnlyTheAmount_data();
    void scaledLine_replacesOnlyTheAmount();
    void danishMeasuresLine_convertsAmericanMeasures_data();
    void danishMeasuresLine_convertsAmericanMeasures();
    void danishTemperatures_givesCelsiusInRunningText_data();
    void danishTemperatures_givesCelsiusInRunningText();
    void usesAmericanMeasures_findsCupsOuncesAndPounds_data();
    void usesAmericanMeasures_findsCupsOuncesAndPounds();
    void servingsFrom_readsTheDescription_data();
    void servingsFrom_readsTheDescription();
};

void TestRewriting::formatQuantity_writesAsADane_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("written");
    const auto row = [](const char *name, double value, const char *unit, const char *written) {
        QTest::newRow(name) << value << QString::fromUtf8(unit) << QString::fromUtf8(written);
    };
    row("half teaspoon", 0.5, "tsk", "½");
    row("quarter spoon", 0.25, "spsk", "¼");
    row("three quarters dl", 0.75, "dl", "¾");
    row("third dl", 1.0 / 3, "dl", "⅓");
    row("two thirds piece", 2.0 / 3, "stk", "⅔");
    row("one and a half eggs", 1.5, "", "1½");
    row("whole count", 3, "", "3");
    row("near a third is a quarter", 0.3, "tsk", "¼");
    row("eighth", 0.125, "tsk", "⅛");
    row("a pinch stays an amount", 0.05, "tsk", "⅛");
    row("many eggs to the half", 12.6, "", "12½");
    row("dl with decimal comma", 2.5, "dl", "2,5");
    row("dl to one decimal", 3.75, "dl", "3,8");
    row("grams below 50", 47.3, "g", "47");
    row("grams to 5", 187.5, "g", "190");
    row("grams to 25", 612, "g", "600");
    row("grams to 50", 1530, "g", "1550");
    row("few grams", 2.5, "g", "2,5");
    row("kilograms", 2.25, "kg", "2,25");
    row("litres", 1.5, "l", "1,5");
    row("ounces", 1.5, "oz", "1,5");
    row("not a number", std::numeric_limits<double>::quiet_NaN(), "g", "");
    row("infinite", std::numeric_limits<double>::infinity(), "dl", "");
    row("negative", -2, "", "");
}

void TestRewriting::formatQuantity_writesAsADane()
{
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(QString, written);
    QCOMPARE(formatQuantity(value, unit), written);
}

void TestRewriting::scaledLine_replacesOnlyTheAmount_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QString>("scaled");
    const auto row = [](const char *line, double factor, const char *scaled) {
        QTest::newRow(qPrintable(QStringLiteral("%1 × %2").arg(QString::fromUtf8(line)).arg(factor)))
            << QString::fromUtf8(line) << factor << QString::fromUtf8(scaled);
    };
    row("2 æg", 1.5, "3 æg");
    row("1 æg", 1.5, "1½ æg");
    row("3-4 fed hvidløg, presset", 2, "6-8 fed hvidløg, presset");
    row("2 til 3 gulerødder", 1.5, "3 til 4½ gulerødder");
    row("250 g smør", 1.5, "375 g smør");
    row("125 g sukker", 1.5, "190 g sukker");
    row("2,5 dl mælk", 2, "5 dl mælk");
    row("1 dl fløde", 0.5, "½ dl fløde");
    row("½ tsk salt", 0.5, "¼ tsk salt");
    row("2 spsk sukker", 1.0 / 3, "⅔ spsk sukker");
    row("1 l mælk", 1.5, "1,5 l mælk");
    row("1.000 g kartofler", 0.5, "500 g kartofler");
    row("ca. 200 g smør", 2, "ca. 400 g smør");
    row("et æg", 2, "2 æg");
    row("en halv citron", 2, "1 citron");
    row("1 dåse tomater (400 g)", 2, "2 dåse tomater (400 g)");
    row("smør, 100 g", 2, "smør, 200 g");
    row("hvedemel (250 g)", 2, "hvedemel (500 g)");
    row("1 1/2 cups flour", 2, "3 cups flour");
    row("250g smør", 2, "500g smør");
    row("2 x 400 g hakkede tomater", 1.5, "3 x 400 g hakkede tomater");
    row("1 stor dåse tomater", 2, "2 stor dåse tomater");
    row("Saft af 1 citron", 2, "Saft af 2 citron");
    row("salt og peber", 2, "salt og peber");
    row("2 spsk olie til stegning", 2, "2 spsk olie til stegning");
    row("Dej:", 2, "Dej:");
    row("2,50 dl mælk", 1, "2,50 dl mælk");
    row("2 æg", 0, "2 æg");
    row("2 æg", -1, "2 æg");
    row("2 æg", std::numeric_limits<double>::quiet_NaN(), "2 æg");
    row("2 æg", std::numeric_limits<double>::infinity(), "2 æg");
    row("999999999 g mel", 1e9, "999999999 g mel");
}

void TestRewriting::scaledLine_replacesOnlyTheAmount()
{
    QFETCH(QString, line);
    QFETCH(double, factor);
    QFETCH(QString, scaled);
    QCOMPARE(scaledLine(line, factor), scaled);
}

void TestRewriting::danishMeasuresLine_convertsAmericanMeasures_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("danish");
    const auto row = [](const char *line, const char *danish) {
        QTest::newRow(line) << QString::fromUtf8(line) << QString::fromUtf8(danish);
    };
    row("1 cup flour", "2,4 dl flour");
    row("2 cups all-purpose flour", "4,7 dl all-purpose flour");
    row("½ cup sugar", "1,2 dl sugar");
    row("¼ cup olive oil", "60 ml olive oil");
    row("2-3 cups water", "4,7-7,1 dl water");
    row("5 cups stock", "1,2 l stock");
    row("1 pint cream", "4,7 dl cream");
    row("1 tbsp olive oil", "1 spsk olive oil");
    row("1½ tsp salt", "1½ tsk salt");
    row("1 T sugar", "1 spsk sugar");
    row("8 oz cream cheese", "225 g cream cheese");
    row("1 lb ground beef", "455 g ground beef");
    row("3 pounds chicken wings", "1,35 kg chicken wings");
    row("2 fl oz milk", "60 ml milk");
    row("1 stick butter", "115 g butter");
    row("2 sticks unsalted butter, cold", "225 g unsalted butter, cold");
    row("½ cup (1 stick) butter, melted", "1,2 dl (115 g) butter, melted");
    row("1 (14 oz) can diced tomatoes", "1 (395 g) can diced tomatoes");
    row("1 can (14.5 oz) diced tomatoes", "1 can (410 g) diced tomatoes");
    row("butter (4 oz)", "butter (115 g)");
    row("2 x 14 oz cans tomatoes", "2 x 395 g cans tomatoes");
    row("2 (6 oz) salmon fillets", "2 (170 g) salmon fillets");
    row("laks (6 oz) 2", "laks (170 g) 2");
    row("laks (0 oz) 2", "laks (0 oz) 2");
    row("2 sticks cinnamon", "2 sticks cinnamon");
    row("2 dl mælk", "2 dl mælk");
    row("salt and pepper", "salt and pepper");
    row("", "");
}

void TestRewriting::danishMeasuresLine_convertsAmericanMeasures()
{
    QFETCH(QString, line);
    QFETCH(QString, danish);
    QCOMPARE(danishMeasuresLine(line), danish);
}

void TestRewriting::danishTemperatures_givesCelsiusInRunningText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("danish");
    const auto row = [](const char *text, const char *danish) {
        QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(danish);
    };
    row("Bake at 350 °F for 20 minutes.", "Bake at 175 °C for 20 minutes.");
    row("Heat the oven to 350°F.", "Heat the oven to 175 °C.");
    row("Oven: 350 F", "Oven: 175 °C");
    row("400 degrees F", "205 °C");
    row("425ºF, then 350 Fahrenheit", "220 °C, then 175 °C");
    row("325-350°F", "165-175 °C");
    row("Bag ved 200 °C i 20 minutter", "Bag ved 200 °C i 20 minutter");
    row("Fry 5 Fries", "Fry 5 Fries");
    row("1350 F", "1350 F");
}

void TestRewriting::danishTemperatures_givesCelsiusInRunningText()
{
    QFETCH(QString, text);
    QFETCH(QString, danish);
    QCOMPARE(danishTemperatures(text), danish);
}

void TestRewriting::usesAmericanMeasures_findsCupsOuncesAndPounds_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("american");
    QTest::newRow("cups") << QStringList{QStringLiteral("2 eggs"), QStringLiteral("2 cups flour")} << true;
    QTest::newRow("ounces") << QStringList{QStringLiteral("8 oz cheese")} << true;
    QTest::newRow("pounds") << QStringList{QStringLiteral("1 lb beef")} << true;
    QTest::newRow("cinnamon sticks") << QStringList{QStringLiteral("2 sticks cinnamon")} << false;
    QTest::newRow("spoons only") << QStringList{QStringLiteral("1 tbsp oil"), QStringLiteral("1 tsp salt")} << false;
    QTest::newRow("Danish") << QStringList{QStringLiteral("2 dl mælk"), QStringLiteral("100 g smør")} << false;
    QTest::newRow("none") << QStringList{} << false;
}

void TestRewriting::usesAmericanMeasures_findsCupsOuncesAndPounds()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, american);
    QCOMPARE(usesAmericanMeasures(lines), american);
}

void TestRewriting::servingsFrom_readsTheDescription_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("servings"); // 0: none
    const auto row = [](const char *text, double servings) {
        QTest::newRow(text) << QString::fromUtf8(text) << servings;
    };
    row("Antal: 4", 4);
    row("Antal personer: 8\nBag i 20 minutter.", 8);
    row("Til 4 personer", 4);
    row("Opskriften er til 4 pers. som hovedret", 4);
    row("Giver 6 portioner", 6);
    row("Bag i 25 min. Giver ca. 10 stk.", 10);
    row("Til 4-6 personer", 4);
    row("Serves 6", 6);
    row("Bag ved 200 grader i 20 minutter", 0);
    row("Antal: 0", 0);
    row("", 0);
}

void TestRewriting::servingsFrom_readsTheDescription()
{
    QFETCH(QString, text);
    QFETCH(double, servings);
    const std::optional<double> read = servingsFrom(text);
    QCOMPARE(read.value_or(0), servings);
}

QTEST_GUILESS_MAIN(TestRewriting)
#include "tst_rewriting.moc"

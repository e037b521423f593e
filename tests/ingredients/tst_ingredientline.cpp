// Reading ingredient lines: what each piece of a real line is read as, where the amount stands,
// and that no line, however hostile, breaks the reader or comes back changed.
#include "ingredients/ingredientline.h"

#include <QFile>
#include <QtTest>

#include <cmath>

using namespace ingredients;

namespace {

constexpr double kNone = -1;

struct Expected {
    double low = kNone;
    double high = kNone;
    QString unit;
    QString name;
    QString comment;
    QString amountText; // what amountStart/amountLength point at
    bool optional = false;
    bool notScaled = false;
};

bool sameQuantity(const std::optional<Quantity> &q, double low, double high)
{
    if (!q)
        return low == kNone;
    return std::abs(q->low - low) < 0.01 && std::abs(q->high - high) < 0.01;
}

QString shown(const IngredientLine &r)
{
    const QString q = !r.quantity ? QStringLiteral("-")
        : r.quantity->low == r.quantity->high ? QString::number(r.quantity->low)
                                              : QString::number(r.quantity->low) + u'-' + QString::number(r.quantity->high);
    return QStringLiteral("[%1|%2|%3|%4]").arg(q, r.unit, r.name, r.comment);
}

} // namespace

Q_DECLARE_METATYPE(Expected)
Q_DECLARE_METATYPE(LineKind)

class TestIngredientLine : public QObject {
    Q_OBJECT

private slots:
    void readLine_findsAmountUnitNameAndComment_data();
    void readLine_findsAmountUnitNameAndComment();
    void readLine_tellsHeadingsAndEmptyLines_data();
    void readLine_tellsHeadingsAndEmptyLines();
    void readLine_hostileLine_isAnsweredWhole_data();
    void readLine_hostileLine_isAnsweredWhole();
    void measuringSet_readsAtLeast97Of100PerLanguage();
};

void TestIngredientLine::readLine_findsAmountUnitNameAndComment_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<Expected>("expected");
    const auto row = [](const char *line, double low, double high, const char *unit, const char *name,
                        const char *comment, const char *amountText, bool optional = false, bool notScaled = false) {
        QTest::newRow(line) << QString::fromUtf8(line)
                            << Expected{low, high, QString::fromUtf8(unit), QString::fromUtf8(name), QString::fromUtf8(comment),
                                        QString::fromUtf8(amountText), optional, notScaled};
    };
    // The example book and the import pages.
    row("4 æggeblommer", 4, 4, "", "æggeblommer", "", "4");
    row("100 g sukker", 100, 100, "g", "sukker", "", "100 g");
    row("1 stang vanilje", 1, 1, "stang", "vanilje", "", "1 stang");
    row("5 dl piskefløde", 5, 5, "dl", "piskefløde", "", "5 dl");
    row("Salt og peber", kNone, kNone, "", "Salt og peber", "", "");
    row("4 blade husblas", 4, 4, "blad", "husblas", "", "4 blade");
    row("ca. 1 kg hvedemel", 1, 1, "kg", "hvedemel", "", "1 kg");
    row("1 økologisk citron", 1, 1, "", "økologisk citron", "", "1");
    row("1,5 dl hvedemel", 1.5, 1.5, "dl", "hvedemel", "", "1,5 dl");
    // Numbers as they are written.
    row("2.5 dl mælk", 2.5, 2.5, "dl", "mælk", "", "2.5 dl");
    row("1½ spsk sukker", 1.5, 1.5, "spsk", "sukker", "", "1½ spsk");
    row("1 ½ l vand", 1.5, 1.5, "l", "vand", "", "1 ½ l");
    row("1 1/2 dl vand", 1.5, 1.5, "dl", "vand", "", "1 1/2 dl");
    row("½ tsk salt", 0.5, 0.5, "tsk", "salt", "", "½ tsk");
    row("¾ l mælk", 0.75, 0.75, "l", "mælk", "", "¾ l");
    row("⅓ dl olie", 1.0 / 3, 1.0 / 3, "dl", "olie", "", "⅓ dl");
    row("1/2 tsk salt", 0.5, 0.5, "tsk", "salt", "", "1/2 tsk");
    row("1-1/2 cups water", 1.5, 1.5, "cup", "water", "", "1-1/2 cups");
    row("1.000 g kartofler", 1000, 1000, "g", "kartofler", "", "1.000 g");
    row("250g smør", 250, 250, "g", "smør", "", "250g");
    row("et halvt løg", 0.5, 0.5, "", "løg", "", "et halvt");
    row("en halv citron", 0.5, 0.5, "", "citron", "", "en halv");
    row("to æg", 2, 2, "", "æg", "", "to");
    row("tolv rejer", 12, 12, "", "rejer", "", "tolv");
    row("halvanden dl fløde", 1.5, 1.5, "dl", "fløde", "", "halvanden dl");
    row("et bundt persille", 1, 1, "bdt", "persille", "", "et bundt");
    row("a pinch of salt", 1, 1, "pinch", "salt", "", "a pinch");
    row("one onion", 1, 1, "", "onion", "", "one");
    row("Pinch of salt", kNone, kNone, "pinch", "salt", "", "");
    row("Knivspids muskat", kNone, kNone, "knsp", "muskat", "", "");
    row("en smule salt", kNone, kNone, "", "en smule salt", "", "");
    row("et par stilke selleri", kNone, kNone, "", "et par stilke selleri", "", "");
    row("a few sprigs of thyme", kNone, kNone, "", "a few sprigs of thyme", "", "");
    row("a handful of nuts", 1, 1, "handful", "nuts", "", "a handful");
    row("et lille løg", 1, 1, "", "lille løg", "", "et");
    row("cirka 200 g smør", 200, 200, "g", "smør", "", "200 g");
    row("omkring 2 dl vand", 2, 2, "dl", "vand", "", "2 dl");
    row("about 3 cups flour", 3, 3, "cup", "flour", "", "3 cups");
    // Ranges.
    row("3-4 fed hvidløg, presset", 3, 4, "fed", "hvidløg", "presset", "3-4 fed");
    row("2 – 3 spsk olie", 2, 3, "spsk", "olie", "", "2 – 3 spsk");
    row("2 til 3 gulerødder", 2, 3, "", "gulerødder", "", "2 til 3");
    row("2 à 3 dl fløde", 2, 3, "dl", "fløde", "", "2 à 3 dl");
    row("2 or 3 carrots", 2, 3, "", "carrots", "", "2 or 3");
    row("1½-2 dl mælk", 1.5, 2, "dl", "mælk", "", "1½-2 dl");
    // The amount after the name.
    row("smør, 100 g", 100, 100, "g", "smør", "", "100 g");
    row("hvedemel (250 g)", 250, 250, "g", "hvedemel", "", "250 g");
    row("Hvedemel 250 g", 250, 250, "g", "Hvedemel", "", "250 g");
    row("Æg 2 stk.", 2, 2, "stk", "Æg", "", "2 stk.");
    // Units: spellings, dots, plural, and the other languages.
    row("2 spsk. olivenolie", 2, 2, "spsk", "olivenolie", "", "2 spsk.");
    row("2 stk. æg", 2, 2, "stk", "æg", "", "2 stk.");
    row("1 ds. tomatpuré", 1, 1, "ds", "tomatpuré", "", "1 ds.");
    row("2 dåser kokosmælk", 2, 2, "ds", "kokosmælk", "", "2 dåser");
    row("1 pk. gær", 1, 1, "pk", "gær", "", "1 pk.");
    row("2 bdt. radiser", 2, 2, "bdt", "radiser", "", "2 bdt.");
    row("3 poser te", 3, 3, "pose", "te", "", "3 poser");
    row("2 bægre creme fraiche", 2, 2, "bæger", "creme fraiche", "", "2 bægre");
    row("1 knsp. salt", 1, 1, "knsp", "salt", "", "1 knsp.");
    row("5 dråber citronolie", 5, 5, "dråbe", "citronolie", "", "5 dråber");
    row("2 cm frisk ingefær", 2, 2, "cm", "frisk ingefær", "", "2 cm");
    row("2 kopper kaffe", 2, 2, "kop", "kaffe", "", "2 kopper");
    row("1 tbsp olive oil", 1, 1, "tbsp", "olive oil", "", "1 tbsp");
    row("2 tablespoons butter", 2, 2, "tbsp", "butter", "", "2 tablespoons");
    row("1 T sugar", 1, 1, "tbsp", "sugar", "", "1 T");
    row("1 t salt", 1, 1, "tsp", "salt", "", "1 t");
    row("2 teaspoons vanilla", 2, 2, "tsp", "vanilla", "", "2 teaspoons");
    row("8 oz cream cheese", 8, 8, "oz", "cream cheese", "", "8 oz");
    row("2 lbs potatoes", 2, 2, "lb", "potatoes", "", "2 lbs");
    row("4 fl. oz. milk", 4, 4, "fl oz", "milk", "", "4 fl. oz.");
    row("1 cup of sugar", 1, 1, "cup", "sugar", "", "1 cup");
    row("1 (14 oz) can diced tomatoes", 1, 1, "can", "diced tomatoes", "14 oz", "1 (14 oz) can");
    row("2 sticks butter, softened", 2, 2, "stick", "butter", "softened", "2 sticks");
    row("2 ss smør", 2, 2, "spsk", "smør", "", "2 ss");
    row("3 msk olja", 3, 3, "spsk", "olja", "", "3 msk");
    row("1 krm salt", 1, 1, "krm", "salt", "", "1 krm");
    row("2 EL Olivenöl", 2, 2, "spsk", "Olivenöl", "", "2 EL");
    row("1 TL Zucker", 1, 1, "tsk", "Zucker", "", "1 TL");
    row("1 Prise Salz", 1, 1, "knsp", "Salz", "", "1 Prise");
    row("1 Bund Petersilie", 1, 1, "bdt", "Petersilie", "", "1 Bund");
    row("2 Zehen Knoblauch", 2, 2, "fed", "Knoblauch", "", "2 Zehen");
    // Packs, sizes and the part of a food.
    row("2 x 400 g hakkede tomater", 800, 800, "g", "hakkede tomater", "", "2 x 400 g");
    row("2 × 14 oz cans tomatoes", 28, 28, "oz", "cans tomatoes", "", "2 × 14 oz");
    row("1 stor dåse tomater", 1, 1, "ds", "tomater", "stor", "1 stor dåse");
    row("1 heaping tablespoon flour", 1, 1, "tbsp", "flour", "heaping", "1 heaping tablespoon");
    row("2 store æg", 2, 2, "", "store æg", "", "2");
    row("Saft af 1 citron", 1, 1, "", "citron", "Saft", "1");
    row("Revet skal af ½ appelsin, økologisk", 0.5, 0.5, "", "appelsin", "Revet skal, økologisk", "½");
    row("Juice of 2 limes", 2, 2, "", "limes", "Juice", "2");
    row("Olie af god kvalitet", kNone, kNone, "", "Olie af god kvalitet", "", "");
    // Comments, optional and not scaled.
    row("1 løg (ca. 100 g), hakket", 1, 1, "", "løg", "ca. 100 g, hakket", "1");
    row("1 dåse hakkede tomater (400 g)", 1, 1, "ds", "hakkede tomater", "400 g", "1 dåse");
    row("200 g bacon i tern", 200, 200, "g", "bacon i tern", "", "200 g");
    row("2 gulerødder - skåret i tern", 2, 2, "", "gulerødder", "skåret i tern", "2");
    row("evt. persille", kNone, kNone, "", "persille", "", "", true);
    row("eventuelt 1 tsk chili", 1, 1, "tsk", "chili", "", "1 tsk", true);
    row("1 spsk evt. citronsaft", 1, 1, "spsk", "citronsaft", "", "1 spsk", true);
    row("1 dl fløde (evt.)", 1, 1, "dl", "fløde", "", "1 dl", true);
    row("salt og peber efter smag", kNone, kNone, "", "salt og peber", "efter smag", "", false, true);
    row("olie til stegning", kNone, kNone, "", "olie", "til stegning", "", false, true);
    row("2 spsk smør til stegning", 2, 2, "spsk", "smør", "til stegning", "2 spsk", false, true);
    row("flødeskum til servering", kNone, kNone, "", "flødeskum", "til servering", "", false, true);
    row("1 æg til pensling", 1, 1, "", "æg", "til pensling", "1", false, true);
    row("salt, to taste", kNone, kNone, "", "salt", "to taste", "", false, true);
    row("farve efter ønske", kNone, kNone, "", "farve", "efter ønske", "", false, true);
    row("- 2 dl mælk", 2, 2, "dl", "mælk", "", "2 dl");
    row("• 1 tsk kanel", 1, 1, "tsk", "kanel", "", "1 tsk");
}

void TestIngredientLine::readLine_findsAmountUnitNameAndComment()
{
    QFETCH(QString, line);
    QFETCH(Expected, expected);
    const IngredientLine r = readLine(line);
    QCOMPARE(r.kind, LineKind::Ingredient);
    QVERIFY2(sameQuantity(r.quantity, expected.low, expected.high), qPrintable(shown(r)));
    QCOMPARE(r.unit, expected.unit);
    QCOMPARE(r.name, expected.name);
    QCOMPARE(r.comment, expected.comment);
    QCOMPARE(r.amountStart >= 0 ? line.mid(r.amountStart, r.amountLength) : QString(), expected.amountText);
    QCOMPARE(r.optional, expected.optional);
    QCOMPARE(r.notScaled, expected.notScaled);
}

void TestIngredientLine::readLine_tellsHeadingsAndEmptyLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<LineKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("heading") << QStringLiteral("Dej:") << LineKind::Heading << QStringLiteral("Dej");
    QTest::newRow("two words") << QStringLiteral("Til fyld:") << LineKind::Heading << QStringLiteral("Til fyld");
    QTest::newRow("bullet") << QStringLiteral("• Til pynt:") << LineKind::Heading << QStringLiteral("Til pynt");
    QTest::newRow("spaces after") << QStringLiteral("  Sovs : \t") << LineKind::Heading << QStringLiteral("Sovs");
    QTest::newRow("empty") << QString() << LineKind::Empty << QString();
    QTest::newRow("blank") << QStringLiteral(" \t \u00a0") << LineKind::Empty << QString();
    QTest::newRow("no amount") << QStringLiteral("Kirsebærsovs") << LineKind::Ingredient << QStringLiteral("Kirsebærsovs");
}

void TestIngredientLine::readLine_tellsHeadingsAndEmptyLines()
{
    QFETCH(QString, line);
    QFETCH(LineKind, kind);
    QFETCH(QString, name);
    const IngredientLine r = readLine(line);
    QCOMPARE(r.kind, kind);
    QCOMPARE(r.name, name);
    QVERIFY(!r.quantity);
    QCOMPARE(r.amountStart, -1);
}

void TestIngredientLine::readLine_hostileLine_isAnsweredWhole_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("keptWhole"); // the line is the name, with no amount
    QTest::newRow("divide by zero") << QStringLiteral("1/0") << true;
    QTest::newRow("zero over zero") << QStringLiteral("0/0 dl mælk") << true;
    QTest::newRow("10000 digits") << QString(10000, u'9') + QStringLiteral(" g mel") << true;
    QTest::newRow("10000 decimals") << QStringLiteral("1,") + QString(10000, u'5') + QStringLiteral(" dl") << true;
    QTest::newRow("nan") << QStringLiteral("nan g sukker") << true;
    QTest::newRow("inf") << QStringLiteral("inf dl") << true;
    QTest::newRow("exponent") << QStringLiteral("1e400 g mel") << false;
    QTest::newRow("control characters") << QStringLiteral("2\u0001dl\u0000mælk\u001b[31m") << false;
    QTest::newRow("megabyte") << QStringLiteral("2 dl ") + QString(1 << 20, u'(') << false;
    QTest::newRow("megabyte of commas") << QString(1 << 20, u',') << true;
    QTest::newRow("megabyte of ranges") << QStringLiteral("1-2-3-4-5-6-7-8-9").repeated(60000) << false;
    QTest::newRow("many measures") << QStringLiteral("2 cups flour (1 cup)").repeated(10000) << false;
    QTest::newRow("lone surrogate") << QStringLiteral("2 dl ") + QChar(0xD800) + QStringLiteral("mælk") << false;
}

void TestIngredientLine::readLine_hostileLine_isAnsweredWhole()
{
    QFETCH(QString, line);
    QFETCH(bool, keptWhole);
    const IngredientLine r = readLine(line);
    if (r.quantity) {
        QVERIFY(std::isfinite(r.quantity->low) && std::isfinite(r.quantity->high));
        QVERIFY(r.quantity->low >= 0 && r.quantity->high >= r.quantity->low);
        QVERIFY(r.amountStart >= 0 && r.amountStart + r.amountLength <= line.size());
    }
    if (keptWhole) {
        QVERIFY(!r.quantity);
        QCOMPARE(r.name, line.trimmed());
    }
    QCOMPARE(scaledLine(line, 1), line);
    QVERIFY(scaledLine(line, 2).size() <= line.size() + 20);
    QVERIFY(danishMeasuresLine(line).size() <= 2 * line.size() + 20);
}

// The held-out lines: written for measuring, never used to tune the reader.
void TestIngredientLine::measuringSet_readsAtLeast97Of100PerLanguage()
{
    QFile file(qEnvironmentVariable("RETTERUM_TEST_SOURCE") + QStringLiteral("/measuring-set.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QHash<QString, int> total, right;
    QStringList wrong;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        if (raw.isEmpty() || raw.startsWith('#'))
            continue;
        const QStringList f = QString::fromUtf8(raw).split(u'\t');
        QCOMPARE(f.size(), 5);
        const QStringList q = f.at(2).split(u'-');
        const double low = q.at(0).isEmpty() ? kNone : q.at(0).toDouble();
        const double high = q.size() > 1 ? q.at(1).toDouble() : low;
        const IngredientLine r = readLine(f.at(1));
        ++total[f.at(0)];
        if (sameQuantity(r.quantity, low, high) && r.unit == f.at(3) && r.name == f.at(4))
            ++right[f.at(0)];
        else
            wrong.append(f.at(1) + QStringLiteral(" → ") + shown(r));
    }
    for (const QString &language : {QStringLiteral("da"), QStringLiteral("en")})
        qInfo("%s: %d of %d lines right", qPrintable(language), right.value(language), total.value(language));
    for (const QString &w : std::as_const(wrong))
        qInfo("  %s", qPrintable(w));
    for (const QString &language : {QStringLiteral("da"), QStringLiteral("en")})
        QVERIFY(right.value(language) * 100 >= 97 * total.value(language));
}

QTEST_GUILESS_MAIN(TestIngredientLine)
#include "tst_ingredientline.moc"

// Lines of several recipes merged into one shopping list: the same food added up in a unit it
// can be added in, written as a Dane buys it, never a volume turned into a weight.
#include "shopping/foodname.h"
#include "shopping/groups.h"
#include "shopping/merge.h"

#include <QtTest>

using namespace shopping;
using namespace Qt::StringLiterals;

namespace {

// Two recipes: the first line list goes to "Suppe", the second to "Gryde".
QList<RecipeLines> twoRecipes(const QStringList &first, const QStringList &second, double factor = 1)
{
    return {{u"Suppe"_s, first, 1}, {u"Gryde"_s, second, factor}};
}

QStringList texts(const QList<Item> &items)
{
    QStringList out;
    for (const Item &item : items)
        out.append(item.text());
    return out;
}

} // namespace

class TestMerge : public QObject {
    Q_OBJECT

private slots:
    void merge_addsUpTheSameFood_data();
    void merge_addsUpTheSameFood();
    void merge_keepsSourcesAndRecipes();
    void merge_scalesByFactor();
    void foodKey_meetsSingularAndPlural_data();
    void foodKey_meetsSingularAndPlural();
    void groupOf_findsTheSection_data();
    void groupOf_findsTheSection();
};

void TestMerge::merge_addsUpTheSameFood_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QStringList>("list");
    using L = QStringList;
    // The faults users meet in other programs' lists.
    QTest::newRow("1 løg and 2 løg are one line") << L{u"1 løg"_s} << L{u"2 løg, hakket"_s} << L{u"3 løg"_s};
    QTest::newRow("300 g + 500 g") << L{u"300 g hakket oksekød"_s} << L{u"500 g hakket oksekød"_s} << L{u"800 g hakket oksekød"_s};
    QTest::newRow("a range keeps its upper bound") << L{u"2-3 fed hvidløg"_s} << L{u"1 fed hvidløg"_s} << L{u"3-4 fed hvidløg"_s};
    QTest::newRow("½ is read") << L{u"½ tsk salt"_s} << L{u"1 tsk salt"_s} << L{u"1½ tsk salt"_s};
    QTest::newRow("decimal comma is no separator") << L{u"2,5 dl mælk"_s} << L{u"1,5 dl mælk"_s} << L{u"4 dl mælk"_s};
    QTest::newRow("volume never becomes weight") << L{u"1½ dl sukker"_s} << L{u"100 g sukker"_s}
                                                  << L{u"1,5 dl sukker"_s, u"100 g sukker"_s};
    // Units that add up.
    QTest::newRow("g + kg as kg") << L{u"1 kg kartofler"_s} << L{u"500 g kartofler"_s} << L{u"1,5 kg kartofler"_s};
    QTest::newRow("ml + dl as dl") << L{u"200 ml fløde"_s} << L{u"5 dl fløde"_s} << L{u"7 dl fløde"_s};
    QTest::newRow("cl + l as l") << L{u"50 cl vand"_s} << L{u"1 l vand"_s} << L{u"1,5 l vand"_s};
    QTest::newRow("spoons stay spoons") << L{u"1 spsk olie"_s} << L{u"3 tsk olie"_s} << L{u"2 spsk olie"_s};
    QTest::newRow("spoons and dl") << L{u"2 spsk mel"_s} << L{u"1 dl mel"_s} << L{u"1,3 dl mel"_s};
    QTest::newRow("cups with dl") << L{u"1 cup milk"_s} << L{u"1 dl milk"_s} << L{u"3,4 dl milk"_s};
    QTest::newRow("tbsp with spsk") << L{u"1 tbsp olie"_s} << L{u"1 spsk olie"_s} << L{u"2 spsk olie"_s};
    QTest::newRow("fl oz with ml") << L{u"1 fl oz rum"_s} << L{u"20 ml rum"_s} << L{u"50 ml rum"_s};
    // 780,4 g, to 25 g as a scale above 500 g is read
    QTest::newRow("oz + lb + g") << L{u"8 oz butter"_s, u"1 lb butter"_s} << L{u"100 g butter"_s} << L{u"775 g butter"_s};
    QTest::newRow("stk and no unit") << L{u"2 stk æg"_s} << L{u"3 æg"_s} << L{u"5 æg"_s};
    QTest::newRow("other units within themselves") << L{u"1 dåse hakkede tomater (ca. 400 g)"_s}
                                                   << L{u"2 ds. hakkede tomater"_s, u"1 pk hakkede tomater"_s}
                                                   << L{u"3 ds hakkede tomater"_s, u"1 pk hakkede tomater"_s};
    QTest::newRow("packs count whole") << L{u"2 x 400 g flåede tomater"_s} << L{u"400 g flåede tomater"_s}
                                       << L{u"1,2 kg flåede tomater"_s};
    // The same food, however it is written.
    QTest::newRow("singular and plural") << L{u"1 gulerod"_s, u"1 citron"_s, u"1 porre"_s, u"1 kartoffel"_s}
                                         << L{u"3 gulerødder i tern"_s, u"2 citroner"_s, u"2 porrer, i ringe"_s, u"4 kartofler"_s}
                                         << L{u"4 gulerødder"_s, u"3 citroner"_s, u"3 porrer"_s, u"5 kartofler"_s};
    QTest::newRow("what it is for") << L{u"125 g smør"_s} << L{u"150 g smør til fyld"_s} << L{u"275 g smør"_s};
    QTest::newRow("letter case and per cent") << L{u"2 dl Creme fraiche 18 %"_s} << L{u"1 dl creme fraiche 18%"_s}
                                              << L{u"3 dl Creme fraiche 18 %"_s};
    QTest::newRow("different fat stays apart") << L{u"2 dl creme fraiche 18%"_s} << L{u"1 dl creme fraiche 9%"_s}
                                               << L{u"2 dl creme fraiche 18%"_s, u"1 dl creme fraiche 9%"_s};
    // No amount.
    QTest::newRow("no amount appears once") << L{u"salt og peber"_s, u"Dej:"_s, u""_s} << L{u"Salt og peber"_s}
                                            << L{u"salt og peber"_s};
    QTest::newRow("no amount joins the amount") << L{u"persille"_s} << L{u"1 bdt persille"_s} << L{u"1 bdt persille"_s};
    QTest::newRow("a line not understood stays whole") << L{u"lidt godt til kaffen"_s} << L{}
                                                       << L{u"lidt godt til kaffen"_s};
}

void TestMerge::merge_addsUpTheSameFood()
{
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QStringList, list);
    QCOMPARE(texts(mergeRecipes(twoRecipes(first, second))), list);
}

void TestMerge::merge_keepsSourcesAndRecipes()
{
    const QList<Item> items = mergeRecipes(twoRecipes({u"1 løg"_s, u"2 gulerødder"_s},
                                                      {u"2 løg, hakket"_s, u"løg"_s}));
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0).lines, (QStringList{u"1 løg"_s, u"2 løg, hakket"_s, u"løg"_s}));
    QCOMPARE(items.at(0).recipes, (QStringList{u"Suppe"_s, u"Gryde"_s}));
    QCOMPARE(items.at(1).lines, QStringList{u"2 gulerødder"_s});
    QCOMPARE(items.at(1).recipes, QStringList{u"Suppe"_s});
    // The two "sukker" items are told apart by their keys, and kept apart.
    const QList<Item> sugar = mergeRecipes(twoRecipes({u"1 dl sukker"_s}, {u"50 g sukker"_s}));
    QCOMPARE(sugar.size(), 2);
    QVERIFY(sugar.at(0).key == sugar.at(1).key);
    QVERIFY(sugar.at(0).itemKey() != sugar.at(1).itemKey());
}

void TestMerge::merge_scalesByFactor()
{
    const QList<Item> items = mergeRecipes(twoRecipes({u"300 g mel"_s, u"2-3 æg"_s},
                                                      {u"200 g mel"_s, u"1 æg"_s,
                                                       u"1 tsk salt efter smag"_s},
                                                      1.5));
    QCOMPARE(texts(items), (QStringList{u"600 g mel"_s, u"3½-4½ æg"_s, u"1 tsk salt"_s}));
    QCOMPARE(items.at(0).written()->low, 600.0);
    QCOMPARE(items.at(1).written()->high, 4.5);
}

void TestMerge::foodKey_meetsSingularAndPlural_data()
{
    QTest::addColumn<QString>("one");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("same");
    QTest::newRow("gulerod") << u"gulerod"_s << u"gulerødder"_s << true;
    QTest::newRow("citron") << u"citron"_s << u"Citroner"_s << true;
    QTest::newRow("porre") << u"porre"_s << u"porrer"_s << true;
    QTest::newRow("kartoffel") << u"kartoffel"_s << u"kartofler"_s << true;
    QTest::newRow("løg") << u"løg"_s << u"LØG"_s << true;
    QTest::newRow("tomat") << u"tomat"_s << u"tomater"_s << true;
    QTest::newRow("æggeblomme") << u"æggeblomme"_s << u"æggeblommer"_s << true;
    QTest::newRow("hasselnød") << u"hasselnød"_s << u"hasselnødder"_s << true;
    QTest::newRow("adjective") << u"rød peberfrugt"_s << u"røde peberfrugter"_s << true;
    QTest::newRow("English") << u"tomato"_s << u"tomatoes"_s << true;
    QTest::newRow("accents") << u"crème fraîche"_s << u"creme fraiche"_s << true;
    QTest::newRow("cut") << u"gulerødder i tern"_s << u"gulerod"_s << true;
    QTest::newRow("per cent") << u"mælk 1,5 %"_s << u"mælk 1,5%"_s << true;
    QTest::newRow("å is no a") << u"rå"_s << u"ra"_s << false;
    QTest::newRow("ris and is") << u"ris"_s << u"is"_s << false;
    QTest::newRow("løg and hvidløg") << u"løg"_s << u"hvidløg"_s << false;
    QTest::newRow("fat content") << u"creme fraiche 18%"_s << u"creme fraiche 9%"_s << false;
}

void TestMerge::foodKey_meetsSingularAndPlural()
{
    QFETCH(QString, one);
    QFETCH(QString, other);
    QFETCH(bool, same);
    QCOMPARE(foodKey(one) == foodKey(other), same);
}

void TestMerge::groupOf_findsTheSection_data()
{
    QTest::addColumn<QString>("food");
    QTest::addColumn<QString>("group");
    QTest::newRow("vegetable") << u"gulerødder"_s << u"frugt og grønt"_s;
    QTest::newRow("compound vegetable") << u"rødløg"_s << u"frugt og grønt"_s;
    QTest::newRow("bread") << u"rugbrød"_s << u"brød"_s;
    QTest::newRow("dairy with fat") << u"creme fraiche 18 %"_s << u"mejeri"_s;
    QTest::newRow("compound dairy") << u"piskefløde"_s << u"mejeri"_s;
    QTest::newRow("meat") << u"hakket oksekød"_s << u"kød og fisk"_s;
    QTest::newRow("flour") << u"hvedemel"_s << u"kolonial"_s;
    QTest::newRow("tinned tomatoes") << u"hakkede tomater"_s << u"kolonial"_s;
    QTest::newRow("coconut milk is no dairy") << u"kokosmælk"_s << u"kolonial"_s;
    QTest::newRow("frozen peas") << u"frosne ærter"_s << u"frost"_s;
    QTest::newRow("rice is no ice") << u"ris"_s << u"kolonial"_s;
    QTest::newRow("compound rice") << u"grødris"_s << u"kolonial"_s;
    QTest::newRow("unknown") << u"køkkenrulle"_s << u"andet"_s;
}

void TestMerge::groupOf_findsTheSection()
{
    QFETCH(QString, food);
    QFETCH(QString, group);
    QCOMPARE(groupName(groupOf(food)), group);
    // The user's choice for the food wins, for every spelling of it.
    const GroupChoices choices{{foodKey(food), Group::Andet}};
    QCOMPARE(groupOf(food.toUpper(), choices), Group::Andet);
}

QTEST_GUILESS_MAIN(TestMerge)
#include "tst_merge.moc"

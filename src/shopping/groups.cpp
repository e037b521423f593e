#include "shopping/groups.h"

#include "shopping/foodname.h"

#include <algorithm>
#include <optional>

namespace shopping {

namespace {

struct GroupFoods {
    Group group;
    const char16_t *foods; // separated by ";", in the singular
};

// Common foods of Danish recipes. Compounds need no line of their own when they end in a food
// of the same group ("rødløg", "hvedemel"); a compound that ends in one of another group does
// ("kokosmælk" is no dairy, "frosne ærter" no fresh vegetable).
const GroupFoods kFoods[] = {
    {Group::FrugtOgGroent,
     u"løg;hvidløg;skalotteløg;porre;gulerod;kartoffel;tomat;cherrytomat;agurk;salat;spinat;kål;"
     u"broccoli;blomkål;squash;aubergine;peberfrugt;chili;selleri;bladselleri;pastinak;persillerod;"
     u"rødbede;champignon;svamp;ingefær;persille;dild;basilikum;koriander;purløg;timian;rosmarin;"
     u"mynte;citron;lime;appelsin;æble;pære;banan;jordbær;hindbær;blåbær;avocado;majs;ært;bønne;"
     u"asparges;fennikel;radise;forårsløg;grønkål;rucola;ananas;mango;vindrue;druer;melon;kiwi;"
     u"frugt;grøntsag;krydderurt;citrongræs;kørvel;estragon;salvie;oregano;kartofler;batat"},
    {Group::Broed,
     u"brød;rugbrød;franskbrød;bolle;pitabrød;tortilla;wrap;baguette;ciabatta;burgerbolle;"
     u"rasp;knækbrød;toastbrød;pølsebrød"},
    {Group::Mejeri,
     u"mælk;sødmælk;letmælk;skummetmælk;kærnemælk;fløde;piskefløde;madlavningsfløde;creme fraiche;"
     u"yoghurt;skyr;smør;margarine;ost;parmesan;mozzarella;feta;flødeost;hytteost;ricotta;"
     u"mascarpone;æg;æggeblomme;æggehvide;cream cheese;butter;milk;cream;cheese;egg;smørbar"},
    {Group::KoedOgFisk,
     u"kød;hakket oksekød;oksekød;svinekød;kalvekød;lammekød;kylling;kyllingebryst;kyllingefilet;"
     u"kyllingelår;bacon;skinke;pølse;medister;flæsk;flæskesteg;mørbrad;culotte;entrecote;bøf;"
     u"filet;bryst;lår;fisk;laks;torsk;rødspætte;sild;tun;reje;muslinge;kammusling;hummer;and;"
     u"gås;kalkun;frikadelle;spegepølse;leverpostej;chicken;beef;pork"},
    {Group::Kolonial,
     u"mel;hvedemel;rugmel;sukker;flormelis;rørsukker;salt;peber;olie;olivenolie;rapsolie;eddike;"
     u"balsamico;sennep;ketchup;mayonnaise;soja;sojasauce;fond;bouillon;bouillonterning;ris;pasta;"
     u"spaghetti;nudler;couscous;bulgur;havregryn;gryn;bagepulver;natron;gær;vaniljesukker;vanilje;"
     u"kanel;kardemomme;spidskommen;karry;paprika;muskatnød;nellike;laurbærblad;chiliflager;"
     u"honning;sirup;marmelade;chokolade;kakao;nød;mandel;hasselnød;valnød;rosin;kokosmælk;"
     u"flåede tomater;hakkede tomater;tomatpuré;tomatpure;kikært;linse;kapers;oliven;kaffe;te;"
     u"vin;rødvin;hvidvin;øl;vand;kokosmel;majsstivelse;maizena;gelatine;husblas;flour;sugar;"
     u"oil;vinegar;rice;konserves;dåsetomat;farin;brun farin;grødris;risengrød;makron;kerne;rugkerne;"
     u"solsikkekerne;græskarkerne;hørfrø;sesamfrø;surdej;gelé;ribsgelé;syltetøj;sovs;kirsebærsovs"},
    {Group::Frost,
     u"frosne ærter;frosne bær;frossen spinat;is;isterning;butterdej;frosne grøntsager;"
     u"frossen;frosne"},
};

struct Table {
    QHash<QString, Group> byKey;
    qsizetype longestKey = 0;
    Table()
    {
        for (const GroupFoods &g : kFoods) {
            for (const QString &food : QString::fromUtf16(g.foods).split(u';', Qt::SkipEmptyParts)) {
                const QString key = foodKey(food);
                byKey.insert(key, g.group);
                longestKey = std::max(longestKey, key.size());
            }
        }
    }
};

const Table &table()
{
    static const Table t;
    return t;
}

// The longest table food the key ends with, at a word's start or inside a compound word.
std::optional<Group> fromTable(const QString &key)
{
    const Table &t = table();
    for (qsizetype start = std::max<qsizetype>(0, key.size() - t.longestKey); start < key.size(); ++start) {
        const auto it = t.byKey.constFind(key.mid(start));
        // Within a word only a food of three letters or more: "is" is no part of "ris".
        if (it != t.byKey.constEnd() && (start == 0 || key.at(start - 1) == u' ' || key.size() - start >= 3))
            return *it;
    }
    return std::nullopt;
}

} // namespace

QString groupName(Group group)
{
    switch (group) {
    case Group::FrugtOgGroent:
        return QStringLiteral("frugt og grønt");
    case Group::Broed:
        return QStringLiteral("brød");
    case Group::Mejeri:
        return QStringLiteral("mejeri");
    case Group::KoedOgFisk:
        return QStringLiteral("kød og fisk");
    case Group::Kolonial:
        return QStringLiteral("kolonial");
    case Group::Frost:
        return QStringLiteral("frost");
    case Group::Andet:
        break;
    }
    return QStringLiteral("andet");
}

QList<Group> allGroups()
{
    return {Group::FrugtOgGroent, Group::Broed, Group::Mejeri, Group::KoedOgFisk,
            Group::Kolonial,      Group::Frost, Group::Andet};
}

bool groupFromName(const QString &name, Group *group)
{
    for (const Group g : allGroups()) {
        if (groupName(g) == name) {
            *group = g;
            return true;
        }
    }
    return false;
}

Group groupOf(const QString &name, const GroupChoices &choices)
{
    const QString key = foodKey(name);
    const auto chosen = choices.constFind(key);
    if (chosen != choices.constEnd())
        return *chosen;
    // "frosne ærter", "frossen spinat": the freezer, whatever the food.
    const QString lower = name.toLower();
    if (lower.contains(QStringLiteral("frossen")) || lower.contains(QStringLiteral("frosne"))
        || lower.contains(QStringLiteral("frost")))
        return Group::Frost;
    // Then without what follows the food: "creme fraiche 18%", "løg fint hakket".
    QStringList words = key.split(u' ');
    while (!words.isEmpty()) {
        if (const auto group = fromTable(words.join(u' ')))
            return *group;
        words.removeLast();
    }
    return Group::Andet;
}

} // namespace shopping

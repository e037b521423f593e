#include "ingredients/units.h"

#include "ingredients/scan.h"

#include <QHash>

namespace ingredients {

using namespace scan;

namespace {

struct UnitSpelling {
    const char16_t *written; // lower case; matched case-insensitively unless exact below
    const char16_t *shortForm;
    UnitKind kind;
};

constexpr UnitKind C = UnitKind::Count, W = UnitKind::Weight, V = UnitKind::Volume, L = UnitKind::Length;

// Every spelling, singular and plural; a trailing dot is taken with any of them.
const UnitSpelling kSpellings[] = {
    // Danish
    {u"l", u"l", V}, {u"ltr", u"l", V}, {u"liter", u"l", V}, {u"litre", u"l", V}, {u"litre", u"l", V},
    {u"dl", u"dl", V}, {u"deciliter", u"dl", V}, {u"cl", u"cl", V}, {u"centiliter", u"cl", V},
    {u"ml", u"ml", V}, {u"milliliter", u"ml", V}, {u"milliliters", u"ml", V}, {u"millilitre", u"ml", V},
    {u"millilitres", u"ml", V}, {u"liters", u"l", V}, {u"litres", u"l", V},
    {u"g", u"g", W}, {u"gr", u"g", W}, {u"gram", u"g", W}, {u"grams", u"g", W}, {u"gramm", u"g", W},
    {u"kg", u"kg", W}, {u"kilo", u"kg", W}, {u"kilogram", u"kg", W}, {u"kilograms", u"kg", W},
    {u"mg", u"mg", W},
    {u"spsk", u"spsk", C}, {u"spiseske", u"spsk", C}, {u"spiseskefuld", u"spsk", C},
    {u"spiseskefulde", u"spsk", C}, {u"tsk", u"tsk", C}, {u"teske", u"tsk", C}, {u"teskefuld", u"tsk", C},
    {u"teskefulde", u"tsk", C}, {u"knsp", u"knsp", C}, {u"knivspids", u"knsp", C},
    {u"knivspidser", u"knsp", C}, {u"stk", u"stk", C}, {u"stykke", u"stk", C}, {u"stykker", u"stk", C},
    {u"fed", u"fed", C}, {u"bdt", u"bdt", C}, {u"bundt", u"bdt", C}, {u"bundter", u"bdt", C},
    {u"ds", u"ds", C}, {u"dåse", u"ds", C}, {u"dåser", u"ds", C}, {u"pk", u"pk", C}, {u"pakke", u"pk", C},
    {u"pakker", u"pk", C}, {u"pose", u"pose", C}, {u"poser", u"pose", C}, {u"skive", u"skive", C},
    {u"skiver", u"skive", C}, {u"glas", u"glas", C}, {u"bæger", u"bæger", C}, {u"bægre", u"bæger", C},
    {u"net", u"net", C}, {u"tern", u"tern", C}, {u"blad", u"blad", C}, {u"blade", u"blad", C},
    {u"stilk", u"stilk", C}, {u"stilke", u"stilk", C}, {u"håndfuld", u"håndfuld", C},
    {u"håndfulde", u"håndfuld", C}, {u"nip", u"nip", C}, {u"dråbe", u"dråbe", C}, {u"dråber", u"dråbe", C},
    {u"kop", u"kop", C}, {u"kopper", u"kop", C}, {u"cm", u"cm", L}, {u"stang", u"stang", C},
    {u"stænger", u"stang", C}, {u"plade", u"plade", C}, {u"plader", u"plade", C}, {u"flaske", u"flaske", C},
    {u"flasker", u"flaske", C}, {u"bakke", u"bakke", C}, {u"bakker", u"bakke", C}, {u"kvist", u"kvist", C},
    {u"kviste", u"kvist", C}, {u"rulle", u"rulle", C}, {u"ruller", u"rulle", C},
    // English
    {u"cup", u"cup", C}, {u"cups", u"cup", C}, {u"c", u"cup", C}, {u"tbsp", u"tbsp", C},
    {u"tbsps", u"tbsp", C}, {u"tbs", u"tbsp", C}, {u"tbl", u"tbsp", C}, {u"tblsp", u"tbsp", C},
    {u"tablespoon", u"tbsp", C}, {u"tablespoons", u"tbsp", C}, {u"tsp", u"tsp", C}, {u"tsps", u"tsp", C},
    {u"teaspoon", u"tsp", C}, {u"teaspoons", u"tsp", C}, {u"oz", u"oz", W}, {u"ounce", u"oz", W},
    {u"ounces", u"oz", W}, {u"lb", u"lb", W}, {u"lbs", u"lb", W}, {u"pound", u"lb", W},
    {u"pounds", u"lb", W}, {u"pint", u"pint", V}, {u"pints", u"pint", V}, {u"pt", u"pint", V},
    {u"quart", u"quart", V}, {u"quarts", u"quart", V}, {u"qt", u"quart", V}, {u"gallon", u"gallon", V},
    {u"gallons", u"gallon", V}, {u"pinch", u"pinch", C}, {u"pinches", u"pinch", C},
    {u"dash", u"dash", C}, {u"dashes", u"dash", C}, {u"clove", u"clove", C}, {u"cloves", u"clove", C},
    {u"can", u"can", C}, {u"cans", u"can", C}, {u"stick", u"stick", C}, {u"sticks", u"stick", C},
    {u"slice", u"slice", C}, {u"slices", u"slice", C}, {u"package", u"package", C},
    {u"packages", u"package", C}, {u"pkg", u"package", C}, {u"packet", u"package", C},
    {u"packets", u"package", C}, {u"bunch", u"bunch", C}, {u"bunches", u"bunch", C},
    {u"sprig", u"sprig", C}, {u"sprigs", u"sprig", C}, {u"handful", u"handful", C},
    {u"handfuls", u"handful", C}, {u"jar", u"jar", C}, {u"jars", u"jar", C}, {u"drop", u"drop", C},
    {u"drops", u"drop", C}, {u"stalk", u"stalk", C}, {u"stalks", u"stalk", C}, {u"head", u"head", C},
    {u"heads", u"head", C}, {u"piece", u"stk", C}, {u"pieces", u"stk", C}, {u"bottle", u"bottle", C},
    {u"bottles", u"bottle", C}, {u"envelope", u"envelope", C}, {u"envelopes", u"envelope", C},
    {u"container", u"container", C}, {u"containers", u"container", C}, {u"bag", u"bag", C},
    {u"bags", u"bag", C}, {u"box", u"box", C}, {u"boxes", u"box", C}, {u"tin", u"can", C},
    {u"tins", u"can", C}, {u"sheet", u"sheet", C}, {u"sheets", u"sheet", C}, {u"knold", u"knold", C},
    {u"knolde", u"knold", C},
    // Norwegian and Swedish
    {u"ss", u"spsk", C}, {u"ts", u"tsk", C}, {u"msk", u"spsk", C}, {u"krm", u"krm", C},
    {u"st", u"stk", C}, {u"klype", u"knsp", C}, {u"nypa", u"knsp", C}, {u"boks", u"ds", C},
    {u"bokser", u"ds", C}, {u"burk", u"ds", C}, {u"burkar", u"ds", C}, {u"paket", u"pk", C},
    {u"pakka", u"pk", C}, {u"påse", u"pose", C}, {u"klyfta", u"fed", C}, {u"klyftor", u"fed", C},
    {u"båt", u"fed", C}, {u"båter", u"fed", C}, {u"bunt", u"bdt", C}, {u"knippe", u"bdt", C},
    {u"kopp", u"kop", C}, {u"skiva", u"skive", C}, {u"skivor", u"skive", C},
    // German
    {u"el", u"spsk", C}, {u"tl", u"tsk", C}, {u"prise", u"knsp", C}, {u"prisen", u"knsp", C},
    {u"bund", u"bdt", C}, {u"zehe", u"fed", C}, {u"zehen", u"fed", C}, {u"stück", u"stk", C},
    {u"msp", u"knsp", C}, {u"dose", u"ds", C}, {u"dosen", u"ds", C}, {u"päckchen", u"pk", C},
    {u"pck", u"pk", C}, {u"becher", u"bæger", C}, {u"scheibe", u"skive", C}, {u"scheiben", u"skive", C},
    {u"tasse", u"kop", C}, {u"tassen", u"kop", C}, {u"zweig", u"kvist", C}, {u"zweige", u"kvist", C},
};

// Spellings whose letter case decides: "T" is a tablespoon and "t" a teaspoon.
const UnitSpelling kExact[] = {{u"T", u"tbsp", C}, {u"t", u"tsp", C}, {u"Tbsp", u"tbsp", C},
                               {u"Tbs", u"tbsp", C}, {u"Tb", u"tbsp", C}};

struct Tables {
    QHash<QString, const UnitSpelling *> lower;
    QHash<QString, const UnitSpelling *> exact;
    QHash<QString, UnitKind> kinds;
    Tables()
    {
        for (const UnitSpelling &u : kSpellings) {
            lower.insert(QString::fromUtf16(u.written), &u);
            kinds.insert(QString::fromUtf16(u.shortForm), u.kind);
        }
        for (const UnitSpelling &u : kExact)
            exact.insert(QString::fromUtf16(u.written), &u);
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

// The longest spelling is 13 letters; a longer word is no unit and is never copied.
constexpr qsizetype kLongestUnit = 14;

const UnitSpelling *lookUp(QStringView word)
{
    if (word.isEmpty() || word.size() > kLongestUnit)
        return nullptr;
    const Tables &t = tables();
    const QString w = word.toString();
    if (const auto *u = t.exact.value(w))
        return u;
    // "T" and "t" are only units in their exact case; "C" is a temperature.
    if (w == u"C")
        return nullptr;
    return t.lower.value(w.toLower());
}

qsizetype afterDot(QStringView s, qsizetype pos)
{
    return pos < s.size() && s[pos] == u'.' ? pos + 1 : pos;
}

// "fl oz", "fl. oz.", "fluid ounces"
std::optional<UnitRead> fluidOunces(QStringView s, qsizetype pos, qsizetype firstEnd)
{
    const QStringView first = s.mid(pos, firstEnd - pos);
    if (first.compare(u"fl", Qt::CaseInsensitive) != 0 && first.compare(u"fluid", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const qsizetype second = skipSpaces(s, afterDot(s, firstEnd));
    const qsizetype secondEnd = wordEnd(s, second);
    const QStringView word = s.mid(second, secondEnd - second);
    if (word.compare(u"oz", Qt::CaseInsensitive) != 0 && word.compare(u"ounce", Qt::CaseInsensitive) != 0
        && word.compare(u"ounces", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    if (!atBoundary(s, secondEnd))
        return std::nullopt;
    return UnitRead{QStringLiteral("fl oz"), UnitKind::Volume, afterDot(s, secondEnd)};
}

} // namespace

std::optional<UnitRead> unitAt(QStringView s, qsizetype pos)
{
    if (pos >= s.size() || !isLetter(s[pos]))
        return std::nullopt;
    const qsizetype end = wordEnd(s, pos);
    if (!atBoundary(s, end))
        return std::nullopt;
    if (auto fl = fluidOunces(s, pos, end))
        return fl;
    const UnitSpelling *u = lookUp(s.mid(pos, end - pos));
    if (!u)
        return std::nullopt;
    return UnitRead{QString::fromUtf16(u->shortForm), u->kind, afterDot(s, end)};
}

UnitKind unitKind(const QString &shortForm)
{
    if (shortForm == u"fl oz")
        return UnitKind::Volume;
    return tables().kinds.value(shortForm, UnitKind::Count);
}

} // namespace ingredients

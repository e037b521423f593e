#include "ingredients/reading.h"

#include "ingredients/numbers.h"
#include "ingredients/scan.h"

#include <QStringList>

#include <iterator>

namespace ingredients {

using namespace scan;

namespace {

struct Amount {
    Span low, high, unit;
    double lowValue = 0, highValue = 0;
    UnitRead unitRead;
    bool hasUnit = false;
    qsizetype end = 0;    // after the amount and its unit
    Span sizeNote;        // "(400 g)" between the number and the unit
    Span sizeWord;        // "stor" in "1 stor dåse"
    Span packs;           // "2" in "2 x 400 g"
    double packCount = 0;

    qsizetype begin() const { return packs.isSet() ? packs.start : low.start; }

    void shift(qsizetype by)
    {
        for (Span *span : {&low, &high, &unit, &sizeNote, &sizeWord, &packs}) {
            if (span->isSet()) {
                span->start += by;
                span->end += by;
            }
        }
        end += by;
    }
};

bool isDash(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'-' || u == 0x2010 || u == 0x2011 || u == 0x2012 || u == 0x2013 || u == 0x2014 || u == u'~';
}

// Words that join the two ends of a range: "2 til 3", "2 à 3", "2 or 3".
const char16_t *const kRangeWords[] = {u"til", u"to", u"or", u"à", u"a", u"eller", u"el", u"bis", u"till", u"oder", u"å"};

// Words that say the amount is a guess; they stay where they are, outside the amount.
const char16_t *const kApproximately[] = {u"ca", u"cirka", u"circa", u"omkring", u"about", u"approx",
                                          u"approximately", u"around", u"ungefär", u"etwa", u"ungefähr", u"c:a"};

const char16_t *const kOf[] = {u"of", u"af"};

bool isAmountOfItsOwn(const QString &unit)
{
    return unit == u"pinch" || unit == u"dash" || unit == u"knsp" || unit == u"nip";
}

// Sizes that may stand between the number and the unit: "1 stor dåse", "1 heaping tablespoon".
const char16_t *const kSizes[] = {u"stor", u"store", u"stort", u"lille", u"små", u"god", u"gode", u"godt",
                                  u"large", u"small", u"medium", u"big", u"heaping", u"heaped", u"level",
                                  u"rounded", u"generous", u"scant", u"groß", u"große", u"kleine", u"klein"};

const char16_t *const kOptional[] = {u"evt", u"eventuelt", u"eventuellt", u"optional", u"optionally",
                                     u"valgfrit", u"valgfri", u"ev", u"gerne"};

// What makes an amount meaningless to scale; each stays in the comment.
const char16_t *const kNotScaled[] = {
    u"efter smag", u"til servering", u"til pensling", u"til stegning", u"til pynt", u"til drys",
    u"til anretning", u"til smøring", u"til friture", u"til formen", u"til bagepladen", u"efter behov",
    u"to taste", u"for serving", u"to serve", u"for garnish", u"to garnish", u"for frying",
    u"for greasing", u"as needed", u"for brushing", u"etter smak", u"efter smak", u"til steking",
    u"nach geschmack", u"zum braten", u"nach belieben", u"efter ønske", u"efter behag", u"til dekoration",
    u"if desired", u"as desired", u"for dusting", u"for decoration", u"for the pan"};

// The bullets a list copied from a page may keep in front of its lines.
bool isBullet(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'-' || u == u'*' || u == 0x2022 || u == 0x00B7 || u == 0x25A2 || u == 0x25A1 || u == 0x25CB
        || u == 0x25E6 || u == 0x2713 || u == 0x2013 || u == 0x2014 || u == 0x25AA || u == 0x25CF;
}

// The word w (lower case, maybe with spaces) at pos, whole, any letter case, with an optional dot.
qsizetype wordAt(QStringView s, qsizetype pos, QStringView w)
{
    if (pos + w.size() > s.size())
        return -1;
    for (qsizetype i = 0; i < w.size(); ++i) {
        const QChar a = s[pos + i];
        if (w[i] == u' ' ? !isSpace(a) : a.toLower() != w[i])
            return -1;
    }
    qsizetype end = pos + w.size();
    if (!atBoundary(s, end))
        return -1;
    if (end < s.size() && s[end] == u'.')
        ++end;
    return end;
}

template <std::size_t N>
qsizetype anyWordAt(QStringView s, qsizetype pos, const char16_t *const (&words)[N])
{
    for (const char16_t *w : words) {
        const qsizetype end = wordAt(s, pos, QStringView(w));
        if (end >= 0)
            return end;
    }
    return -1;
}

qsizetype packsSeparatorEnd(QStringView s, qsizetype pos)
{
    if (pos >= s.size() || !(s[pos] == u'x' || s[pos] == u'X' || s[pos].unicode() == 0x00D7))
        return -1;
    return atBoundary(s, pos + 1) || isDigit(s[pos + 1]) ? pos + 1 : -1;
}

qsizetype rangeSeparatorEnd(QStringView s, qsizetype pos)
{
    if (pos < s.size() && isDash(s[pos]))
        return pos + 1;
    if (pos < s.size() && s[pos] == u'/')
        return -1;
    return anyWordAt(s, pos, kRangeWords);
}

std::optional<Amount> amountAt(QStringView s, qsizetype pos)
{
    const auto first = numberAt(s, pos);
    if (!first)
        return std::nullopt;
    Amount a;
    a.low = {pos, first->end};
    a.lowValue = a.highValue = first->value;
    a.end = first->end;
    bool thousandsDot = first->thousandsDot;

    qsizetype p = skipSpaces(s, a.end);
    if (const qsizetype times = packsSeparatorEnd(s, p); times >= 0 && !first->word) {
        // "2 x 400 g": two packs of 400 g.
        if (const auto size = digitsAt(s, skipSpaces(s, times))) {
            a.packs = a.low;
            a.packCount = first->value;
            a.low = {skipSpaces(s, times), size->end};
            a.lowValue = a.highValue = size->value;
            a.end = size->end;
            thousandsDot = size->thousandsDot;
            p = skipSpaces(s, a.end);
        }
    } else if (const qsizetype sep = rangeSeparatorEnd(s, p); sep >= 0) {
        // A range: "2-3", "2 – 3", "2 til 3", "2 or 3".
        const qsizetype q = skipSpaces(s, sep);
        const bool spaced = q > sep || isDash(s[p]);
        const auto second = first->word ? numberAt(s, q) : digitsAt(s, q);
        if (second && spaced && second->value > first->value) {
            a.high = {q, second->end};
            a.highValue = second->value;
            a.end = second->end;
        }
    }

    // A size between number and unit: "1 (400 g) dåse", "1 (14 oz) can".
    p = skipSpaces(s, a.end);
    qsizetype unitPos = p;
    Span sizeNote;
    if (p < s.size() && s[p] == u'(') {
        const qsizetype close = s.mid(p, 40).indexOf(u')') + p;
        if (close > p) {
            sizeNote = {p + 1, close};
            unitPos = skipSpaces(s, close + 1);
        }
    }
    auto unit = unitAt(s, unitPos);
    if (!unit && !sizeNote.isSet()) {
        if (const qsizetype sizeEnd = anyWordAt(s, unitPos, kSizes); sizeEnd >= 0) {
            const qsizetype next = skipSpaces(s, sizeEnd);
            if (next > sizeEnd && (unit = unitAt(s, next))) {
                a.sizeWord = {unitPos, sizeEnd};
                unitPos = next;
            }
        }
    }
    if (unit) {
        a.unit = {unitPos, unit->end};
        a.unitRead = *unit;
        a.hasUnit = true;
        a.end = unit->end;
        a.sizeNote = sizeNote;
        if (thousandsDot && (unit->unit == u"g" || unit->unit == u"ml")) {
            a.lowValue *= 1000;
            a.highValue = a.high.isSet() ? a.highValue * 1000 : a.lowValue;
        }
    }
    return a;
}

struct Rest {
    QString name;
    QStringList comments;
    QList<Span> commentSpans;
};

void appendPiece(QString &name, QStringView piece)
{
    piece = trimmed(piece);
    if (piece.isEmpty())
        return;
    if (!name.isEmpty())
        name += u' ';
    name += piece;
}

// Splits what follows the amount into the name and the comments: parentheses anywhere, and
// everything after the first comma, semicolon or spaced dash.
Rest nameAndComments(QStringView s, qsizetype from)
{
    Rest rest;
    qsizetype pieceStart = from;
    qsizetype i = from;
    const auto addComment = [&](qsizetype b, qsizetype e) {
        const QStringView part = trimmed(s.mid(b, e - b));
        if (part.isEmpty())
            return;
        rest.comments.append(part.toString());
        rest.commentSpans.append({part.data() - s.data(), part.data() - s.data() + part.size()});
    };
    while (i < s.size()) {
        const QChar c = s[i];
        if (c == u'(' || c == u'[') {
            appendPiece(rest.name, s.mid(pieceStart, i - pieceStart));
            const QChar close = c == u'(' ? u')' : u']';
            int depth = 0;
            qsizetype j = i;
            for (; j < s.size(); ++j) {
                if (s[j] == c)
                    ++depth;
                else if (s[j] == close && --depth == 0)
                    break;
            }
            addComment(i + 1, j);
            i = j < s.size() ? j + 1 : j;
            pieceStart = i;
            continue;
        }
        const bool numberComma = c == u',' && i > from && isDigit(s[i - 1]) && i + 1 < s.size() && isDigit(s[i + 1]);
        const bool splits = ((c == u',' || c == u';') && !numberComma)
            || (isDash(c) && c != u'~' && i > from && isSpace(s[i - 1]) && i + 1 < s.size() && isSpace(s[i + 1]));
        if (splits) {
            appendPiece(rest.name, s.mid(pieceStart, i - pieceStart));
            addComment(i + 1, s.size());
            return rest;
        }
        ++i;
    }
    appendPiece(rest.name, s.mid(pieceStart, i - pieceStart));
    return rest;
}

qsizetype skipApproximately(QStringView s, qsizetype pos)
{
    const qsizetype end = anyWordAt(s, pos, kApproximately);
    return end >= 0 ? skipSpaces(s, end) : pos;
}

// An amount that is all of the text between b and e: "100 g", "ca. 250 g".
std::optional<Amount> wholeAmount(QStringView s, qsizetype b, qsizetype e)
{
    const QStringView part = s.mid(b, e - b);
    const qsizetype start = skipApproximately(part, 0);
    auto a = amountAt(part, start);
    if (!a || a->begin() != start || trimmed(part.mid(a->end)).size() != 0 || a->lowValue <= 0)
        return std::nullopt;
    a->shift(b);
    return a;
}

// An amount at the end of the name: "Hvedemel 250 g", "Æg 2 stk."
std::optional<Amount> trailingAmount(QStringView name)
{
    int tries = 0;
    for (qsizetype i = name.size() - 1; i > 0 && tries < 3; --i) {
        if (!isSpace(name[i - 1]) || !(isDigit(name[i]) || vulgarFraction(name[i])))
            continue;
        ++tries;
        if (auto a = wholeAmount(name, i, name.size()))
            return a;
    }
    return std::nullopt;
}

struct AmountAfterOf {
    Amount amount;
    qsizetype ofStart = 0;
};

// The first "af"/"of" before the first comma or parenthesis, if an amount follows it.
std::optional<AmountAfterOf> amountAfterOf(QStringView s, qsizetype from)
{
    for (qsizetype i = from + 1; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u',' || c == u'(' || c == u';')
            return std::nullopt;
        if (!isSpace(s[i - 1]) || (c != u'a' && c != u'o'))
            continue;
        qsizetype end = wordAt(s, i, u"af");
        if (end < 0)
            end = wordAt(s, i, u"of");
        if (end < 0 || end >= s.size() || !isSpace(s[end]))
            continue;
        const qsizetype at = skipSpaces(s, end);
        if (auto a = amountAt(s, at); a && a->lowValue > 0)
            return AmountAfterOf{*a, i};
        return std::nullopt;
    }
    return std::nullopt;
}

void setAmount(Reading &r, const Amount &a)
{
    IngredientLine &line = r.line;
    const double packs = a.packs.isSet() ? a.packCount : 1;
    line.quantity = Quantity{a.lowValue * packs, (a.high.isSet() ? a.highValue : a.lowValue) * packs};
    r.low = a.low;
    r.high = a.high;
    r.packs = a.packs;
    r.packCount = a.packCount;
    line.amountStart = a.begin();
    line.amountLength = a.end - line.amountStart;
    if (a.hasUnit) {
        line.unit = a.unitRead.unit;
        r.unit = a.unit;
        r.unitKind = a.unitRead.kind;
    }
}

bool isOptionalWord(QStringView text)
{
    const QStringView t = trimmed(text);
    const qsizetype end = anyWordAt(t, 0, kOptional);
    return end == t.size();
}

// "evt. persille" → optional, "persille"
bool takeOptionalPrefix(QString &name)
{
    const qsizetype end = anyWordAt(name, 0, kOptional);
    if (end <= 0 || end == name.size() || !isSpace(name[end]))
        return false;
    name = trimmed(QStringView(name).mid(end)).toString();
    return true;
}

// "olie til stegning" → "olie" with the comment "til stegning"; true when such words stand
// anywhere in name or comment.
bool takeNotScaled(QString &name, QStringList &comments)
{
    bool found = false;
    for (qsizetype i = 0; i < name.size() && !found; ++i) {
        if (i > 0 && !isSpace(name[i - 1]))
            continue;
        if (anyWordAt(name, i, kNotScaled) < 0)
            continue;
        found = true;
        if (i > 0) {
            comments.prepend(trimmed(QStringView(name).mid(i)).toString());
            name = trimmed(QStringView(name).left(i)).toString();
        }
    }
    for (const QString &c : comments) {
        for (qsizetype i = 0; i < c.size() && !found; ++i) {
            if ((i == 0 || isSpace(c[i - 1])) && anyWordAt(c, i, kNotScaled) >= 0)
                found = true;
        }
    }
    return found;
}

} // namespace

Reading readDetailed(QStringView s)
{
    Reading r;
    IngredientLine &line = r.line;
    const QStringView text = trimmed(s);
    if (text.isEmpty())
        return r;
    line.kind = LineKind::Ingredient;

    qsizetype pos = text.data() - s.data();
    if (isBullet(s[pos]) && pos + 1 < s.size() && isSpace(s[pos + 1]))
        pos = skipSpaces(s, pos + 1);
    const qsizetype afterBullet = pos;
    if (const qsizetype end = anyWordAt(s, pos, kOptional); end >= 0 && end < s.size() && isSpace(s[end])) {
        line.optional = true;
        pos = skipSpaces(s, end);
    }
    const qsizetype beforeGuess = pos;
    pos = skipApproximately(s, pos);

    std::optional<Amount> amount = amountAt(s, pos);
    qsizetype restFrom = beforeGuess;
    if (amount) {
        setAmount(r, *amount);
        restFrom = skipSpaces(s, amount->end);
        if (amount->hasUnit) {
            if (const qsizetype of = wordAt(s, restFrom, u"of"); of >= 0 && of < s.size() && isSpace(s[of]))
                restFrom = skipSpaces(s, of);
        }
    } else if (text.endsWith(u':')) {
        line.kind = LineKind::Heading;
        line.name = trimmed(s.mid(afterBullet, text.data() + text.size() - 1 - (s.data() + afterBullet))).toString();
        return r;
    }

    // "Pinch of salt", "Knivspids muskat": a unit that is an amount of its own, with no number.
    if (!amount) {
        if (const auto unit = unitAt(s, restFrom); unit && isAmountOfItsOwn(unit->unit) && unit->end < s.size()) {
            qsizetype next = skipSpaces(s, unit->end);
            if (next > unit->end) {
                if (const qsizetype of = anyWordAt(s, next, kOf); of >= 0 && of < s.size() && isSpace(s[of]))
                    next = skipSpaces(s, of);
                line.unit = unit->unit;
                r.unit = {restFrom, unit->end};
                r.unitKind = unit->kind;
                restFrom = next;
            }
        }
    }

    // "Saft af 1 citron", "Juice of 2 limes": the food follows the amount, the part before it
    // is the comment.
    QString partOf;
    if (!amount && line.unit.isEmpty()) {
        if (auto found = amountAfterOf(s, restFrom)) {
            partOf = trimmed(s.mid(restFrom, found->ofStart - restFrom)).toString();
            amount = found->amount;
            setAmount(r, *amount);
            restFrom = skipSpaces(s, amount->end);
        }
    }

    Rest rest = nameAndComments(s, restFrom);
    if (amount) {
        for (const Span &note : {amount->sizeNote, amount->sizeWord}) {
            if (note.isSet()) {
                rest.comments.prepend(trimmed(s.mid(note.start, note.end - note.start)).toString());
                rest.commentSpans.prepend(note);
            }
        }
    }
    if (!partOf.isEmpty())
        rest.comments.prepend(partOf);
    if (!amount) {
        // "smør, 100 g", "hvedemel (250 g)", "Hvedemel 250 g"
        for (qsizetype i = 0; i < rest.comments.size(); ++i) {
            const Span span = rest.commentSpans.at(i);
            if (auto a = wholeAmount(s, span.start, span.end)) {
                setAmount(r, *a);
                rest.comments.removeAt(i);
                break;
            }
        }
        if (!line.quantity && !rest.name.isEmpty()) {
            // The name is built of trimmed pieces; its last piece ends where the text does
            // only when there is no comment after it.
            const QStringView nameView(rest.name);
            if (auto a = trailingAmount(nameView)) {
                const qsizetype offset = s.lastIndexOf(nameView.mid(a->begin()));
                if (offset >= 0) {
                    Amount moved = *a;
                    moved.shift(offset - a->begin());
                    setAmount(r, moved);
                    rest.name = trimmed(nameView.left(a->begin())).toString();
                    if (rest.name.endsWith(u':'))
                        rest.name.chop(1);
                }
            }
        }
    }

    line.name = rest.name;
    if (takeOptionalPrefix(line.name))
        line.optional = true;
    for (qsizetype i = rest.comments.size() - 1; i >= 0; --i) {
        if (isOptionalWord(rest.comments.at(i))) {
            line.optional = true;
            rest.comments.removeAt(i);
        }
    }
    line.notScaled = takeNotScaled(line.name, rest.comments);
    line.comment = rest.comments.join(QStringLiteral(", "));
    if (!line.quantity && line.name.isEmpty()) {
        // Nothing a food could be made of: the line is carried whole.
        line.name = text.toString();
        line.comment.clear();
    }
    return r;
}

IngredientLine readLine(const QString &line)
{
    return readDetailed(line).line;
}

} // namespace ingredients

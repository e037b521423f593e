#include "ingredients/numbers.h"

#include "ingredients/scan.h"

#include <cmath>
#include <iterator>

namespace ingredients {

using namespace scan;

namespace {

// Nine digits hold every amount a recipe names; a longer run is not an amount.
constexpr int kMaxDigits = 9;

struct Digits {
    double value = 0;
    qsizetype end = 0;
    int count = 0;
};

Digits digitRun(QStringView s, qsizetype pos)
{
    Digits d;
    d.end = pos;
    while (d.end < s.size() && isDigit(s[d.end])) {
        if (d.count < kMaxDigits + 1)
            d.value = d.value * 10 + (s[d.end].unicode() - u'0');
        ++d.count;
        ++d.end;
    }
    return d;
}

bool isSlash(QChar c)
{
    return c == u'/' || c.unicode() == 0x2044;
}

// "n/d" at pos with a sensible denominator: a proper or improper fraction.
std::optional<NumberRead> slashFraction(QStringView s, qsizetype pos)
{
    const Digits num = digitRun(s, pos);
    if (num.count == 0 || num.count > kMaxDigits || num.end >= s.size() || !isSlash(s[num.end]))
        return std::nullopt;
    const Digits den = digitRun(s, num.end + 1);
    if (den.count == 0 || den.count > 4 || den.value == 0)
        return std::nullopt;
    NumberRead r;
    r.value = num.value / den.value;
    r.end = den.end;
    return r;
}

struct Word {
    const char16_t *text;
    double value;
};

// Longer phrases first, so that "en halv" wins over "en".
const Word kWords[] = {
    {u"et halvt", 0.5}, {u"en halv", 0.5}, {u"a half", 0.5}, {u"half a", 0.5}, {u"half an", 0.5},
    {u"halvanden", 1.5}, {u"halvandet", 1.5}, {u"halvannen", 1.5}, {u"halvt", 0.5}, {u"halv", 0.5},
    {u"half", 0.5}, {u"en", 1}, {u"et", 1}, {u"ett", 1}, {u"ei", 1}, {u"ein", 1}, {u"eine", 1},
    {u"one", 1}, {u"an", 1}, {u"a", 1}, {u"to", 2}, {u"två", 2}, {u"two", 2}, {u"zwei", 2},
    {u"tre", 3}, {u"three", 3}, {u"drei", 3}, {u"fire", 4}, {u"fyra", 4}, {u"four", 4},
    {u"vier", 4}, {u"fem", 5}, {u"five", 5}, {u"fünf", 5}, {u"seks", 6}, {u"sex", 6}, {u"six", 6},
    {u"sechs", 6}, {u"syv", 7}, {u"sju", 7}, {u"seven", 7}, {u"sieben", 7}, {u"otte", 8},
    {u"åtte", 8}, {u"åtta", 8}, {u"eight", 8}, {u"acht", 8}, {u"ni", 9}, {u"nio", 9}, {u"nine", 9},
    {u"neun", 9}, {u"ti", 10}, {u"tio", 10}, {u"ten", 10}, {u"zehn", 10}, {u"elleve", 11},
    {u"elva", 11}, {u"eleven", 11}, {u"elf", 11}, {u"tolv", 12}, {u"twelve", 12}, {u"zwölf", 12},
    {u"dusin", 12}, {u"dozen", 12}};

// Words after "en"/"a" that make it no number: "en smule salt", "a few sprigs".
const char16_t *const kNotCounted[] = {u"smule", u"few", u"couple", u"little", u"bit", u"lidt",
                                       u"god", u"good", u"par"};

bool wordMatches(QStringView s, qsizetype pos, QStringView word)
{
    if (pos + word.size() > s.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar a = s[pos + i], b = word[i];
        if (b == u' ') {
            if (!isSpace(a))
                return false;
        } else if (a.toLower() != b) {
            return false;
        }
    }
    return atBoundary(s, pos + word.size());
}

} // namespace

double vulgarFraction(QChar c)
{
    switch (c.unicode()) {
    case 0x00BD: return 1.0 / 2;
    case 0x00BC: return 1.0 / 4;
    case 0x00BE: return 3.0 / 4;
    case 0x2153: return 1.0 / 3;
    case 0x2154: return 2.0 / 3;
    case 0x2155: return 1.0 / 5;
    case 0x2156: return 2.0 / 5;
    case 0x2157: return 3.0 / 5;
    case 0x2158: return 4.0 / 5;
    case 0x2159: return 1.0 / 6;
    case 0x215A: return 5.0 / 6;
    case 0x215B: return 1.0 / 8;
    case 0x215C: return 3.0 / 8;
    case 0x215D: return 5.0 / 8;
    case 0x215E: return 7.0 / 8;
    default: return 0;
    }
}

std::optional<NumberRead> digitsAt(QStringView s, qsizetype pos)
{
    if (pos >= s.size())
        return std::nullopt;
    if (const double f = vulgarFraction(s[pos])) {
        NumberRead r;
        r.value = f;
        r.end = pos + 1;
        return r;
    }
    const Digits whole = digitRun(s, pos);
    if (whole.count == 0 || whole.count > kMaxDigits)
        return std::nullopt;
    NumberRead r;
    r.value = whole.value;
    r.end = whole.end;
    if (r.end < s.size() && isSlash(s[r.end]))
        return slashFraction(s, pos);
    if (r.end + 1 < s.size() && (s[r.end] == u',' || s[r.end] == u'.') && isDigit(s[r.end + 1])) {
        const Digits decimals = digitRun(s, r.end + 1);
        if (decimals.count > 6)
            return std::nullopt;
        if (s[r.end] == u'.' && decimals.count == 3 && whole.value > 0 && s[pos] != u'0')
            r.thousandsDot = true;
        r.value += decimals.value / std::pow(10.0, decimals.count);
        r.end = decimals.end;
        return r;
    }
    // "1½", "1 ½", "1 1/2", "1-1/2": a whole number and a fraction below one.
    if (r.end < s.size()) {
        if (const double f = vulgarFraction(s[r.end])) {
            r.value += f;
            r.end += 1;
            return r;
        }
    }
    const qsizetype after = skipSpaces(s, r.end);
    if (after > r.end && after < s.size()) {
        if (const double f = vulgarFraction(s[after])) {
            r.value += f;
            r.end = after + 1;
            return r;
        }
    }
    const qsizetype next = (after == r.end && after < s.size() && s[after] == u'-') ? after + 1 : after;
    if (next > r.end) {
        if (const auto f = slashFraction(s, next); f && f->value < 1) {
            r.value += f->value;
            r.end = f->end;
        }
    }
    return r;
}

std::optional<NumberRead> numberWordAt(QStringView s, qsizetype pos)
{
    if (pos >= s.size() || !isLetter(s[pos]))
        return std::nullopt;
    for (const Word &w : kWords) {
        const QStringView word(w.text);
        if (!wordMatches(s, pos, word))
            continue;
        // A number word counts only before something: "to æg", never a lone "to" or "a".
        const qsizetype after = skipSpaces(s, pos + word.size());
        if (after == pos + word.size() || after >= s.size() || !isLetter(s[after]))
            return std::nullopt;
        if (w.value == 1) {
            for (const char16_t *skip : kNotCounted) {
                if (wordMatches(s, after, QStringView(skip)))
                    return std::nullopt;
            }
        }
        NumberRead r;
        r.value = w.value;
        r.end = pos + word.size();
        r.word = true;
        return r;
    }
    return std::nullopt;
}

std::optional<NumberRead> numberAt(QStringView s, qsizetype pos)
{
    if (auto r = digitsAt(s, pos))
        return r;
    return numberWordAt(s, pos);
}

QString decimalComma(double value, int decimals)
{
    QString s = QString::number(value, 'f', decimals);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    s.replace(u'.', u',');
    return s == u"-0" ? QStringLiteral("0") : s;
}

} // namespace ingredients

#include "shopping/foodname.h"

#include <QStringList>

namespace shopping {

namespace {

// Accents a page may or may not write ("crème fraîche"); the Danish letters keep theirs.
QString withoutAccents(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        const QChar c = decomposed.at(i);
        const bool mark = c.unicode() >= 0x0300 && c.unicode() <= 0x036F;
        // "å" is a letter of its own, not an "a" with a ring.
        if (mark && !(c.unicode() == 0x030A && i > 0 && decomposed.at(i - 1).toLower() == u'a'))
            continue;
        out += c;
    }
    return out.normalized(QString::NormalizationForm_C);
}

bool endsWith(const QString &word, const char16_t *ending)
{
    return word.endsWith(QStringView(ending));
}

// Danish plurals that change the vowel; the rest differ from the singular only at the end.
const struct {
    const char16_t *plural;
    const char16_t *singular;
} kVowelPlurals[] = {{u"rødder", u"rod"}, {u"nødder", u"nød"}, {u"fødder", u"fod"}};

// One word reduced so that its singular and plural meet: the plural endings taken off, doubled
// consonants made single ("kartoffel"/"kartofler" both "kartofl").
QString stem(QString word)
{
    for (const auto &irregular : kVowelPlurals) {
        if (endsWith(word, irregular.plural)) {
            word.chop(QStringView(irregular.plural).size());
            word += QString::fromUtf16(irregular.singular);
            break;
        }
    }
    QString single;
    single.reserve(word.size());
    for (const QChar c : word) {
        if (single.isEmpty() || single.back() != c || !c.isLetter() || QStringView(u"aeiouyæøå").contains(c))
            single += c;
    }
    word = single;
    const auto chop = [&word](const char16_t *ending, const char16_t *instead = u"") {
        const qsizetype n = QStringView(ending).size();
        if (word.size() - n < 3 || !endsWith(word, ending))
            return false;
        word.chop(n);
        word += QString::fromUtf16(instead);
        return true;
    };
    chop(u"ies", u"y") || chop(u"oes", u"o") || chop(u"er") || chop(u"el", u"l") || chop(u"es") || chop(u"e")
        || chop(u"s");
    return word;
}

// How a food is cut, as a recipe writes it after " i ".
const char16_t *const kCuts[] = {u"tern", u"terninger", u"skiver", u"både", u"ringe", u"strimler", u"stykker",
                                 u"små stykker", u"grove stykker", u"små tern", u"halve", u"kvarte", u"stave",
                                 u"mundrette stykker", u"tynde skiver"};

} // namespace

QString withoutCut(const QString &name)
{
    QString trimmed = name.trimmed();
    // What the food is for is no part of it: "smør til fyld" is bought as "smør".
    const qsizetype purpose = trimmed.indexOf(QStringLiteral(" til "), 0, Qt::CaseInsensitive);
    if (purpose > 0)
        trimmed = trimmed.left(purpose).trimmed();
    for (const char16_t *cut : kCuts) {
        const QString ending = QStringLiteral(" i ") + QString::fromUtf16(cut);
        if (trimmed.size() > ending.size() && trimmed.endsWith(ending, Qt::CaseInsensitive))
            return trimmed.left(trimmed.size() - ending.size()).trimmed();
    }
    return trimmed;
}

QString foodKey(const QString &name)
{
    QString text = withoutAccents(withoutCut(name).toLower()).simplified();
    // "18 %" and "18%"
    text.replace(QStringLiteral(" %"), QStringLiteral("%"));
    QStringList words;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts))
        words.append(stem(word));
    return words.join(u' ');
}

} // namespace shopping

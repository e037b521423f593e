#include "search/textfold.h"

#include <array>

namespace search {

namespace {

bool isDanishLetter(char16_t c)
{
    switch (c) {
    case u'æ': case u'Æ': case u'ø': case u'Ø': case u'å': case u'Å':
        return true;
    default:
        return false;
    }
}

char16_t foldOne(char16_t unit)
{
    const QChar c(unit);
    if (c.isSurrogate())
        return unit;
    const QChar lower = c.toLower();
    if (isDanishLetter(unit))
        return lower.unicode();
    if (lower.decompositionTag() != QChar::Canonical)
        return lower.unicode();
    // The first unit of a canonical decomposition is the letter without its accent; å is kept
    // above, so "aa" never meets "å".
    const QString parts = lower.decomposition();
    if (parts.isEmpty() || parts.at(0).isSurrogate())
        return lower.unicode();
    return foldOne(parts.at(0).unicode());
}

// Nearly every unit of a Danish recipe is in the first 256; those are looked up.
const std::array<char16_t, 256> &latinTable()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[size_t(i)] = foldOne(char16_t(i));
        return t;
    }();
    return table;
}

} // namespace

QString foldText(const QString &text)
{
    const auto &table = latinTable();
    QString folded(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(folded.data());
    const char16_t *in = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = in[i] < 256 ? table[in[i]] : foldOne(in[i]);
    return folded;
}

QStringList queryWords(const QString &typed)
{
    QStringList words;
    for (const QString &word : foldText(typed.simplified()).split(u' ', Qt::SkipEmptyParts)) {
        if (!words.contains(word))
            words.append(word);
    }
    return words;
}

} // namespace search

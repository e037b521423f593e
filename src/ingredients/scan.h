#pragma once

#include <QStringView>

// Character classes the reader walks lines with: no allocation, no regular expression.
namespace ingredients::scan {

inline bool isSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == 0x00A0 || u == 0x2009 || u == 0x202F || u == 0x2007
        || u == u'\r' || u == u'\n';
}

inline bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

inline bool isLetter(QChar c)
{
    return c.isLetter();
}

inline qsizetype skipSpaces(QStringView s, qsizetype pos)
{
    while (pos < s.size() && isSpace(s[pos]))
        ++pos;
    return pos;
}

// End of the run of letters starting at pos.
inline qsizetype wordEnd(QStringView s, qsizetype pos)
{
    while (pos < s.size() && isLetter(s[pos]))
        ++pos;
    return pos;
}

// True when nothing that continues a word or number stands at pos.
inline bool atBoundary(QStringView s, qsizetype pos)
{
    return pos >= s.size() || !(isLetter(s[pos]) || isDigit(s[pos]));
}

inline QStringView trimmed(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && (isSpace(s[b]) || s[b].unicode() < 0x20))
        ++b;
    while (e > b && (isSpace(s[e - 1]) || s[e - 1].unicode() < 0x20))
        --e;
    return s.mid(b, e - b);
}

} // namespace ingredients::scan

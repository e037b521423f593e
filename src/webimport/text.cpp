#include "webimport/text.h"

#include "webimport/recipe.h"

#include "webimport/gumbotree.h"

#include <QRegularExpression>
#include <QStringList>

namespace webimport {

QString squeezed(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool space = false;
    for (const QChar c : text) {
        // Soft hyphens and zero-width marks are invisible on the page and no part of a word.
        if (c == QChar(0x00AD) || c == QChar(0x200B) || c == QChar(0x2060) || c == QChar(0xFEFF)
            || ((c == QChar(0x200C) || c == QChar(0x200D)) && !space && out.isEmpty()))
            continue;
        if (c.isSpace() || c == QChar(0x00A0) || c.category() == QChar::Other_Control) {
            space = !out.isEmpty();
            continue;
        }
        if (space)
            out.append(u' ');
        space = false;
        out.append(c);
    }
    return out;
}

namespace {

const QRegularExpression &entity()
{
    static const QRegularExpression pattern(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z][a-zA-Z0-9]{1,31});"));
    return pattern;
}

} // namespace

QString plainText(const QString &fromPage)
{
    QString text = fromPage;
    // Only a string that holds markup or entities goes through the HTML parser; twice when it
    // was escaped twice ("&amp;frac12;"), as content systems often do.
    for (int pass = 0; pass < 2 && (text.contains(u'<') || text.contains(u'&')); ++pass) {
        const bool entityInside = pass == 0 || text.contains(entity());
        if (!entityInside)
            break;
        const GumboDocument fragment(text.toUtf8(), GUMBO_TAG_DIV);
        text = rawText(fragment.root());
    }
    text = squeezed(text);
    if (text.size() > kMaxLineLength)
        text.truncate(kMaxLineLength);
    return text;
}

namespace {

// Minutes of an ISO 8601 duration, or -1 when the text is none.
qint64 isoMinutes(const QString &iso)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^P(?:(\\d+)D)?(?:T(?:(\\d+(?:[.,]\\d+)?)H)?(?:(\\d+(?:[.,]\\d+)?)M)?(?:(\\d+(?:[.,]\\d+)?)S)?)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = iso.trimmed();
    const QRegularExpressionMatch m = pattern.match(trimmed);
    if (!m.hasMatch() || trimmed.size() < 3)
        return -1;
    const auto number = [&m](int i) { return QString(m.captured(i)).replace(u',', u'.').toDouble(); };
    const double minutes = number(1) * 24 * 60 + number(2) * 60 + number(3) + number(4) / 60;
    // Beyond a year is no cooking time; also keeps the arithmetic in range.
    return minutes > 366.0 * 24 * 60 ? -1 : qRound64(minutes);
}

} // namespace

int minutesOf(const QString &iso)
{
    return int(qMax<qint64>(0, isoMinutes(iso)));
}

QString danishDuration(const QString &iso)
{
    const qint64 total = isoMinutes(iso);
    if (total < 0)
        return squeezed(iso);
    const qint64 days = total / (24 * 60);
    const qint64 hours = (total / 60) % 24;
    const qint64 mins = total % 60;
    QStringList parts;
    if (days > 0)
        parts << QString::number(days) + QStringLiteral(" døgn");
    if (hours > 0)
        parts << QString::number(hours) + (hours == 1 ? QStringLiteral(" time") : QStringLiteral(" timer"));
    if (mins > 0)
        parts << QString::number(mins) + QStringLiteral(" min");
    return parts.join(u' ');
}

} // namespace webimport

#include "webimport/pagetrim.h"

namespace webimport {

QByteArray withoutScriptText(const QByteArray &html, QList<QByteArray> *state)
{
    const QByteArray lowered = html.toLower();
    const QByteArrayView lower(lowered);
    QByteArray out;
    out.reserve(html.size());
    qsizetype from = 0; // copied up to here
    qsizetype i = 0;
    while ((i = lower.indexOf('<', i)) >= 0) {
        if (lower.sliced(i).startsWith("<!--")) {
            const qsizetype end = lower.indexOf("-->", i + 4);
            if (end < 0)
                break;
            i = end + 3;
            continue;
        }
        const bool script = lower.sliced(i).startsWith("<script");
        const bool style = !script && lower.sliced(i).startsWith("<style");
        const qsizetype nameEnd = i + (script ? 7 : 6);
        if ((!script && !style) || nameEnd >= lower.size()
            || !(lower.at(nameEnd) == '>' || lower.at(nameEnd) == ' ' || lower.at(nameEnd) == '\t'
                 || lower.at(nameEnd) == '\n' || lower.at(nameEnd) == '\r' || lower.at(nameEnd) == '/')) {
            ++i;
            continue;
        }
        const qsizetype open = lower.indexOf('>', nameEnd);
        if (open < 0)
            break;
        const qsizetype close = lower.indexOf(script ? "</script" : "</style", open + 1);
        if (close < 0)
            break;
        const bool keep = script && lower.sliced(i, open - i).contains("ld+json");
        if (!keep && script && state && lower.sliced(open + 1, close - open - 1).contains("ingredi"))
            state->append(html.sliced(open + 1, close - open - 1));
        if (!keep) {
            out.append(QByteArrayView(html).sliced(from, open + 1 - from));
            from = close;
        }
        i = close + 2;
    }
    out.append(QByteArrayView(html).sliced(from));
    return out;
}

} // namespace webimport

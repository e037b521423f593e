#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace search {

struct Excerpt {
    QString text;
    QList<std::pair<int, int>> marks; // start and length of each found word in text
};

// A short piece of text around the first of the words (folded), the words marked. A line of
// its own (an ingredient) is shown whole; a longer text is cut at spaces, "…" where it is cut.
Excerpt makeExcerpt(const QString &text, const QStringList &words);

// Where the first of the words stands in text, or -1, with its length.
std::pair<qsizetype, qsizetype> firstMatch(const QString &text, const QStringList &words);

} // namespace search

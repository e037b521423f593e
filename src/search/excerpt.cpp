#include "search/excerpt.h"

#include "search/textfold.h"

#include <algorithm>

namespace search {

namespace {

constexpr qsizetype kBefore = 30;
constexpr qsizetype kLength = 110;

std::pair<qsizetype, qsizetype> firstIn(const QString &folded, const QStringList &words)
{
    std::pair<qsizetype, qsizetype> first{-1, 0};
    for (const QString &word : words) {
        const qsizetype at = folded.indexOf(word);
        if (at >= 0 && (first.first < 0 || at < first.first))
            first = {at, word.size()};
    }
    return first;
}

} // namespace

std::pair<qsizetype, qsizetype> firstMatch(const QString &text, const QStringList &words)
{
    return firstIn(foldText(text), words);
}

Excerpt makeExcerpt(const QString &text, const QStringList &words)
{
    const QString folded = foldText(text);
    const qsizetype at = std::max<qsizetype>(0, firstIn(folded, words).first);
    // The line of the match is what a reader takes in at a glance.
    qsizetype begin = folded.lastIndexOf(u'\n', at) + 1;
    qsizetype end = folded.indexOf(u'\n', at);
    if (end < 0)
        end = folded.size();
    bool cutBefore = false;
    bool cutAfter = false;
    if (at - begin > kBefore) {
        const qsizetype space = folded.indexOf(u' ', at - kBefore);
        begin = space >= 0 && space < at ? space + 1 : at - kBefore;
        cutBefore = true;
    }
    if (end - begin > kLength) {
        const qsizetype space = folded.lastIndexOf(u' ', begin + kLength);
        end = space > at ? space : begin + kLength;
        cutAfter = true;
    }
    Excerpt excerpt;
    excerpt.text = (cutBefore ? QStringLiteral("…") : QString())
        + QStringView(text).mid(begin, end - begin).trimmed()
        + (cutAfter ? QStringLiteral("…") : QString());
    // Marks are found again in the excerpt itself: simpler than carrying positions through the cut.
    const QString foldedExcerpt = foldText(excerpt.text);
    std::vector<std::pair<int, int>> spans;
    for (const QString &word : words) {
        for (qsizetype i = foldedExcerpt.indexOf(word); i >= 0; i = foldedExcerpt.indexOf(word, i + word.size()))
            spans.emplace_back(int(i), int(word.size()));
    }
    std::sort(spans.begin(), spans.end());
    for (const auto &[start, length] : spans) {
        if (!excerpt.marks.isEmpty() && start <= excerpt.marks.last().first + excerpt.marks.last().second) {
            auto &last = excerpt.marks.last();
            last.second = std::max(last.second, start + length - last.first);
        } else {
            excerpt.marks.append({start, length});
        }
    }
    return excerpt;
}

} // namespace search

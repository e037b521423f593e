#include "editor/spellhighlighter.h"

#include "editor/spellchecker.h"

#include <algorithm>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'\'';
}

// Numbers, amounts like "2dl" and single letters are no words to check.
bool isCheckable(QStringView word)
{
    if (word.size() < 2)
        return false;
    for (QChar c : word) {
        if (c.isDigit())
            return false;
    }
    return true;
}

} // namespace

SpellHighlighter::SpellHighlighter(SpellChecker *checker, QTextDocument *document)
    : QSyntaxHighlighter(document)
    , m_checker(checker)
{
}

SpellHighlighter::Word SpellHighlighter::wordAt(const QString &paragraph, int position)
{
    position = std::clamp(position, 0, int(paragraph.size()));
    int start = position;
    while (start > 0 && isWordChar(paragraph.at(start - 1)))
        --start;
    int end = position;
    while (end < paragraph.size() && isWordChar(paragraph.at(end)))
        ++end;
    // Apostrophes belong inside a word, not around it.
    while (start < end && paragraph.at(start) == u'\'')
        ++start;
    while (end > start && paragraph.at(end - 1) == u'\'')
        --end;
    if (start == end)
        return {};
    return {start, paragraph.mid(start, end - start)};
}

void SpellHighlighter::highlightBlock(const QString &text)
{
    QTextCharFormat mark;
    mark.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    mark.setUnderlineColor(QColor(0xFF, 0x00, 0x00));
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        if (!isWordChar(text.at(i))) {
            ++i;
            continue;
        }
        const Word word = wordAt(text, i);
        const int next = word.start < 0 ? i + 1 : word.start + int(word.text.size());
        if (word.start >= 0 && isCheckable(word.text) && !m_checker->isCorrect(word.text))
            setFormat(word.start, int(word.text.size()), mark);
        i = std::max(next, i + 1);
    }
}

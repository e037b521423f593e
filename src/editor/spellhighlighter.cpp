#include "editor/spellhighlighter.h"

#include "editor/spellchecker.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>
#include <utility>

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

namespace {

// How long one slice of the sweep may keep the event loop.
constexpr qint64 kSliceNs = 8 * 1000 * 1000;

} // namespace

SpellHighlighter::SpellHighlighter(SpellChecker *checker, QTextEdit *editor)
    : SpellHighlighter(checker, editor, editor->document())
{
    QMetaObject::invokeMethod(this, &SpellHighlighter::resume, Qt::QueuedConnection);
}

SpellHighlighter::SpellHighlighter(SpellChecker *checker, QTextEdit *editor, QTextDocument *later)
    : QSyntaxHighlighter(static_cast<QTextDocument *>(nullptr))
    , m_checker(checker)
    , m_editor(editor)
{
    m_sweep.setInterval(0);
    connect(&m_sweep, &QTimer::timeout, this, &SpellHighlighter::sweepSlice);
    attachSuspended(later);
}

void SpellHighlighter::attach(QTextDocument *doc)
{
    attachSuspended(doc);
    // The sweep starts once the editor shows the document.
    QMetaObject::invokeMethod(this, &SpellHighlighter::resume, Qt::QueuedConnection);
}

void SpellHighlighter::attachSuspended(QTextDocument *doc)
{
    // Attaching to a document with text queues a pass over every paragraph, which finds nothing
    // to do but takes its time on a long text; attached while it is empty, there is none.
    suspend();
    if (doc != document())
        setDocument(doc);
}

void SpellHighlighter::setChecking(bool on)
{
    if (on == m_checking)
        return;
    m_checking = on;
    startSweep();
}

void SpellHighlighter::recheck()
{
    startSweep();
}

void SpellHighlighter::suspend()
{
    m_suspended = true;
    m_sweep.stop();
}

void SpellHighlighter::resume()
{
    m_suspended = false;
    startSweep();
}

void SpellHighlighter::startSweep()
{
    if (m_suspended)
        return;
    // What the user sees first, at once; it is a screenful.
    // While a long text is still being laid out, the corners can map to paragraphs in either
    // order; walking from one until the other is met would then run to the end of the text.
    QTextBlock first = m_editor->cursorForPosition(QPoint(0, 0)).block();
    QTextBlock last = m_editor->cursorForPosition(m_editor->viewport()->rect().bottomRight()).block();
    if (last.blockNumber() < first.blockNumber())
        std::swap(first, last);
    for (QTextBlock block = first; block.isValid() && block.blockNumber() <= last.blockNumber(); block = block.next())
        rehighlightBlock(block);
    m_next = 0;
    m_sweep.start();
}

void SpellHighlighter::sweepSlice()
{
    QElapsedTimer clock;
    clock.start();
    QTextBlock block = document()->findBlock(m_next);
    while (block.isValid() && clock.nsecsElapsed() < kSliceNs) {
        rehighlightBlock(block);
        block = block.next();
    }
    if (!block.isValid()) {
        m_sweep.stop();
        return;
    }
    m_next = block.position();
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
    // Nothing set is a paragraph without marks.
    if (!m_checking || m_suspended)
        return;
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

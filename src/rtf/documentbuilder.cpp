#include "rtf/documentbuilder.h"

#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace rtf {

namespace {

// Characters that would break the document's own structure or start a new block.
bool isForbidden(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0xfffc || u == 0xfdd0 || u == 0xfdd1 || u == 0x2029 || (u < 0x20 && u != u'\t');
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument *doc)
    : m_cursor(doc)
{
}

void DocumentBuilder::appendText(const QString &text, const QTextCharFormat &format,
                                 quint64 formatId)
{
    if (text.isEmpty())
        return;
    m_afterParagraphEnd = false;
    const qsizetype before = m_text.size();
    if (std::none_of(text.cbegin(), text.cend(), isForbidden)) {
        m_text.append(text);
    } else {
        for (const QChar c : text) {
            if (!isForbidden(c))
                m_text.append(c);
        }
    }
    const qsizetype added = m_text.size() - before;
    if (added == 0)
        return;
    if (!m_runs.empty() && m_runs.back().formatId == formatId)
        m_runs.back().length += added;
    else
        m_runs.push_back({added, format, formatId});
}

void DocumentBuilder::appendObject(const QTextCharFormat &format)
{
    m_afterParagraphEnd = false;
    m_text.append(QChar::ObjectReplacementCharacter);
    m_runs.push_back({1, format, ObjectId});
}

void DocumentBuilder::endParagraph(const QTextBlockFormat &block, const QTextListFormat &list,
                                   const QTextCharFormat &mark)
{
    writeParagraph(block, list, mark);
    m_afterParagraphEnd = true;
}

void DocumentBuilder::finish(const QTextBlockFormat &block, const QTextListFormat &list,
                             const QTextCharFormat &mark)
{
    if (!m_afterParagraphEnd)
        writeParagraph(block, list, mark);
}

void DocumentBuilder::writeParagraph(const QTextBlockFormat &block, const QTextListFormat &list,
                                     const QTextCharFormat &mark)
{
    if (m_firstBlock) {
        m_cursor.setBlockFormat(block);
        m_cursor.setBlockCharFormat(mark);
        m_firstBlock = false;
    } else {
        m_cursor.insertBlock(block, mark);
    }
    joinList(list);
    qsizetype pos = 0;
    for (const Run &run : m_runs) {
        m_cursor.insertText(m_text.mid(pos, run.length), run.format);
        pos += run.length;
    }
    m_text.clear();
    m_runs.clear();
}

void DocumentBuilder::joinList(const QTextListFormat &list)
{
    if (list.style() == QTextListFormat::ListStyleUndefined) {
        m_list = nullptr;
        return;
    }
    if (m_list && m_list->format().style() == list.style()
        && m_list->format().indent() == list.indent()) {
        m_list->add(m_cursor.block());
    } else {
        m_list = m_cursor.createList(list);
    }
}

} // namespace rtf

// The writer's footnotes: the notes at the end of the document go back behind their references.

#include "rtf/formatproperties.h"
#include "rtf/writer.h"

#include <QTextDocument>

namespace rtf {

namespace {

int noteOf(const QTextFormat &format, int property)
{
    return format.hasProperty(property) ? format.intProperty(property) : 0;
}

} // namespace

// Only a note that the text refers to is written as one; any other paragraph that claims to
// be part of a note stays where it is, so that nothing is lost.
void Writer::collectNotes()
{
    std::unordered_set<int> referenced;
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        if (const int note = noteOf(block.blockFormat(), FootnoteProperty)) {
            if (m_doc.frameAt(block.position()) == m_doc.rootFrame())
                m_notes[note].push_back(block);
            continue;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (const int note = noteOf(it.fragment().charFormat(), FootnoteReferenceProperty))
                referenced.insert(note);
        }
    }
    for (auto it = m_notes.begin(); it != m_notes.end();) {
        if (referenced.count(it->first) == 0) {
            it = m_notes.erase(it);
            continue;
        }
        for (const QTextBlock &block : it->second)
            m_noteBlocks.insert(block.blockNumber());
        ++it;
    }
}

bool Writer::isNoteBlock(const QTextBlock &block) const
{
    if (m_inNote)
        return false;
    if (block.blockFormat().hasProperty(FootnoteRuleProperty) && block.length() == 1)
        return true;
    return m_noteBlocks.count(block.blockNumber()) > 0;
}

void Writer::writeNoteMark(const QTextFragment &fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    const int reference = m_inNote ? 0 : noteOf(format, FootnoteReferenceProperty);
    const int number = reference ? reference : noteOf(format, FootnoteNumberProperty);
    const QString mark = QString::number(number);
    QString text = fragment.text();
    // A reference written once, with its note: a copy of it is text like any other.
    const bool ownNote = !reference || m_notes.count(reference) > 0;
    if (text.startsWith(mark) && ownNote) {
        m_body.open();
        m_body.word("chftn");
        m_body.close();
        if (reference) {
            writeNote(reference);
            m_notes.erase(reference);
        }
        text.remove(0, mark.size());
    }
    m_body.text(text, m_written.font == m_symbolFont ? RtfStream::UnicodeOnly : RtfStream::Windows1252);
}

// The note's paragraphs in its group; what they change of the character format ends with it.
void Writer::writeNote(int note)
{
    const std::vector<QTextBlock> blocks = m_notes[note];
    const Chars before = m_written;
    m_inNote = true;
    m_body.open();
    m_body.word("footnote");
    for (size_t i = 0; i < blocks.size(); ++i)
        writeBlock(blocks[i], 0, i + 1 < blocks.size() ? "par" : nullptr);
    m_body.close();
    m_inNote = false;
    m_written = before;
}

} // namespace rtf

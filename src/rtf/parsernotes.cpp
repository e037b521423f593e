// The parser's footnotes: read into a document of their own and put at the end of the text.

#include "rtf/formatproperties.h"
#include "rtf/parser.h"

#include <QTextBlock>
#include <QTextDocument>

namespace rtf {

namespace {

constexpr double RulePercent = 30;

} // namespace

DocumentBuilder &Parser::builder()
{
    return state().footnote && m_notes ? *m_notes : m_builder;
}

void Parser::beginFootnote()
{
    GroupState &s = state();
    if (s.footnote || s.destination != Destination::Normal) { // a note in a note: no reader has one
        s.destination = Destination::Skip;
        return;
    }
    flushSurrogate();
    if (!m_notes) {
        m_notesDoc = std::make_unique<QTextDocument>();
        m_notesDoc->setUndoRedoEnabled(false);
        m_notes = std::make_unique<DocumentBuilder>(m_notesDoc.get());
    }
    s.footnote = ++m_noteCount;
    s.para = ParaState(); // the note's paragraphs are not those of the text around it
}

void Parser::endFootnote()
{
    flushSurrogate();
    m_notes->finish(paragraphEnd(0));
}

// \chftn: in the text, the number of the note that follows; in a note, its own number.
void Parser::appendNoteMark()
{
    if (state().destination != Destination::Normal)
        return;
    flushSurrogate();
    const int note = state().footnote ? state().footnote : m_noteCount + 1;
    QTextCharFormat format = charFormat();
    format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    format.setProperty(state().footnote ? FootnoteNumberProperty : FootnoteReferenceProperty, note);
    builder().appendText(QString::number(note), format, ++m_formatId);
    ++m_formatId; // the text after it is a run of its own
}

void Parser::appendNotes()
{
    if (!m_notesDoc)
        return;
    QTextCursor cursor(m_doc);
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat rule;
    rule.setProperty(FootnoteRuleProperty, true);
    rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                     QTextLength(QTextLength::PercentageLength, RulePercent));
    cursor.insertBlock(rule, m_notesDoc->begin().charFormat());
    // Lists and tables of a note are objects of the notes' document: their paragraphs come as
    // plain paragraphs, without the reference to an object that this document does not have.
    const auto own = [](auto format) {
        format.setObjectIndex(-1);
        return format;
    };
    for (QTextBlock block = m_notesDoc->begin(); block.isValid(); block = block.next()) {
        cursor.insertBlock(own(block.blockFormat()), own(block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it)
            cursor.insertText(it.fragment().text(), own(it.fragment().charFormat()));
    }
}

} // namespace rtf

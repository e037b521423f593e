#pragma once

#include "rtf/colortable.h"
#include "rtf/decoder.h"
#include "rtf/documentbuilder.h"
#include "rtf/fonttable.h"
#include "rtf/groupstate.h"
#include "rtf/keyword.h"
#include "rtf/listtable.h"
#include "rtf/picturereader.h"
#include "rtf/stylesheet.h"
#include "rtf/tokenizer.h"

#include <QByteArray>
#include <QTextCharFormat>

#include <memory>
#include <string>
#include <vector>

class QTextDocument;

namespace rtf {

// Reads RTF into a document. Groups live on an explicit stack, so deep nesting costs memory in
// proportion to the input and never the call stack.
class Parser
{
public:
    Parser(const QByteArray &data, QTextDocument *doc);

    void run();

private:
    GroupState &state() { return m_stack.back(); }
    void openGroup();
    // False once the document's own group has closed.
    bool closeGroup(qsizetype offset);
    void finishDocument();

    void onWord(const Token &token);
    void onDestinationWord(Keyword word, const Token &token);
    void onDocumentWord(Keyword word, const Token &token);
    bool onCharWord(Keyword word, const Token &token);
    bool onParaWord(Keyword word, const Token &token);
    void onNumberingWord(Keyword word, const Token &token);
    void onListTableWord(Keyword word, const Token &token);
    void onListOverrideWord(Keyword word, const Token &token);
    void onStyleWord(Keyword word, const Token &token);
    void onShapeWord(Keyword word);
    void applyStyle(StyleSheet::Kind kind, int number);
    void onNestedTableWord(Keyword word, const Token &token);
    void onTableWord(Keyword word, const Token &token);
    void onSymbol(char symbol);
    void onText(std::string_view bytes);
    void onBinary(std::string_view bytes);
    void beginPicture(qsizetype offset);
    void endPicture(qsizetype end);

    void flushBytes();
    void appendText(const QString &text);
    void appendChar(char16_t c);
    // A \u unit: a surrogate waits for its other half, and alone becomes U+FFFD.
    void appendUnit(char16_t unit);
    void flushSurrogate();
    void endParagraph();
    void endCell(int depth);
    void endRow(int depth, const std::vector<CellDefinition> &cells);
    bool onCellWord(Keyword word, const Token &token);
    void addCell(std::vector<CellDefinition> &cells, const Token &token);
    ParagraphEnd paragraphEnd(int tableDepth);
    Numbering paragraphNumbering() const;
    bool takesText() const;
    int codePage();

    const QTextCharFormat &charFormat();
    // Where text goes: the document, or the notes while a footnote is read.
    DocumentBuilder &builder();
    void beginFootnote();
    void endFootnote();
    void appendNoteMark();
    void appendNotes();

    QByteArray m_data;
    QTextDocument *m_doc;
    Tokenizer m_tokens;
    Decoder m_decoder;
    FontTable m_fonts;
    ColorTable m_colors;
    PictureReader m_picture;
    ListTable m_lists;
    StyleSheet m_styles;
    DocumentBuilder m_builder;
    std::unique_ptr<QTextDocument> m_notesDoc;
    std::unique_ptr<DocumentBuilder> m_notes;
    int m_noteCount = 0;
    std::string m_shapeName; // of the last \sn

    std::vector<GroupState> m_stack;
    qsizetype m_overflow = 0; // groups deeper than the stack keeps, skipped whole
    std::string m_bytes;      // text bytes not yet decoded
    QString m_decoded;
    int m_skipUnits = 0;      // fallback characters still to skip after \u
    char16_t m_highSurrogate = 0; // waiting for its low half
    bool m_starPending = false;
    bool m_numberingGiven = false; // a \pn since the last paragraph ended
    std::vector<CellDefinition> m_cells;       // \cellx of the current row
    std::vector<CellDefinition> m_nestedCells; // \cellx of a nested row, from \nesttableprops
    // What the words before the next \cellx say of its cell.
    CellDefinition m_nextCell;
    int m_nextCellPattern = 0; // \clcbpat, \clcfpat: colour indexes; \clshdng: 1/100 %
    int m_nextCellBackground = 0;
    int m_nextCellShading = 0;
    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    size_t m_pictureDepth = 0;
    qsizetype m_pictureStart = 0; // offset of \pict
    int m_pictureCount = 0;

    QTextCharFormat m_format;
    CharState m_formatKey;
    quint64 m_formatId = 0;
};

} // namespace rtf

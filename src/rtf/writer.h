#pragma once

#include "rtf/rtfstream.h"

#include <QColor>
#include <QHash>
#include <QString>

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <QTextBlock>
#include <QTextFrame>
#include <QTextListFormat>

class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;
class QTextList;
class QTextTable;

namespace rtf {

// Writes a document as RTF. The body is written first, collecting fonts and colours, and the
// header with their tables is put in front of it.
class Writer
{
public:
    explicit Writer(const QTextDocument &doc);

    QByteArray write();

private:
    // A character format as RTF sees it.
    struct Chars {
        int font = -1;
        int halfPoints = -1;
        int color = -1;
        int background = 0; // none, as RTF starts
        int vertical = 0;   // QTextCharFormat::VerticalAlignment: baseline and the two scripts
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
    };

    // Paragraphs and tables from begin to end, the last paragraph ended by lastEnd.
    void writeFrame(QTextFrame::iterator it, int tableDepth, const char *lastEnd);
    void writeTable(const QTextTable &table, int depth);
    void writeRowDefinition(const QTextTable &table, int row);
    void writeBlock(const QTextBlock &block, int tableDepth, const char *end);
    void writeParagraphFormat(const QTextBlock &block, int tableDepth);
    void writeSpacing(const QTextBlockFormat &format);
    void writeListItem(const QTextBlock &block);
    void writeHidden(int formatIndex, const QTextCharFormat &format);
    void writeChars(int formatIndex, const QTextCharFormat &format);
    void writeImage(const QTextImageFormat &format);
    Chars resolve(const QTextCharFormat &format);
    int fontIndex(const QString &family);
    int colorIndex(const QColor &color);
    QByteArray header() const;
    void collectNotes();
    bool isNoteBlock(const QTextBlock &block) const;
    // Text of a fragment that names a note: the note written as RTF's own, the rest as text.
    void writeNoteMark(const QTextFragment &fragment);
    void writeNote(int note);
    int listNumber(const QTextList *list);
    void writeListTables(RtfStream &out) const;

    const QTextDocument &m_doc;
    RtfStream m_body;
    Chars m_written;
    std::unordered_map<int, Chars> m_resolved; // by the document's format index
    QStringList m_fonts;
    QHash<QString, int> m_fontIndexes;
    int m_symbolFont = -1;
    std::vector<QColor> m_colors;
    std::vector<QTextListFormat> m_lists; // by \ls - 1
    std::unordered_map<const QTextList *, int> m_listNumbers;
    std::unordered_map<int, std::vector<QTextBlock>> m_notes; // the paragraphs of each note
    std::unordered_set<int> m_noteBlocks;                     // block numbers written in a note
    bool m_inNote = false;
};

} // namespace rtf

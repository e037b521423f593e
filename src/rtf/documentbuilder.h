#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextList>
#include <QTextListFormat>

#include <utility>
#include <vector>

class QTextDocument;
class QTextTable;

namespace rtf {

// What ends a paragraph: its formats and where it stands.
struct ParagraphEnd {
    QTextBlockFormat block;
    QTextListFormat list;
    int listId = 0; // \ls of a Word list, 0 for a \pn list
    bool numberingGiven = false; // the paragraph has a \pn of its own, not one it goes on with
    QTextCharFormat mark;
    int tableDepth = 0; // 0 in the body, 1 in a table, 2 in a table inside that one...
};

// A cell of a row definition: its right edge in twips, as \cellx gives it, with its merges
// and shading.
struct CellDefinition {
    enum Merge : quint8 { Alone, First, Merged };

    int edge = 0;
    Merge across = Alone; // \clmgf, \clmrg
    Merge down = Alone;   // \clvmgf, \clvmrg
    QColor background;    // invalid: none
};

// Puts paragraphs into the document. A paragraph is held until its end, because RTF gives its
// format only there; the break after a final \par is never written, so a file that ends with a
// \par gets no empty paragraph of its own. Tables grow cell by cell as their paragraphs come,
// so a row needs no count of its cells in advance.
class DocumentBuilder
{
public:
    explicit DocumentBuilder(QTextDocument *doc);

    // formatId names format: equal ids mean equal formats, so runs can be joined.
    void appendText(const QString &text, const QTextCharFormat &format, quint64 formatId);
    // Hidden text goes into one invisible object per run.
    void appendHidden(const QString &text, const QTextCharFormat &format, quint64 formatId);
    void appendObject(const QTextCharFormat &format);
    void endParagraph(const ParagraphEnd &end);
    void endCell(const ParagraphEnd &end);
    void endRow(const ParagraphEnd &end, const std::vector<CellDefinition> &cells);
    // Writes what is left after the last \par.
    void finish(const ParagraphEnd &end);

private:
    struct Run {
        qsizetype length;
        QTextCharFormat format;
        quint64 formatId;
        QString hidden; // the text of a hidden run, shown as one object
    };
    struct OpenList {
        QPointer<QTextList> list; // Qt deletes a list whose last item goes, as merging cells may do
        int id;
        int level;
        bool interrupted; // by a paragraph outside lists
    };
    struct OpenTable {
        QTextTable *table = nullptr;
        int row = 0;
        int column = 0;
        bool cellEnded = false;
        bool rowEnded = false;
        int widestEdge = 0;
        std::vector<std::pair<int, int>> singleCellRows; // row and edge: maybe across the table
    };
    static constexpr quint64 ObjectId = ~quint64(0);

    void writeParagraph(const ParagraphEnd &end);
    void joinList(const ParagraphEnd &end);
    void enterDepth(int depth);
    void openTable();
    void leaveTable();
    void nextCell();
    void setColumnWidths(QTextTable *table, const std::vector<CellDefinition> &cells);
    void mergeCells(OpenTable &table, const std::vector<CellDefinition> &cells);
    void spanSingleCellRows(OpenTable &table);

    QTextCursor m_cursor;
    QString m_text;
    std::vector<Run> m_runs;
    std::vector<OpenList> m_lists;
    std::vector<OpenTable> m_tables;
    bool m_freshBlock = true; // the cursor's block is empty and no paragraph has used it
    bool m_afterParagraphEnd = false;
};

} // namespace rtf

#include "rtf/documentbuilder.h"

#include "rtf/formatproperties.h"
#include "rtf/units.h"

#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <utility>

namespace rtf {

namespace {

// Deeper tables are read into the deepest one; nobody nests tables further by hand.
constexpr int MaxTableDepth = 16;
// Qt finds a cell in a grid that it rebuilds after every new row, so a table is kept to a size
// at which that stays cheap: a longer one goes on as the next table, wider rows in their last cell.
constexpr int MaxRows = 1000;
constexpr int MaxColumns = 64;

// Characters that would break the document's own structure or start a new block.
bool isForbidden(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0xfffc || u == 0xfdd0 || u == 0xfdd1 || u == 0x2029 || (u < 0x20 && u != u'\t');
}

QString withoutForbidden(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), isForbidden))
        return text;
    QString clean;
    for (const QChar c : text) {
        if (!isForbidden(c))
            clean.append(c);
    }
    return clean;
}

int listStart(const QTextListFormat &format)
{
    return format.hasProperty(ListStartProperty) ? format.intProperty(ListStartProperty) : 1;
}

// Equal but for the start: the same kind of list.
bool sameKind(QTextListFormat a, QTextListFormat b)
{
    a.clearProperty(ListStartProperty);
    b.clearProperty(ListStartProperty);
    return a == b;
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument *doc)
    : m_cursor(doc)
{
}

void DocumentBuilder::appendText(const QString &text, const QTextCharFormat &format,
                                 quint64 formatId)
{
    m_afterParagraphEnd = false;
    const QString clean = withoutForbidden(text);
    if (clean.isEmpty())
        return;
    m_text.append(clean);
    if (!m_runs.empty() && m_runs.back().formatId == formatId && m_runs.back().hidden.isNull())
        m_runs.back().length += clean.size();
    else
        m_runs.push_back({clean.size(), format, formatId, QString()});
}

void DocumentBuilder::appendHidden(const QString &text, const QTextCharFormat &format,
                                   quint64 formatId)
{
    m_afterParagraphEnd = false;
    const QString clean = withoutForbidden(text);
    if (clean.isEmpty())
        return;
    // By format, not by id: hidden text that groups split in pieces is one object, as it is
    // once written.
    if (!m_runs.empty() && !m_runs.back().hidden.isNull()
        && (m_runs.back().formatId == formatId || m_runs.back().format == format)) {
        m_runs.back().hidden.append(clean);
        return;
    }
    m_text.append(QChar::ObjectReplacementCharacter);
    m_runs.push_back({1, format, formatId, clean});
}

void DocumentBuilder::appendObject(const QTextCharFormat &format)
{
    m_afterParagraphEnd = false;
    m_text.append(QChar::ObjectReplacementCharacter);
    m_runs.push_back({1, format, ObjectId, QString()});
}

void DocumentBuilder::endParagraph(const ParagraphEnd &end)
{
    writeParagraph(end);
    m_afterParagraphEnd = true;
}

void DocumentBuilder::endCell(const ParagraphEnd &end)
{
    writeParagraph(end);
    if (!m_tables.empty())
        m_tables.back().cellEnded = true;
    m_afterParagraphEnd = true;
}

void DocumentBuilder::endRow(const ParagraphEnd &end, const std::vector<CellDefinition> &cells)
{
    const auto depth = size_t(qBound(1, end.tableDepth, MaxTableDepth));
    if (!m_text.isEmpty()) // text between the last \cell and \row: a cell of its own
        endCell(end);
    if (m_tables.size() < depth)
        return;
    while (m_tables.size() > depth)
        leaveTable();
    OpenTable &table = m_tables.back();
    setColumnWidths(table.table, cells);
    mergeCells(table, cells);
    table.cellEnded = true;
    table.rowEnded = true;
    m_afterParagraphEnd = true;
}

void DocumentBuilder::finish(const ParagraphEnd &end)
{
    if (!m_afterParagraphEnd)
        writeParagraph(end);
    for (OpenTable &table : m_tables)
        spanSingleCellRows(table);
}

void DocumentBuilder::writeParagraph(const ParagraphEnd &end)
{
    enterDepth(end.tableDepth);
    if (m_freshBlock) {
        m_cursor.setBlockFormat(end.block);
        m_cursor.setBlockCharFormat(end.mark);
        m_freshBlock = false;
    } else {
        m_cursor.insertBlock(end.block, end.mark);
    }
    joinList(end);
    qsizetype pos = 0;
    for (const Run &run : m_runs) {
        if (run.hidden.isNull()) {
            m_cursor.insertText(m_text.mid(pos, run.length), run.format);
        } else {
            QTextCharFormat format = run.format;
            format.setObjectType(HiddenTextObject);
            format.setProperty(HiddenTextProperty, run.hidden);
            m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
        }
        pos += run.length;
    }
    m_text.clear();
    m_runs.clear();
}

void DocumentBuilder::joinList(const ParagraphEnd &end)
{
    if (end.list.style() == QTextListFormat::ListStyleUndefined) {
        // A paragraph between the items of a \pn list ends it, unless the next item's start
        // says that it goes on. A Word list goes on by its number.
        for (OpenList &open : m_lists)
            open.interrupted = true;
        return;
    }
    const int level = end.list.indent();
    const int start = listStart(end.list);
    // A shallower item ends the sub-lists below it, so they count from their start again.
    m_lists.erase(std::remove_if(m_lists.begin(), m_lists.end(),
                                 [&](const OpenList &l) {
                                     return !l.list || (l.id == end.listId && l.level > level);
                                 }),
                  m_lists.end());
    const auto open = std::find_if(m_lists.begin(), m_lists.end(), [&](const OpenList &l) {
        return l.id == end.listId && l.level == level;
    });
    if (open != m_lists.end()) {
        const QTextListFormat format = open->list->format();
        // A \pn of its own goes on only with the next number: the same \pn again is a new list.
        const bool goesOn = end.listId != 0
            || (end.numberingGiven ? start == listStart(format) + open->list->count() : !open->interrupted);
        if (sameKind(format, end.list) && goesOn) {
            open->list->add(m_cursor.block());
            open->interrupted = false;
            return;
        }
        m_lists.erase(open);
    }
    m_lists.push_back({m_cursor.createList(end.list), end.listId, level, false});
}

void DocumentBuilder::enterDepth(int depth)
{
    const auto wanted = size_t(qBound(0, depth, MaxTableDepth));
    const bool inSameCell = m_tables.size() == wanted
        && (wanted == 0 || !m_tables.back().cellEnded);
    if (inSameCell)
        return;
    // A \pn list does not reach from one cell into another; a Word list goes on by its number.
    m_lists.erase(std::remove_if(m_lists.begin(), m_lists.end(), [](const OpenList &l) { return l.id == 0; }),
                  m_lists.end());
    while (m_tables.size() > wanted)
        leaveTable();
    if (!m_tables.empty() && m_tables.size() == wanted)
        nextCell();
    while (m_tables.size() < wanted)
        openTable();
}

// The table follows the paragraph at the cursor; in an unused block, Qt keeps that block in
// front of the table.
void DocumentBuilder::openTable()
{
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellSpacing(0);
    format.setCellPadding(4);
    OpenTable table;
    table.table = m_cursor.insertTable(1, 1, format);
    m_tables.push_back(std::move(table));
    m_freshBlock = true;
}

void DocumentBuilder::leaveTable()
{
    spanSingleCellRows(m_tables.back());
    m_cursor.setPosition(m_tables.back().table->lastPosition() + 1);
    m_tables.pop_back();
    m_freshBlock = true;
}

void DocumentBuilder::nextCell()
{
    OpenTable &t = m_tables.back();
    if (!t.cellEnded)
        return;
    t.cellEnded = false;
    if (t.rowEnded && t.row + 1 >= MaxRows) {
        leaveTable();
        openTable();
        return;
    }
    if (t.rowEnded) {
        t.rowEnded = false;
        t.table->appendRows(1);
        ++t.row;
        t.column = 0;
    } else if (t.column + 1 < MaxColumns) {
        if (++t.column >= t.table->columns())
            t.table->appendColumns(1);
    } else {
        return; // into the last cell, after what it has
    }
    m_cursor = t.table->cellAt(t.row, t.column).firstCursorPosition();
    m_freshBlock = true;
}

void DocumentBuilder::setColumnWidths(QTextTable *table, const std::vector<CellDefinition> &cells)
{
    if (cells.empty())
        return;
    QList<QTextLength> widths;
    int left = 0;
    for (const CellDefinition &cell : cells) {
        widths.append(QTextLength(QTextLength::FixedLength, qMax(0, cell.edge - left) / TwipsPerPixel));
        left = qMax(left, cell.edge);
    }
    while (widths.size() < table->columns())
        widths.append(QTextLength());
    widths.resize(table->columns());
    QTextTableFormat format = table->format();
    format.setColumnWidthConstraints(widths);
    table->setFormat(format);
}

// The row's cells stand in the columns in the order they came, as the definition lists them.
void DocumentBuilder::mergeCells(OpenTable &t, const std::vector<CellDefinition> &cells)
{
    QTextTable *table = t.table;
    const int row = t.row;
    const int count = qMin(int(cells.size()), table->columns());
    for (int column = 0; column < count; ++column) {
        if (!cells[column].background.isValid())
            continue;
        QTextTableCell cell = table->cellAt(row, column);
        QTextTableCellFormat format = cell.format().toTableCellFormat();
        format.setBackground(cells[column].background);
        cell.setFormat(format);
    }
    for (int column = 0; column < count;) {
        int span = 1;
        if (cells[column].across == CellDefinition::First) {
            while (column + span < count && cells[column + span].across == CellDefinition::Merged)
                ++span;
            if (span > 1)
                table->mergeCells(row, column, 1, span);
        }
        column += span;
    }
    for (int column = 0; row > 0 && column < count; ++column) {
        if (cells[column].down != CellDefinition::Merged)
            continue;
        const QTextTableCell above = table->cellAt(row - 1, column);
        if (above.column() == column)
            table->mergeCells(above.row(), column, row - above.row() + 1, above.columnSpan());
    }
    if (!cells.empty()) {
        t.widestEdge = qMax(t.widestEdge, cells.back().edge);
        if (cells.size() == 1 && t.column == 0)
            t.singleCellRows.emplace_back(row, cells.front().edge);
    }
}

// A row of one cell as wide as the table, a heading across it, spans every column that the
// other rows have; they may come after it, so this waits for the table's end.
void DocumentBuilder::spanSingleCellRows(OpenTable &t)
{
    constexpr int SlackTwips = 30;
    for (const auto &[row, edge] : std::exchange(t.singleCellRows, {})) {
        if (t.table->columns() > 1 && edge >= t.widestEdge - SlackTwips
            && t.table->cellAt(row, 0).columnSpan() == 1)
            t.table->mergeCells(row, 0, 1, t.table->columns());
    }
}

} // namespace rtf

// The writer's paragraph spacing and tables.

#include "rtf/formatproperties.h"
#include "rtf/units.h"
#include "rtf/writer.h"

#include <QTextBlock>
#include <QTextList>
#include <QTextTable>

namespace rtf {

namespace {

constexpr int TableWidthTwips = 9360; // the text width of a page with the usual margins
constexpr int SingleLineTwips = 240;

std::vector<int> cellEdges(const QTextTable &table)
{
    const QList<QTextLength> widths = table.format().columnWidthConstraints();
    const int columns = qMax(1, table.columns());
    std::vector<int> edges;
    int edge = 0;
    for (int i = 0; i < columns; ++i) {
        const QTextLength width = widths.value(i);
        if (width.type() == QTextLength::FixedLength)
            edge += qMax(1, twips(width.rawValue()));
        else if (width.type() == QTextLength::PercentageLength)
            edge += qMax(1, int(TableWidthTwips * width.rawValue() / 100));
        else
            edge += TableWidthTwips / columns;
        edge = qMin(edge, MaxCellEdgeTwips);
        edges.push_back(edge);
    }
    return edges;
}

} // namespace

void Writer::writeSpacing(const QTextBlockFormat &format)
{
    if (const int sb = twips(format.topMargin()); sb > 0)
        m_body.word("sb", sb);
    if (const int sa = twips(format.bottomMargin()); sa > 0)
        m_body.word("sa", sa);
    const double height = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (height > 0 && qRound(height) != 100) {
            m_body.word("sl", int(std::lround(qMin(height, 1000.0) * SingleLineTwips / 100)));
            m_body.word("slmult", 1);
        }
        break;
    case QTextBlockFormat::FixedHeight:
        if (const int sl = twips(height); sl > 0) {
            m_body.word("sl", -sl);
            m_body.word("slmult", 0);
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        if (const int sl = twips(height); sl > 0) {
            m_body.word("sl", sl);
            m_body.word("slmult", 0);
        }
        break;
    default:
        break;
    }
}

// A row's cells at depth 1 as the rich-edit control and Word write them; a nested row ends with
// its definition in \nesttableprops and an empty paragraph for readers that know no nesting.
void Writer::writeTable(const QTextTable &table, int depth)
{
    const char *cellEnd = depth > 1 ? "nestcell" : "cell";
    for (int row = 0; row < table.rows(); ++row) {
        if (depth == 1)
            writeRowDefinition(table, row);
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (cell.row() == row && cell.column() == column) {
                writeFrame(cell.begin(), depth, cellEnd);
            } else { // covered by a merged cell
                m_body.word("pard");
                m_body.word("intbl");
                if (depth > 1)
                    m_body.word("itap", depth);
                m_body.word(cellEnd);
            }
        }
        if (depth == 1) {
            m_body.word("row");
        } else {
            m_body.open();
            m_body.raw(QByteArrayLiteral("\\*"));
            m_body.word("nesttableprops");
            writeRowDefinition(table, row);
            m_body.word("nestrow");
            m_body.close();
            m_body.open();
            m_body.word("nonesttables");
            m_body.word("par");
            m_body.close();
        }
        m_body.newline();
    }
}

void Writer::writeRowDefinition(const QTextTable &table, int row)
{
    m_body.word("trowd");
    m_body.word("trgaph", 108);
    // Every cell with its borders, as the reader shows every table; a merged cell is written
    // as the cells it covers, each saying whether it starts the merge or goes on with it.
    int column = 0;
    for (const int edge : cellEdges(table)) {
        const QTextTableCell cell = table.cellAt(row, column++);
        if (cell.columnSpan() > 1)
            m_body.word(cell.column() == column - 1 ? "clmgf" : "clmrg");
        if (cell.rowSpan() > 1)
            m_body.word(cell.row() == row ? "clvmgf" : "clvmrg");
        const QBrush background = cell.format().background();
        if (cell.format().hasProperty(QTextFormat::BackgroundBrush) && background.style() != Qt::NoBrush)
            m_body.word("clcbpat", colorIndex(background.color()));
        for (const char *side : {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr"}) {
            m_body.word(side);
            m_body.word("brdrs");
            m_body.word("brdrw", 10);
        }
        m_body.word("cellx", edge);
    }
    m_body.newline();
}

} // namespace rtf

// The parser's handling of list tables and tables: the structure around the text.

#include "rtf/parser.h"
#include "rtf/units.h"

#include <utility>

namespace rtf {

namespace {

// More cells than any row could show; a file that claims more just repeats the last edge.
constexpr size_t MaxCellEdges = 256;

// Shading is a pattern colour over the background in a share of 10000.
QColor shaded(QColor background, QColor pattern, int share)
{
    if (!background.isValid())
        background = Qt::white;
    if (!pattern.isValid())
        pattern = Qt::black;
    const double p = qBound(0, share, 10000) / 10000.0;
    return QColor::fromRgbF(float(background.redF() * (1 - p) + pattern.redF() * p),
                            float(background.greenF() * (1 - p) + pattern.greenF() * p),
                            float(background.blueF() * (1 - p) + pattern.blueF() * p))
        .toRgb();
}

} // namespace

void Parser::onListTableWord(Keyword word, const Token &token)
{
    switch (word) {
    case Keyword::List:
        m_lists.beginList();
        break;
    case Keyword::ListId:
        m_lists.setListId(token.param);
        break;
    case Keyword::ListLevelGroup:
        m_lists.beginLevel();
        break;
    case Keyword::LevelFormat:
        m_lists.setLevelFormat(token.param);
        break;
    case Keyword::LevelStart:
        m_lists.setLevelStart(token.param);
        break;
    case Keyword::LevelText:
        state().destination = Destination::ListLevelText;
        break;
    case Keyword::SkippedDestination:
        state().destination = Destination::Skip;
        break;
    default:
        break;
    }
}

void Parser::onListOverrideWord(Keyword word, const Token &token)
{
    switch (word) {
    case Keyword::ListOverrideGroup:
        m_lists.beginOverride();
        break;
    case Keyword::ListId:
        m_lists.setOverrideListId(token.param);
        break;
    case Keyword::ListOverride:
        m_lists.setOverrideNumber(token.param);
        break;
    case Keyword::SkippedDestination:
        state().destination = Destination::Skip;
        break;
    default:
        break;
    }
}

// {\*\nesttableprops \trowd ... \cellx ... \nestrow}: the definition and the end of a nested row.
void Parser::onNestedTableWord(Keyword word, const Token &token)
{
    switch (word) {
    case Keyword::RowDefaults:
        m_nestedCells.clear();
        m_nextCell = CellDefinition();
        break;
    case Keyword::CellEdge:
        addCell(m_nestedCells, token);
        break;
    case Keyword::NestedRow:
        endRow(qMax(2, state().para.tableDepth), m_nestedCells);
        break;
    default:
        onCellWord(word, token);
        break;
    }
}

void Parser::onTableWord(Keyword word, const Token &token)
{
    switch (word) {
    case Keyword::RowDefaults:
        m_cells.clear();
        m_nextCell = CellDefinition();
        break;
    case Keyword::CellEdge:
        addCell(m_cells, token);
        break;
    case Keyword::Cell:
        endCell(1);
        break;
    case Keyword::NestedCell:
        endCell(qMax(2, state().para.tableDepth));
        break;
    case Keyword::Row:
        endRow(1, m_cells);
        break;
    case Keyword::NestedRow:
        endRow(qMax(2, state().para.tableDepth), m_nestedCells);
        break;
    default:
        onCellWord(word, token);
        break;
    }
}

bool Parser::onCellWord(Keyword word, const Token &token)
{
    switch (word) {
    case Keyword::CellMergeFirst:
        m_nextCell.across = CellDefinition::First;
        return true;
    case Keyword::CellMerged:
        m_nextCell.across = CellDefinition::Merged;
        return true;
    case Keyword::CellMergeDownFirst:
        m_nextCell.down = CellDefinition::First;
        return true;
    case Keyword::CellMergedDown:
        m_nextCell.down = CellDefinition::Merged;
        return true;
    case Keyword::CellBackground:
        m_nextCellBackground = qMax(0, token.param);
        return true;
    case Keyword::CellPattern:
        m_nextCellPattern = qMax(0, token.param);
        return true;
    case Keyword::CellShading:
        m_nextCellShading = qBound(0, token.param, 10000);
        return true;
    default:
        return false;
    }
}

void Parser::addCell(std::vector<CellDefinition> &cells, const Token &token)
{
    CellDefinition cell = std::exchange(m_nextCell, CellDefinition());
    cell.edge = qBound(0, token.param, MaxCellEdgeTwips);
    if (m_nextCellShading > 0)
        cell.background = shaded(m_colors.color(m_nextCellBackground), m_colors.color(m_nextCellPattern),
                                 m_nextCellShading);
    else if (m_nextCellBackground > 0)
        cell.background = m_colors.color(m_nextCellBackground);
    m_nextCellBackground = m_nextCellPattern = m_nextCellShading = 0;
    if (cells.size() < MaxCellEdges)
        cells.push_back(cell);
}

void Parser::endCell(int depth)
{
    flushSurrogate();
    builder().endCell(paragraphEnd(depth));
}

void Parser::endRow(int depth, const std::vector<CellDefinition> &cells)
{
    flushSurrogate();
    builder().endRow(paragraphEnd(depth), cells);
}

} // namespace rtf

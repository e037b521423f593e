// The parser's handling of list tables and tables: the structure around the text.

#include "rtf/parser.h"
#include "rtf/units.h"

namespace rtf {

namespace {

// More cells than any row could show; a file that claims more just repeats the last edge.
constexpr size_t MaxCellEdges = 256;

void addCellEdge(std::vector<int> &edges, const Token &token)
{
    if (edges.size() < MaxCellEdges)
        edges.push_back(qBound(0, token.param, MaxCellEdgeTwips));
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
        m_nestedCellEdges.clear();
        break;
    case Keyword::CellEdge:
        addCellEdge(m_nestedCellEdges, token);
        break;
    case Keyword::NestedRow:
        endRow(qMax(2, state().para.tableDepth), m_nestedCellEdges);
        break;
    default:
        break;
    }
}

void Parser::onTableWord(Keyword word, const Token &token)
{
    switch (word) {
    case Keyword::RowDefaults:
        m_cellEdges.clear();
        break;
    case Keyword::CellEdge:
        addCellEdge(m_cellEdges, token);
        break;
    case Keyword::Cell:
        endCell(1);
        break;
    case Keyword::NestedCell:
        endCell(qMax(2, state().para.tableDepth));
        break;
    case Keyword::Row:
        endRow(1, m_cellEdges);
        break;
    case Keyword::NestedRow:
        endRow(qMax(2, state().para.tableDepth), m_nestedCellEdges);
        break;
    default:
        break;
    }
}

void Parser::endCell(int depth)
{
    flushSurrogate();
    m_builder.endCell(paragraphEnd(depth));
}

void Parser::endRow(int depth, const std::vector<int> &cellEdges)
{
    flushSurrogate();
    m_builder.endRow(paragraphEnd(depth), cellEdges);
}

} // namespace rtf

// The writer's list items, paragraph spacing and tables.

#include "rtf/formatproperties.h"
#include "rtf/units.h"
#include "rtf/writer.h"

#include <QTextBlock>
#include <QTextList>
#include <QTextTable>

namespace rtf {

namespace {

constexpr int ListIndentTwips = 720;
constexpr int TableWidthTwips = 9360; // the text width of a page with the usual margins
constexpr int SingleLineTwips = 240;

bool isBullet(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

const char *numberingWord(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
        return "pnlcltr";
    case QTextListFormat::ListUpperAlpha:
        return "pnucltr";
    case QTextListFormat::ListLowerRoman:
        return "pnlcrm";
    case QTextListFormat::ListUpperRoman:
        return "pnucrm";
    default:
        return "pndec";
    }
}

QString letters(int n)
{
    QString text;
    for (; n > 0; n = (n - 1) / 26)
        text.prepend(QChar(u'a' + (n - 1) % 26));
    return text;
}

QString roman(int n)
{
    static constexpr struct {
        int value;
        const char16_t *digits;
    } steps[] = {{1000, u"m"}, {900, u"cm"}, {500, u"d"}, {400, u"cd"}, {100, u"c"},
                 {90, u"xc"},  {50, u"l"},   {40, u"xl"}, {10, u"x"},   {9, u"ix"},
                 {5, u"v"},    {4, u"iv"},   {1, u"i"}};
    QString text;
    for (const auto &step : steps) {
        for (; n >= step.value; n -= step.value)
            text.append(QStringView(step.digits));
    }
    return text;
}

// What a list shows in front of an item with this number.
QString numberText(QTextListFormat::Style style, int number)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
        return letters(number);
    case QTextListFormat::ListUpperAlpha:
        return letters(number).toUpper();
    case QTextListFormat::ListLowerRoman:
        return number > 0 && number < 4000 ? roman(number) : QString::number(number);
    case QTextListFormat::ListUpperRoman:
        return number > 0 && number < 4000 ? roman(number).toUpper() : QString::number(number);
    default:
        return QString::number(number);
    }
}

// Qt's own default, which the list shows when it says nothing.
QString numberSuffix(const QTextListFormat &format)
{
    return format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix()
                                                             : QStringLiteral(".");
}

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

void Writer::writeListItem(const QTextBlock &block)
{
    const QTextList &list = *block.textList();
    const QTextListFormat format = list.format();
    const int indent = qBound(1, format.indent(), 9);
    m_body.open();
    m_body.word("pntext");
    if (isBullet(format.style())) {
        m_body.word("f", fontIndex(QStringLiteral("Symbol")));
        m_body.raw(QByteArrayLiteral("\\'B7"));
        m_body.word("tab");
        m_body.close();
        m_body.open();
        m_body.raw(QByteArrayLiteral("\\*"));
        m_body.word("pn");
        m_body.word("pnlvlblt");
        m_body.word("pnf", fontIndex(QStringLiteral("Symbol")));
        m_body.word("pnindent", 0);
        m_body.open();
        m_body.word("pntxtb");
        m_body.raw(QByteArrayLiteral("\\'B7"));
        m_body.close();
    } else {
        // Each item says its own number, so that a reader shows it also after a sub-list.
        const int start = format.hasProperty(ListStartProperty) ? format.intProperty(ListStartProperty) : 1;
        const int number = start + list.itemNumber(block);
        m_body.word("f", 0);
        m_body.text(QString(format.numberPrefix() + numberText(format.style(), number) + numberSuffix(format)));
        m_body.word("tab");
        m_body.close();
        m_body.open();
        m_body.raw(QByteArrayLiteral("\\*"));
        m_body.word("pn");
        m_body.word("pnlvlbody");
        m_body.word("pnf", 0);
        m_body.word("pnindent", 0);
        m_body.word("pnstart", number);
        m_body.word(numberingWord(format.style()));
        if (!format.numberPrefix().isEmpty()) {
            m_body.open();
            m_body.word("pntxtb");
            m_body.text(format.numberPrefix());
            m_body.close();
        }
        m_body.open();
        m_body.word("pntxta");
        m_body.text(numberSuffix(format));
        m_body.close();
    }
    m_body.close();
    m_body.word("fi", -360);
    m_body.word("li", ListIndentTwips * indent);
}

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
            writeRowDefinition(table);
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
            writeRowDefinition(table);
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

void Writer::writeRowDefinition(const QTextTable &table)
{
    m_body.word("trowd");
    m_body.word("trgaph", 108);
    // Every cell with its borders, as the reader shows every table.
    for (const int edge : cellEdges(table)) {
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

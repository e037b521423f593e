// The writer's lists, in both forms that readers know: Word's list table with \ls and \ilvl on
// every item, and the older \pn beside it for readers that only know that.

#include "rtf/formatproperties.h"
#include "rtf/listlabel.h"
#include "rtf/writer.h"

#include <QTextBlock>
#include <QTextList>

namespace rtf {

namespace {

constexpr int ListIndentTwips = 720;
constexpr int Levels = 9;
constexpr qsizetype MaxLevelText = 100; // the level text's length must fit in one byte

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

// \levelnfc: the number format of a Word list level.
int levelFormat(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListUpperRoman:
        return 1;
    case QTextListFormat::ListLowerRoman:
        return 2;
    case QTextListFormat::ListUpperAlpha:
        return 3;
    case QTextListFormat::ListLowerAlpha:
        return 4;
    default:
        return isBullet(style) ? 23 : 0;
    }
}

// The character a bullet list shows, as the editor draws it.
QString bulletText(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle:
        return QStringLiteral("\u25e6");
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u25aa");
    default:
        return QStringLiteral("\u2022");
    }
}

void writeLevelText(RtfStream &out, const QString &before, const QString &after, int level)
{
    out.open();
    out.word("leveltext");
    out.raw(QByteArrayLiteral("\\'") + QByteArray::number(before.size() + 1 + after.size(), 16).rightJustified(2, '0'));
    out.text(before);
    out.raw(QByteArrayLiteral("\\'0") + QByteArray::number(level));
    out.text(after);
    out.raw(QByteArrayLiteral(";"));
    out.close();
    out.open();
    out.word("levelnumbers");
    out.raw(QByteArrayLiteral("\\'") + QByteArray::number(before.size() + 1, 16).rightJustified(2, '0'));
    out.raw(QByteArrayLiteral(";"));
    out.close();
}

// Every level alike, so that an item shows its list's style at whatever depth it stands.
void writeList(RtfStream &out, const QTextListFormat &format, int id)
{
    const QTextListFormat::Style style = format.style();
    out.open();
    out.word("list");
    out.word("listtemplateid", id);
    out.word("listhybrid");
    for (int level = 0; level < Levels; ++level) {
        out.open();
        out.word("listlevel");
        out.word("levelnfc", levelFormat(style));
        out.word("levelnfcn", levelFormat(style));
        out.word("leveljc", 0);
        out.word("levelfollow", 0);
        out.word("levelstartat", listStart(format));
        if (isBullet(style)) {
            out.open();
            out.word("leveltext");
            out.raw(QByteArrayLiteral("\\'01"));
            out.text(bulletText(style));
            out.raw(QByteArrayLiteral(";"));
            out.close();
            out.open();
            out.word("levelnumbers");
            out.raw(QByteArrayLiteral(";"));
            out.close();
        } else {
            writeLevelText(out, format.numberPrefix().left(MaxLevelText),
                           numberSuffix(format).left(MaxLevelText), level);
        }
        out.word("f", 0);
        out.word("fi", -360);
        out.word("li", ListIndentTwips * (level + 1));
        out.close();
    }
    out.open();
    out.word("listname");
    out.raw(QByteArrayLiteral(" ;"));
    out.close();
    out.word("listid", id);
    out.close();
}

} // namespace

int Writer::listNumber(const QTextList *list)
{
    const auto known = m_listNumbers.find(list);
    if (known != m_listNumbers.end())
        return known->second;
    m_lists.push_back(list->format());
    const int number = int(m_lists.size());
    m_listNumbers.emplace(list, number);
    return number;
}

void Writer::writeListTables(RtfStream &out) const
{
    if (m_lists.empty())
        return;
    out.open();
    out.raw(QByteArrayLiteral("\\*"));
    out.word("listtable");
    for (size_t i = 0; i < m_lists.size(); ++i) {
        writeList(out, m_lists[i], int(i) + 1);
        out.newline();
    }
    out.close();
    out.open();
    out.raw(QByteArrayLiteral("\\*"));
    out.word("listoverridetable");
    for (size_t i = 0; i < m_lists.size(); ++i) {
        out.open();
        out.word("listoverride");
        out.word("listid", int(i) + 1);
        out.word("listoverridecount", 0);
        out.word("ls", int(i) + 1);
        out.close();
    }
    out.close();
    out.newline();
}

void Writer::writeListItem(const QTextBlock &block)
{
    const QTextList &list = *block.textList();
    const QTextListFormat format = list.format();
    const int indent = qBound(1, format.indent(), Levels);
    const bool bullet = isBullet(format.style());
    const QString label = bullet ? bulletText(format.style()) : listLabel(block);
    // Starred, so that a reader that knows neither form shows the label of \pntext alone.
    m_body.open();
    m_body.raw(QByteArrayLiteral("\\*"));
    m_body.word("listtext");
    m_body.word("f", 0);
    m_body.text(label);
    m_body.word("tab");
    m_body.close();
    m_body.open();
    m_body.word("pntext");
    const bool symbolBullet = format.style() == QTextListFormat::ListDisc;
    m_body.word("f", symbolBullet ? fontIndex(QStringLiteral("Symbol")) : 0);
    if (symbolBullet)
        m_body.raw(QByteArrayLiteral("\\'B7"));
    else
        m_body.text(label);
    m_body.word("tab");
    m_body.close();
    m_body.open();
    m_body.raw(QByteArrayLiteral("\\*"));
    m_body.word("pn");
    if (bullet) {
        m_body.word("pnlvlblt");
        m_body.word("pnf", symbolBullet ? fontIndex(QStringLiteral("Symbol")) : 0);
        m_body.word("pnindent", 0);
        m_body.open();
        m_body.word("pntxtb");
        if (symbolBullet)
            m_body.raw(QByteArrayLiteral("\\'B7"));
        else
            m_body.text(label);
        m_body.close();
    } else {
        // Each item says its own number, so that a reader shows it also after a sub-list.
        m_body.word("pnlvlbody");
        m_body.word("pnf", 0);
        m_body.word("pnindent", 0);
        m_body.word("pnstart", listStart(format) + list.itemNumber(block));
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
    m_body.word("ls", listNumber(&list));
    m_body.word("ilvl", indent - 1);
    m_body.word("fi", -360);
    m_body.word("li", ListIndentTwips * indent);
}

} // namespace rtf

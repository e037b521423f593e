#include "documentsignature.h"

#include "rtf/formatproperties.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>

#include <map>

namespace {

QString alignment(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return QStringLiteral("c");
    if (a & Qt::AlignJustify)
        return QStringLiteral("j");
    if (a & Qt::AlignRight)
        return QStringLiteral("r");
    return QStringLiteral("l");
}

QString margins(const QTextBlockFormat &f)
{
    QString text;
    if (f.leftMargin() != 0 || f.textIndent() != 0 || f.rightMargin() != 0)
        text += QStringLiteral(" m%1/%2/%3")
                    .arg(QString::number(f.leftMargin(), 'f', 1), QString::number(f.textIndent(), 'f', 1),
                         QString::number(f.rightMargin(), 'f', 1));
    if (f.topMargin() != 0 || f.bottomMargin() != 0)
        text += QStringLiteral(" sp%1/%2").arg(QString::number(f.topMargin(), 'f', 1),
                                               QString::number(f.bottomMargin(), 'f', 1));
    if (f.lineHeightType() != QTextBlockFormat::SingleHeight)
        text += QStringLiteral(" lh%1:%2").arg(f.lineHeightType()).arg(QString::number(f.lineHeight(), 'f', 1));
    return text;
}

// "list4/1 1) @3": style and indent, then the number shown (none for bullets) and a start other
// than 1, which this Qt keeps but does not show.
QString listItem(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return {};
    QString text = QStringLiteral(" list%1/%2").arg(list->format().style()).arg(list->format().indent());
    if (list->format().style() <= QTextListFormat::ListDecimal)
        text += u' ' + list->itemText(block);
    if (list->format().hasProperty(rtf::ListStartProperty))
        text += QStringLiteral(" @%1").arg(list->format().intProperty(rtf::ListStartProperty));
    return text;
}

// "t1:0,1 " for a block in row 0, column 1 of the document's first table; nested cells add theirs.
QString cellPath(const QTextDocument &doc, const QTextBlock &block, std::map<const QTextTable *, int> &tables)
{
    QString path;
    for (QTextFrame *frame = doc.frameAt(block.position()); frame && frame != doc.rootFrame();
         frame = frame->parentFrame()) {
        const auto *table = qobject_cast<const QTextTable *>(frame);
        if (!table)
            continue;
        const auto known = tables.emplace(table, int(tables.size()) + 1).first;
        const QTextTableCell cell = table->cellAt(block.position());
        QString extra;
        if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
            extra += QStringLiteral("/%1x%2").arg(cell.rowSpan()).arg(cell.columnSpan());
        if (cell.format().hasProperty(QTextFormat::BackgroundBrush))
            extra += cell.format().background().color().name();
        path.prepend(QStringLiteral("t%1:%2,%3%4 ").arg(known->second).arg(cell.row()).arg(cell.column()).arg(extra));
    }
    return path;
}

// Family and size as shown: a format without them takes the document's default font.
QString runFormat(const QTextCharFormat &f, const QFont &defaultFont)
{
    QString family = f.fontFamilies().toStringList().value(0);
    if (family.isEmpty())
        family = defaultFont.family();
    const double size = f.fontPointSize() > 0 ? f.fontPointSize() : defaultFont.pointSizeF();
    QString flags;
    if (f.fontWeight() >= QFont::DemiBold)
        flags += u'b';
    if (f.fontItalic())
        flags += u'i';
    if (f.fontUnderline())
        flags += u'u';
    if (f.fontStrikeOut())
        flags += u's';
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        flags += u'^';
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        flags += u'_';
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        flags += QStringLiteral(" bg") + f.background().color().name();
    if (f.hasProperty(rtf::FootnoteReferenceProperty))
        flags += QStringLiteral(" ref%1").arg(f.intProperty(rtf::FootnoteReferenceProperty));
    if (f.hasProperty(rtf::FootnoteNumberProperty))
        flags += QStringLiteral(" note%1").arg(f.intProperty(rtf::FootnoteNumberProperty));
    const QString color = f.hasProperty(QTextFormat::ForegroundBrush)
        ? f.foreground().color().name()
        : QStringLiteral("auto");
    return QStringLiteral("[%1 %2 %3 %4]")
        .arg(family, QString::number(size), color, flags);
}

// " rule" above the footnotes, " in-note2" in the second note.
QString note(const QTextBlockFormat &f)
{
    if (f.hasProperty(rtf::FootnoteRuleProperty))
        return QStringLiteral(" rule");
    if (f.hasProperty(rtf::FootnoteProperty))
        return QStringLiteral(" in-note%1").arg(f.intProperty(rtf::FootnoteProperty));
    return {};
}

} // namespace

QString documentSignature(const QTextDocument &doc)
{
    QStringList lines;
    std::map<const QTextTable *, int> tables;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QString line = cellPath(doc, block, tables) + alignment(block.blockFormat().alignment())
            + margins(block.blockFormat()) + listItem(block) + note(block.blockFormat());
        line += u'|';
        QString previous;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.objectType() == rtf::HiddenTextObject) {
                line += QStringLiteral("<hidden %1%2>").arg(runFormat(format, doc.defaultFont()),
                                                            format.stringProperty(rtf::HiddenTextProperty));
                previous.clear();
                continue;
            }
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                line += QStringLiteral("<img %1x%2>").arg(qRound(image.width())).arg(qRound(image.height()));
                previous.clear();
                continue;
            }
            const QString run = runFormat(format, doc.defaultFont());
            if (run != previous)
                line += run;
            previous = run;
            line += fragment.text();
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}

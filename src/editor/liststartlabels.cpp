#include "editor/liststartlabels.h"

#include "rtf/listlabel.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextList>

#include <algorithm>

namespace {

bool startsElsewhere(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    return list && !rtf::isBullet(list->format().style()) && rtf::listStart(list->format()) != 1
        && block.textDirection() == Qt::LeftToRight && block.layout() && block.layout()->lineCount() > 0;
}

// As Qt lays out a label: one line with its leading, drawn from the top of the first line.
void drawLabel(QPainter &painter, const QString &text, const QFont &font, const QPointF &topLeft)
{
    QTextLayout layout(text, font);
    layout.setTextOption(QTextOption(Qt::AlignLeft | Qt::AlignAbsolute));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLeadingIncluded(true);
    layout.endLayout();
    layout.draw(&painter, topLeft);
}

// Most documents have none: then nothing is looked at block by block.
bool hasListStartingElsewhere(const QTextDocument &doc)
{
    const QList<QTextFormat> formats = doc.allFormats();
    return std::any_of(formats.begin(), formats.end(), [](const QTextFormat &format) {
        return format.isListFormat() && rtf::listStart(format.toListFormat()) != 1;
    });
}

} // namespace

void paintListStartLabels(const QTextEdit &edit, QPainter &painter, const QRect &area)
{
    if (!hasListStartingElsewhere(*edit.document()))
        return;
    for (QTextBlock block = edit.cursorForPosition(area.topLeft()).block(); block.isValid();
         block = block.next()) {
        const QTextCursor start(block);
        const QRect caret = edit.cursorRect(start);
        // In a table a later cell may stand higher than the end of the cell before it.
        if (caret.top() > area.bottom() && !start.currentTable())
            break;
        if (!startsElsewhere(block))
            continue;
        const QTextList *list = block.textList();
        const QFont font = block.charFormat().font();
        const QFontMetrics metrics(font);
        const QString qts = list->itemText(block);
        const QString ours = rtf::listLabel(block);
        const int right = caret.left() - metrics.horizontalAdvance(u' ');
        const int left = right - qMax(metrics.horizontalAdvance(qts), metrics.horizontalAdvance(ours));
        painter.fillRect(QRect(left - 1, caret.top(), right - left + 2, metrics.height() + 1),
                         edit.palette().base());
        QBrush foreground = block.charFormat().foreground();
        if (foreground.style() == Qt::NoBrush)
            foreground = edit.palette().text();
        painter.setPen(QPen(foreground, 0));
        drawLabel(painter, ours, font, QPointF(right - metrics.horizontalAdvance(ours), caret.top()));
    }
}

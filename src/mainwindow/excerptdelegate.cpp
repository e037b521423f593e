#include "mainwindow/excerptdelegate.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextDocument>

void ExcerptDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString html = opt.text;
    opt.text.clear();
    const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    QTextDocument doc;
    doc.setDefaultFont(opt.font);
    doc.setDocumentMargin(0);
    doc.setHtml(html);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    QAbstractTextDocumentLayout::PaintContext context;
    const bool selected = opt.state & QStyle::State_Selected;
    context.palette.setColor(QPalette::Text, opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->save();
    painter->translate(text.left(), text.top() + (text.height() - doc.size().height()) / 2);
    painter->setClipRect(text.translated(-text.topLeft()));
    doc.documentLayout()->draw(painter, context);
    painter->restore();
}

#include "mainwindow/listitemdelegate.h"

#include <QApplication>
#include <QPainter>

const QColor ListItemDelegate::skyBlue(166, 202, 240);
const QColor ListItemDelegate::moneyGreen(192, 220, 192);
const QColor ListItemDelegate::orange(255, 128, 0);
const QColor ListItemDelegate::red(255, 0, 0);
const QColor ListItemDelegate::silver(192, 192, 192);

ListItemDelegate::ListItemDelegate(Marker marker, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_marker(marker)
{
}

QColor ListItemDelegate::markerColor() const
{
    switch (m_marker) {
    case Marker::MenuHighlightSquare:
        return QApplication::palette("QMenu").color(QPalette::Active, QPalette::Highlight);
    case Marker::SkyBlueSquare:
        return skyBlue;
    case Marker::MoneyGreenSquare:
        return moneyGreen;
    case Marker::OrangeCircle:
        return orange;
    }
    return {};
}

void ListItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QColor background =
        option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
    const QColor textColor =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);

    painter->save();
    painter->fillRect(r, background);

    const QRect markerRect(r.left() + 2, r.top() + 5, 10, 10);
    if (m_marker == Marker::OrangeCircle) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(red, 1));
        painter->setBrush(orange);
        // The pen runs inside the 10 x 10 square, as the outline of a filled ellipse does there.
        painter->drawEllipse(markerRect.adjusted(0, 0, -1, -1));
    } else {
        painter->fillRect(markerRect, markerColor());
    }

    painter->setPen(textColor);
    const QVariant shown = index.data(ShownTextRole);
    QFont font = option.font;
    font.setItalic(shown.isValid());
    painter->setFont(font);
    const QRect textRect(r.left() + 14, r.top() + 1, r.width() - 14, r.height() - 1);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      shown.isValid() ? shown.toString() : index.data(Qt::DisplayRole).toString());

    painter->setPen(QPen(silver, 1));
    painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = background;
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

QSize ListItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width() + 14, itemHeight};
}

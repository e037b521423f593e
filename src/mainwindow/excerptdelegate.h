#pragma once

#include <QStyledItemDelegate>

// Draws an item's text as simple rich text, so that the found words of an excerpt stand out.
class ExcerptDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Draws one entry of the four lists: a coloured marker, the text and a silver line below.
class ListItemDelegate : public QStyledItemDelegate {
public:
    enum class Marker { MenuHighlightSquare, SkyBlueSquare, MoneyGreenSquare, OrangeCircle };

    static constexpr int itemHeight = 19;
    // An entry shown otherwise than it is written (a scaled ingredient line): drawn in italics.
    static constexpr int ShownTextRole = Qt::UserRole + 1;
    static const QColor skyBlue;
    static const QColor moneyGreen;
    static const QColor orange;
    static const QColor red;
    static const QColor silver;

    explicit ListItemDelegate(Marker marker, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    QColor markerColor() const;

private:
    Marker m_marker;
};

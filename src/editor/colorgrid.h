#pragma once

#include <QWidget>

// Sixteen colour cells, four per row, with a foreground ("FG") and a background ("BG") marker.
class ColorGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int cellWidth = 25;
    static constexpr int cellHeight = 18;

    explicit ColorGrid(QWidget *parent = nullptr);

    int foregroundIndex() const { return m_foreground; }
    int backgroundIndex() const { return m_background; }
    void setForegroundIndex(int index); // -1: no cell marked
    void setBackgroundIndex(int index);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect cellRect(int index) const;

    int m_foreground = 0;
    int m_background = 15;
};

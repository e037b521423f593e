#pragma once

#include <QWidget>

// Sixteen colour cells, four per row, with a foreground ("FG") and a background ("BG") marker.
// The left button moves the foreground cell, the right button the background cell; releasing
// the left button inside the grid is a click.
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
    // Chooses the foreground cell as a click on it does.
    void chooseForeground(int index);
    QSize sizeHint() const override;
    QRect cellRect(int index) const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Positions outside the grid count as the nearest edge cell.
    int cellAt(const QPoint &pos) const;
    void follow(Qt::MouseButtons buttons, const QPoint &pos);

    int m_foreground = 0;
    int m_background = 15;
};

#pragma once

#include <QWidget>

class ColorGrid;
class FontBox;
class QAction;
class QMenu;
class QToolButton;
class StatusLine;

// The panel above the editor, shown in write mode: colour grid, status line, font boxes and
// the quick size and standard buttons.
class FontPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int panelHeight = 88;

    explicit FontPanel(QWidget *parent = nullptr);

    ColorGrid *colorGrid = nullptr;
    StatusLine *Info = nullptr;
    FontBox *sizeBox = nullptr;
    FontBox *nameBox = nullptr;
    QToolButton *fontButton = nullptr;
    QMenu *FontPU = nullptr;
    QToolButton *sizeButton[5] = {};
    QToolButton *osButton = nullptr;
    QToolButton *textButton = nullptr;
    QAction *mfontHent = nullptr;
    QAction *mFontGem = nullptr;
    QAction *mFont[8] = {};

    // The entries of the size list, smallest first.
    static QList<int> listedSizes();
    // The fixed names of the font menu's eight font items.
    static QString menuFontName(int number);

private:
    void buildFontMenu();
};

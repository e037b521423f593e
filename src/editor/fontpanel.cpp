#include "editor/fontpanel.h"

#include "dialogs/drawnicon.h"
#include "dialogs/drawnpixmap.h"
#include "editor/colorgrid.h"
#include "editor/fontbox.h"
#include "editor/namedaction.h"
#include "editor/statusline.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *smallButton(QWidget *parent, const QString &name, const QString &caption,
                         const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setStatusTip(hint);
    button->setFixedSize(23, 23);
    button->setFocusPolicy(Qt::TabFocus); // reached with Tab, never taken from the editor by a click
    button->setAutoRaise(true);
    return button;
}

// A small "A" over a coloured bar: the standard heading is blue, the standard text black.
QIcon standardIcon(const QColor &color, int letterPixels)
{
    return drawnWhenShown(QSize(16, 16), [color, letterPixels] {
        return drawnPixmap(QSize(16, 16), [&](QPainter &painter) {
            QFont f;
            f.setBold(true);
            f.setPixelSize(letterPixels);
            painter.setFont(f);
            painter.setPen(color);
            painter.drawText(QRect(0, 0, 16, 13), Qt::AlignCenter, QStringLiteral("A"));
            painter.fillRect(2, 13, 12, 2, color);
        });
    });
}

FontBox *fontBox(QWidget *parent, const QString &name, int width)
{
    auto *box = new FontBox(parent);
    box->setObjectName(name);
    box->setFixedWidth(width);
    return box;
}

} // namespace

FontPanel::FontPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("fontPanel"));
    setFixedHeight(panelHeight);

    colorGrid = new ColorGrid(this);
    colorGrid->setObjectName(QStringLiteral("colorGrid"));
    Info = new StatusLine(this);
    Info->setObjectName(QStringLiteral("Info"));

    sizeBox = fontBox(this, QStringLiteral("sizeBox"), 49);
    for (int size : listedSizes())
        sizeBox->addItem(QString::number(size));
    nameBox = fontBox(this, QStringLiteral("nameBox"), 200);
    sizeBox->setAccessibleName(QStringLiteral("Fontstørrelse"));
    nameBox->setAccessibleName(QStringLiteral("Fontnavn"));

    fontButton = new QToolButton(this);
    fontButton->setObjectName(QStringLiteral("fontButton"));
    fontButton->setStatusTip(QStringLiteral("Vælg fontnavn"));
    fontButton->setPopupMode(QToolButton::MenuButtonPopup);
    fontButton->setText(QStringLiteral("A"));
    fontButton->setFocusPolicy(Qt::TabFocus);
    buildFontMenu();
    fontButton->setMenu(FontPU);

    auto *boxRow = new QHBoxLayout;
    boxRow->setSpacing(4);
    boxRow->addWidget(sizeBox);
    boxRow->addWidget(nameBox);
    boxRow->addWidget(fontButton);
    boxRow->addStretch(1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(2);
    const int sizes[5] = {9, 10, 11, 12, 14};
    for (int i = 0; i < 5; ++i) {
        sizeButton[i] = smallButton(this, QStringLiteral("sizeButton%1").arg(i + 1),
                                    QString::number(sizes[i]),
                                    QStringLiteral("Sæt fontstørrelse %1").arg(sizes[i]));
        buttonRow->addWidget(sizeButton[i]);
    }
    osButton = smallButton(this, QStringLiteral("osButton"), {}, QStringLiteral("Standard overskrift"));
    osButton->setIcon(standardIcon(QColor(0, 0, 255), 13));
    textButton = smallButton(this, QStringLiteral("textButton"), {}, QStringLiteral("Standard tekst"));
    textButton->setIcon(standardIcon(QColor(0, 0, 0), 10));
    buttonRow->addSpacing(6);
    buttonRow->addWidget(osButton);
    buttonRow->addWidget(textButton);
    buttonRow->addStretch(1);

    auto *rows = new QVBoxLayout;
    rows->setSpacing(3);
    rows->addWidget(Info);
    rows->addLayout(boxRow);
    rows->addLayout(buttonRow);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(8);
    layout->addWidget(colorGrid, 0, Qt::AlignTop);
    layout->addLayout(rows, 1);
}

void FontPanel::buildFontMenu()
{
    FontPU = new QMenu(this);
    FontPU->setObjectName(QStringLiteral("FontPU"));
    mfontHent = namedAction(FontPU, "mfontHent", QStringLiteral("Hent standardfont"),
                            QStringLiteral("Anvend standardfonten"));
    mFontGem = namedAction(FontPU, "mFontGem", QStringLiteral("Gem som standardfont"),
                           QStringLiteral("Gem nuværende fontnavn og størrelse som standardfont"));
    FontPU->addAction(mfontHent);
    FontPU->addAction(mFontGem);
    FontPU->addSeparator();
    for (int i = 0; i < 8; ++i) {
        mFont[i] = new QAction(menuFontName(i + 1), FontPU);
        mFont[i]->setObjectName(QStringLiteral("mFont%1").arg(i + 1));
        FontPU->addAction(mFont[i]);
    }
}

QList<int> FontPanel::listedSizes()
{
    return {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
}

QString FontPanel::menuFontName(int number)
{
    static const QString fonts[8] = {
        QStringLiteral("Arial"),          QStringLiteral("Courier New"),
        QStringLiteral("Georgia"),        QStringLiteral("Lucida Calligraphy"),
        QStringLiteral("Lucida Console"), QStringLiteral("Segoe Print"),
        QStringLiteral("Tahoma"),         QStringLiteral("Verdana"),
    };
    return (number >= 1 && number <= 8) ? fonts[number - 1] : QString();
}

#include "mainwindow/listitemdelegate.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(ListItemDelegate::Marker)

class TestListDrawing : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void item_data();
    void item();
};

namespace {

// Colours of our own choosing, so that the test does not read them the way the code does.
const QColor kMenuHighlight(10, 36, 106);
const QColor kBase(250, 250, 240);
const QColor kSelection(40, 80, 160);

} // namespace

void TestListDrawing::initTestCase()
{
    QPalette menu = QApplication::palette();
    menu.setColor(QPalette::Highlight, kMenuHighlight);
    QApplication::setPalette(menu, "QMenu");
}

void TestListDrawing::item_data()
{
    QTest::addColumn<ListItemDelegate::Marker>("marker");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QColor>("fill");    // centre of the marker
    QTest::addColumn<QColor>("outline"); // left edge of the marker's square, half way down

    const QColor menu = kMenuHighlight;
    using M = ListItemDelegate::Marker;
    QTest::newRow("main categories") << M::MenuHighlightSquare << false << menu << menu;
    QTest::newRow("subcategories") << M::SkyBlueSquare << false << QColor(166, 202, 240) << QColor(166, 202, 240);
    QTest::newRow("recipes") << M::MoneyGreenSquare << false << QColor(192, 220, 192) << QColor(192, 220, 192);
    QTest::newRow("recipes, selected") << M::MoneyGreenSquare << true << QColor(192, 220, 192) << QColor(192, 220, 192);
    QTest::newRow("ingredients") << M::OrangeCircle << false << QColor(255, 128, 0) << QColor(255, 0, 0);
    QTest::newRow("ingredients, selected") << M::OrangeCircle << true << QColor(255, 128, 0) << QColor(255, 0, 0);
}

void TestListDrawing::item()
{
    QFETCH(ListItemDelegate::Marker, marker);
    QFETCH(bool, selected);
    QFETCH(QColor, fill);
    QFETCH(QColor, outline);

    QListWidget list;
    QPalette palette = list.palette();
    palette.setColor(QPalette::Base, kBase);
    palette.setColor(QPalette::Highlight, kSelection);
    list.setPalette(palette);
    list.addItem(QStringLiteral("Æblekage"));
    ListItemDelegate delegate(marker);

    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.rect = QRect(0, 0, 120, ListItemDelegate::itemHeight);
    option.state = QStyle::State_Enabled | QStyle::State_Active;
    if (selected)
        option.state |= QStyle::State_Selected;
    option.widget = &list;
    QCOMPARE(delegate.sizeHint(option, list.model()->index(0, 0)).height(), 19);

    QImage image(120, 19, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        QPainter painter(&image);
        delegate.paint(&painter, option, list.model()->index(0, 0));
    }

    const QColor background = selected ? kSelection : kBase;
    QCOMPARE(image.pixelColor(7, 10), fill);         // marker square (2,5)-(12,15)
    QCOMPARE(image.pixelColor(2, 10), outline);
    QCOMPARE(image.pixelColor(1, 10), background);   // nothing left of the marker
    QCOMPARE(image.pixelColor(7, 4), background);    // nor above it
    QCOMPARE(image.pixelColor(7, 15), background);   // nor below it
    QCOMPARE(image.pixelColor(100, 10), background); // right of the text
    for (int x : {0, 60, 119})
        QCOMPARE(image.pixelColor(x, 18), QColor(192, 192, 192)); // the silver bottom line
    QCOMPARE(image.pixelColor(60, 17), background);

    bool textDrawn = false; // the text starts at x = 14
    for (int x = 14; x < 80 && !textDrawn; ++x)
        for (int y = 1; y < 18 && !textDrawn; ++y)
            textDrawn = image.pixelColor(x, y) != background;
    QVERIFY(textDrawn);
}

QTEST_MAIN(TestListDrawing)
#include "tst_listdrawing.moc"

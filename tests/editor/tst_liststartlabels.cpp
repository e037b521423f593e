#include "editor/descriptionedit.h"
#include "rtf/rtfreader.h"

#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

// A lettered list with ")" after the number; its first item shows the number given.
QByteArray listStartingAt(int start, const QByteArray &items)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}}"
           "{\\*\\listtable{\\list{\\listlevel\\levelnfc4\\levelstartat" + QByteArray::number(start)
        + "{\\leveltext\\'02\\'00);}}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
          "\\pard\\ls1\\fs24 " + items + "}";
}

// What the editor shows left of the text of the block that holds text.
QImage labelOf(QTextEdit &edit, const QString &text)
{
    edit.resize(400, 300);
    edit.show();
    QTextCursor cursor = edit.document()->find(text);
    cursor.setPosition(cursor.block().position());
    const QRect caret = edit.cursorRect(cursor);
    const QImage shown = edit.viewport()->grab().toImage();
    return shown.copy(QRect(0, caret.top(), caret.left() - 1, caret.height()));
}

} // namespace

class TestListStartLabels : public QObject
{
    Q_OBJECT

private slots:
    void listStartingAtThree_showsThreeAndFour();
};

void TestListStartLabels::listStartingAtThree_showsThreeAndFour()
{
    DescriptionEdit edit;
    rtf::read(listStartingAt(3, "tre\\par fire\\par"), edit.document());
    QTextEdit counted; // four items from 1: its third and fourth show the labels wanted
    rtf::read(listStartingAt(1, "en\\par to\\par tre\\par fire\\par"), counted.document());
    QTextEdit plain; // the Qt editor alone counts from 1
    rtf::read(listStartingAt(3, "tre\\par fire\\par"), plain.document());

    const QImage wanted = labelOf(counted, u"tre"_s);
    QVERIFY(labelOf(plain, u"tre"_s) != wanted);
    QCOMPARE(labelOf(edit, u"tre"_s), wanted);
    QCOMPARE(labelOf(edit, u"fire"_s), labelOf(counted, u"fire"_s));
}

QTEST_MAIN(TestListStartLabels)
#include "tst_liststartlabels.moc"

#include "documentsignature.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "rtftestdocument.h"

#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

// A Word list table: list 10 numbers "1." on level 0 and "a)" on level 1; list 20 is bullets.
// \ls1 and \ls2 point at them.
const QByteArray WordListTables =
    "{\\*\\listtable{\\list\\listtemplateid5\\listhybrid"
    "{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\levelstartat1\\levelfollow0"
    "{\\leveltext\\leveltemplateid67698703\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720\\lin720 }"
    "{\\listlevel\\levelnfc4\\levelnfcn4\\levelstartat1{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}"
    "\\fi-360\\li1440\\lin1440 }{\\listname ;}\\listid10}"
    "{\\list\\listtemplateid6{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01\\u-3913 ?;}"
    "{\\levelnumbers;}\\f2\\fi-360\\li720 }\\listid20}}"
    "{\\*\\listoverridetable{\\listoverride\\listid10\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid20\\listoverridecount0\\ls2}}";

// One Word list paragraph: the number text Word shows for old readers, then the paragraph.
QByteArray wordItem(int ls, int level, const QByteArray &text)
{
    const QByteArray indent = QByteArray::number(720 * (level + 1));
    return "{\\listtext\\pard\\plain 9.\\tab}\\pard\\fi-360\\li" + indent + "\\ls" + QByteArray::number(ls)
        + "\\ilvl" + QByteArray::number(level) + " " + text + "\\par ";
}

} // namespace

// Lists of both encodings: the rich-edit control's \pn and the list tables of Word and
// LibreOffice. Each item is read with its kind, level and the number it shows.
class TestRtfLists : public QObject
{
    Q_OBJECT

private slots:
    void list_readAsItsKind_data();
    void list_readAsItsKind();
    void numberedList_writtenInBothListForms();
};

void TestRtfLists::list_readAsItsKind_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    QTest::newRow("\\pn with a suffix keeps \"1)\"")
        << QByteArray("\\pard{\\pntext 1)\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta )}}\\fi-360\\li720 first\\par "
                      "{\\pntext 2)\\tab}second\\par")
        << u"l list-4/1 1)|[Arial 12 auto ]first\nl list-4/1 2)|[Arial 12 auto ]second"_s;
    QTest::newRow("\\pn letters and roman numerals with text before and after")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pnlcltr{\\pntxta .}}\\li720 a\\par b\\par"
                      "\\pard{\\*\\pn\\pnlvlbody\\pnucltr{\\pntxta .}}\\li720 c\\par"
                      "\\pard{\\*\\pn\\pnlvlbody\\pnlcrm{\\pntxtb (}{\\pntxta )}}\\li720 d\\par e\\par"
                      "\\pard{\\*\\pn\\pnlvlbody\\pnucrm{\\pntxta .}}\\li720 f\\par")
        << u"l list-5/1 a.|[Arial 12 auto ]a\nl list-5/1 b.|[Arial 12 auto ]b\n"
           "l list-6/1 A.|[Arial 12 auto ]c\n"
           "l list-7/1 (i)|[Arial 12 auto ]d\nl list-7/1 (ii)|[Arial 12 auto ]e\n"
           "l list-8/1 I.|[Arial 12 auto ]f"_s;
    QTest::newRow("\\pn without text after the number shows it bare; \\pnstart kept")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart4}\\li720 a\\par")
        << u"l list-4/1 1 @4|[Arial 12 auto ]a"_s;
    QTest::newRow("text around the number cut at 16 characters, also when it comes in pieces")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec{\\pntxta )abcdefghij\\u230?klmnopqrstu}}\\li720 a\\par")
        << u"l list-4/1 1)abcdefghijæklmn|[Arial 12 auto ]a"_s;
    QTest::newRow("\\pn bullets")
        << QByteArray("\\pard{\\*\\pn\\pnlvlblt\\pnf2{\\pntxtb\\'B7}}\\li720 a\\par")
        << u"l list-1/1|[Arial 12 auto ]a"_s;
    QTest::newRow("\\pn list after a paragraph: a new list, or the same one when its start says so")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}\\li720 a\\par b\\par\\pard x\\par"
                      "\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart3{\\pntxta .}}\\li720 c\\par\\pard y\\par"
                      "\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}\\li720 d\\par")
        << u"l list-4/1 1.|[Arial 12 auto ]a\nl list-4/1 2.|[Arial 12 auto ]b\nl|[Arial 12 auto ]x\n"
           "l list-4/1 3.|[Arial 12 auto ]c\nl|[Arial 12 auto ]y\nl list-4/1 1.|[Arial 12 auto ]d"_s;
    QTest::newRow("two \\pn lists of one kind back to back stay two lists")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}\\li720 a\\par"
                      "\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}\\li720 b\\par")
        << u"l list-4/1 1.|[Arial 12 auto ]a\nl list-4/1 1.|[Arial 12 auto ]b"_s;
    QTest::newRow("Word list numbered by its table, sub-level and back keeps counting")
        << WordListTables + wordItem(1, 0, "one") + wordItem(1, 0, "two") + wordItem(1, 1, "sub a")
            + wordItem(1, 1, "sub b") + wordItem(1, 0, "three") + "\\pard plain\\par "
            + wordItem(1, 0, "four") + wordItem(1, 1, "sub again")
        << u"l list-4/1 1.|[Arial 12 auto ]one\nl list-4/1 2.|[Arial 12 auto ]two\n"
           "l list-5/2 a)|[Arial 12 auto ]sub a\nl list-5/2 b)|[Arial 12 auto ]sub b\n"
           "l list-4/1 3.|[Arial 12 auto ]three\nl|[Arial 12 auto ]plain\n"
           "l list-4/1 4.|[Arial 12 auto ]four\nl list-5/2 a)|[Arial 12 auto ]sub again"_s;
    QTest::newRow("a Word list's level is its \\ilvl, not its indent; it counts on in the next cell")
        << WordListTables + "\\pard\\ls1\\ilvl1\\li360 x\\par"
            + "\\trowd\\cellx3000\\cellx6000\\pard\\intbl\\ls1\\ilvl0\\li2880 a\\cell"
              "\\pard\\intbl\\ls1\\ilvl0 b\\cell\\row"
        << u"l list-5/2 a)|[Arial 12 auto ]x\nt1:0,0 l list-4/1 1.|[Arial 12 auto ]a\n"
           "t1:0,1 l list-4/1 2.|[Arial 12 auto ]b\nl|"_s;
    QTest::newRow("Word bullets of sub-levels by their character: \"o\" and a square")
        << QByteArray("{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01o;}\\f0}"
                      "{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3929 ?;}\\f2}"
                      "{\\listlevel\\levelnfc23{\\leveltext\\'01\\u9702 ?;}}\\listid3}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid3\\ls4}}")
            + wordItem(4, 0, "o") + wordItem(4, 1, "square") + wordItem(4, 2, "circle")
        << u"l list-2/1|[Arial 12 auto ]o\nl list-3/2|[Arial 12 auto ]square\nl list-2/3|[Arial 12 auto ]circle"_s;
    QTest::newRow("Word bullets by the table, also next to a numbered \\pn")
        << WordListTables + "{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}" + wordItem(2, 0, "a")
        << u"l list-1/1|[Arial 12 auto ]a"_s;
    QTest::newRow("\\ls unknown to the tables: a numbered \\pn beside it stays numbered")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}\\ls7\\li720 a\\par b\\par")
        << u"l list-4/1 1.|[Arial 12 auto ]a\nl list-4/1 2.|[Arial 12 auto ]b"_s;
    QTest::newRow("\\ls alone and unknown: bullets")
        << QByteArray("\\pard\\ls7\\li720 a\\par")
        << u"l list-1/1|[Arial 12 auto ]a"_s;
    QTest::newRow("\\levelstartat and a level without number")
        << QByteArray("{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat5{\\leveltext\\'03(\\'00);}}"
                      "{\\listlevel\\levelnfc255{\\leveltext\\'00;}}\\listid3}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid3\\ls4}}")
            + wordItem(4, 0, "a") + wordItem(4, 1, "b")
        << u"l list-4/1 (1) @5|[Arial 12 auto ]a\nl m96.0/-24.0/0.0|[Arial 12 auto ]b"_s;
}

void TestRtfLists::list_readAsItsKind()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QTextDocument doc;
    rtf::read(rtfDocument(body), &doc);
    QCOMPARE(documentSignature(doc), expected);
}

// Each item carries its visible number and its own start in the \pn form, so the number is right
// also where a reader counts differently after a sub-list; beside it the list table form, where
// each of our lists is a list of its own with its style on every level.
void TestRtfLists::numberedList_writtenInBothListForms()
{
    QTextDocument doc;
    rtf::read(rtfDocument(WordListTables + wordItem(1, 0, "one") + wordItem(1, 1, "sub")
                          + wordItem(1, 0, "two")),
              &doc);
    const QByteArray written = rtf::write(doc);
    for (const char *part : {"{\\*\\listtext\\f0 1.\\tab}{\\pntext\\f0 1.\\tab}"
                             "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta .}}\\ls1\\ilvl0\\fi-360\\li720",
                             "{\\*\\listtext\\f0 a)\\tab}{\\pntext\\f0 a)\\tab}"
                             "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pnlcltr{\\pntxta )}}\\ls2\\ilvl1\\fi-360\\li1440",
                             "{\\*\\listtext\\f0 2.\\tab}{\\pntext\\f0 2.\\tab}"
                             "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart2\\pndec{\\pntxta .}}\\ls1\\ilvl0\\fi-360\\li720",
                             "{\\*\\listtable{\\list\\listtemplateid1\\listhybrid{\\listlevel\\levelnfc0\\levelnfcn0"
                             "\\leveljc0\\levelfollow0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}",
                             "{\\listlevel\\levelnfc4\\levelnfcn4\\leveljc0\\levelfollow0\\levelstartat1"
                             "{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}\\f0\\fi-360\\li1440}",
                             "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
                             "{\\listoverride\\listid2\\listoverridecount0\\ls2}}"})
        QVERIFY2(written.contains(part), part);
    QTextDocument again;
    rtf::read(written, &again);
    QCOMPARE(documentSignature(again), documentSignature(doc));
}

QTEST_MAIN(TestRtfLists)
#include "tst_rtflists.moc"

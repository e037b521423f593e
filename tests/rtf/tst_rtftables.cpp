#include "documentsignature.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "rtftestdocument.h"

#include <QTest>
#include <QTextDocument>
#include <QTextTable>

using namespace Qt::StringLiterals;

// Tables read as real tables, nested ones included, and written back as RTF tables.
class TestRtfTables : public QObject
{
    Q_OBJECT

private slots:
    void table_readCellByCell_data();
    void table_readCellByCell();
    void cellWidths_readFromCellEdges();
    void table_writtenBackAsTable();
    void absurdlyWideTable_writtenStably();
};

void TestRtfTables::table_readCellByCell_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    QTest::newRow("rows of the rich-edit control, an empty cell, text after")
        << QByteArray("before\\par\\trowd\\trgaph108\\cellx1500\\cellx3000\\cellx4500"
                      "\\pard\\intbl a\\cell\\cell c\\cell\\row"
                      "\\trowd\\trgaph108\\cellx1500\\cellx3000\\cellx4500\\pard\\intbl d\\cell e\\cell f\\cell\\row"
                      "\\pard after")
        << u"l|[Arial 12 auto ]before\nt1:0,0 l|[Arial 12 auto ]a\nt1:0,1 l|\nt1:0,2 l|[Arial 12 auto ]c\n"
           "t1:1,0 l|[Arial 12 auto ]d\nt1:1,1 l|[Arial 12 auto ]e\nt1:1,2 l|[Arial 12 auto ]f\n"
           "l|[Arial 12 auto ]after"_s;
    QTest::newRow("paragraphs and formats inside a cell")
        << QByteArray("\\trowd\\cellx3000\\pard\\intbl\\qc\\b one\\par\\pard\\intbl two\\cell\\row")
        << u"l|\nt1:0,0 c|[Arial 12 auto b]one\nt1:0,0 l|[Arial 12 auto b]two\nl|"_s;
    QTest::newRow("Word's nested table: each nested row apart, the fallback skipped")
        << QByteArray("\\trowd\\cellx4000\\cellx8000\\pard\\intbl outer\\par"
                      "\\pard\\intbl\\itap2 n1\\nestcell n2\\nestcell"
                      "{\\*\\nesttableprops\\trowd\\cellx1500\\cellx3000\\nestrow}{\\nonesttables\\par}"
                      "\\pard\\intbl\\itap2 n3\\nestcell n4\\nestcell"
                      "{\\*\\nesttableprops\\trowd\\cellx1500\\cellx3000\\nestrow}{\\nonesttables\\par}"
                      "\\pard\\intbl\\itap1 under\\cell right\\cell"
                      "{\\trowd\\cellx4000\\cellx8000\\row}\\pard after\\par")
        << u"l|\nt1:0,0 l|[Arial 12 auto ]outer\n"
           "t1:0,0 t2:0,0 l|[Arial 12 auto ]n1\nt1:0,0 t2:0,1 l|[Arial 12 auto ]n2\n"
           "t1:0,0 t2:1,0 l|[Arial 12 auto ]n3\nt1:0,0 t2:1,1 l|[Arial 12 auto ]n4\n"
           "t1:0,0 l|[Arial 12 auto ]under\nt1:0,1 l|[Arial 12 auto ]right\nl|[Arial 12 auto ]after"_s;
    QTest::newRow("cells merged across and down, shaded cells")
        << QByteArray("\\trowd\\clmgf\\cellx2000\\clmrg\\cellx4000\\clvmgf\\cellx6000"
                      "\\pard\\intbl head\\cell\\cell v\\cell\\row"
                      "\\trowd\\clcbpat1\\cellx2000\\clshdng2500\\cellx4000\\clvmrg\\cellx6000"
                      "\\pard\\intbl a\\cell b\\cell\\cell\\row")
        << u"l|\nt1:0,0/1x2 l|[Arial 12 auto ]head\nt1:0,2/2x1 l|[Arial 12 auto ]v\n"
           "t1:1,0#ff0000 l|[Arial 12 auto ]a\nt1:1,1#bfbfbf l|[Arial 12 auto ]b\nl|"_s;
    QTest::newRow("a row of one cell as wide as the table spans every column, a narrower one not")
        << QByteArray("\\trowd\\cellx6000\\pard\\intbl Titel\\cell\\row"
                      "\\trowd\\cellx3000\\cellx6000\\pard\\intbl a\\cell b\\cell\\row"
                      "\\trowd\\cellx2000\\pard\\intbl smal\\cell\\row")
        << u"l|\nt1:0,0/1x2 l|[Arial 12 auto ]Titel\nt1:1,0 l|[Arial 12 auto ]a\nt1:1,1 l|[Arial 12 auto ]b\n"
           "t1:2,0 l|[Arial 12 auto ]smal\nt1:2,1 l|\nl|"_s;
    QTest::newRow("\\row without \\cell; a \\cell after the row goes on with the table")
        << QByteArray("\\pard\\intbl lone\\row\\pard x\\cell y")
        << u"l|\nt1:0,0 l|[Arial 12 auto ]lone\nt1:1,0 l|[Arial 12 auto ]x\nl|[Arial 12 auto ]y"_s;
}

void TestRtfTables::table_readCellByCell()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QTextDocument doc;
    rtf::read(rtfDocument(body), &doc);
    QCOMPARE(documentSignature(doc), expected);
}

void TestRtfTables::cellWidths_readFromCellEdges()
{
    QTextDocument doc;
    rtf::read(rtfDocument("x\\par\\trowd\\trleft-108\\cellx1500\\cellx4500\\pard\\intbl a\\cell b\\cell\\row"), &doc);
    const auto *table = qobject_cast<QTextTable *>(doc.frameAt(doc.lastBlock().previous().position()));
    QVERIFY(table);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 2);
    QCOMPARE(widths[0], QTextLength(QTextLength::FixedLength, 100));
    QCOMPARE(widths[1], QTextLength(QTextLength::FixedLength, 200));
}

void TestRtfTables::table_writtenBackAsTable()
{
    QTextDocument doc;
    rtf::read(rtfDocument("\\trowd\\cellx1500\\cellx3000\\pard\\intbl a\\cell b\\par c\\cell\\row"
                          "\\trowd\\cellx1500\\cellx3000\\pard\\intbl\\itap1 d\\par"
                          "\\pard\\intbl\\itap2 e\\nestcell{\\*\\nesttableprops\\trowd\\cellx900\\nestrow}"
                          "\\pard\\intbl\\itap1\\cell f\\cell\\row\\pard after\\par"),
              &doc);
    const QByteArray written = rtf::write(doc);
    for (const char *part : {"\\trowd\\trgaph108", "\\cellx1500", "\\cellx3000\r\n\\pard\\intbl",
                             "a\\cell", "b\\par", "c\\cell\r\n\\row",
                             "\\pard\\intbl\\itap2 e\\nestcell",
                             "{\\*\\nesttableprops\\trowd\\trgaph108", "\\cellx900\r\n\\nestrow}{\\nonesttables\\par}",
                             "\\pard\\intbl\\cell\r\n\\pard\\intbl f\\cell\r\n\\row"})
        QVERIFY2(written.contains(part), part);
    QTextDocument again;
    rtf::read(written, &again);
    QCOMPARE(documentSignature(again), documentSignature(doc));
    QCOMPARE(rtf::write(again), written);
}

void TestRtfTables::absurdlyWideTable_writtenStably()
{
    QTextDocument doc;
    doc.setHtml(u"<table><tr><td width=2000>a</td><td width=20000>b</td><td width=20000>c</td></tr></table>"_s);
    const QByteArray once = rtf::write(doc);
    QTextDocument again;
    rtf::read(once, &again);
    QCOMPARE(rtf::write(again), once);
}

QTEST_MAIN(TestRtfTables)
#include "tst_rtftables.moc"

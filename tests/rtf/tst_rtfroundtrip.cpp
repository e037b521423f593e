#include "documentsignature.h"
#include "rtf/formatproperties.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

using namespace Qt::StringLiterals;

namespace {

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(RTF_FIXTURES "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The editor's document: a default font that text without a family of its own shows in.
void prepare(QTextDocument &doc)
{
    doc.setDefaultFont(QFont(u"Courier New"_s, 10));
}

QImage testImage()
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    return image;
}

} // namespace

class TestRtfRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void writtenDocument_readsBackAlike_data();
    void writtenDocument_readsBackAlike();
    void emptyParagraphs_keepTheirSize();
    void writtenForm_isTheRichEditForm();
    void fixture_writingIsStableAfterFirstPass_data();
    void fixture_writingIsStableAfterFirstPass();
    void picturesFromWindows_writtenBackByteForByte();
    void listStartAndFootnotes_writtenAsWordDoes();
    void footnoteWithoutItsReference_keptAsText();
};

void TestRtfRoundTrip::writtenDocument_readsBackAlike_data()
{
    QTest::addColumn<QString>("html");

    QTest::newRow("Danish text in the default font") << u"<p>Æbler, pærer og blåbær</p>"_s;
    QTest::newRow("empty document") << QString();
    QTest::newRow("character formats")
        << u"<p><b>fed</b> <i>kursiv</i> <u>under</u> <s>gennem</s> "
           "<span style='font-family:Arial; font-size:16pt; color:#ff0000'>rød</span> "
           "<span style='font-family:Times New Roman; font-size:7.5pt; color:#0070c0'><b><i><u><s>alt</s></u></i></b></span></p>"_s;
    QTest::newRow("alignments")
        << u"<p align=left>v</p><p align=center>c</p><p align=right>h</p><p align=justify>j</p>"_s;
    QTest::newRow("indents") << u"<p style='margin-left:40px; text-indent:-20px; margin-right:10px'>i</p>"_s;
    QTest::newRow("bullets on two levels, lists broken by a paragraph")
        << u"<ul><li>a</li><li>b<ul><li>c</li></ul></li></ul><p>x</p><ul><li>d</li></ul>"_s;
    QTest::newRow("numbered list") << u"<ol><li>en</li><li>to</li></ol>"_s;
    QTest::newRow("numbered lists of every style, nested, with text around the number")
        << u"<ol style='list-style-type:lower-alpha'><li>a<ol style='list-style-type:upper-roman'>"
           "<li>b</li><li>c</li></ol></li><li>d</li></ol><p>x</p><ol style='list-style-type:upper-alpha'>"
           "<li>e</li></ol><ol style='list-style-type:lower-roman'><li>f</li></ol>"_s;
    QTest::newRow("bullets of every kind on three levels")
        << u"<ul><li>a<ul style='list-style-type:circle'><li>b<ul style='list-style-type:square'><li>c</li>"
           "</ul></li></ul></li><li>d</li></ul>"_s;
    QTest::newRow("two lists of one kind back to back stay two")
        << u"<ol><li>a</li><li>b</li></ol><ol><li>c</li></ol>"_s;
    QTest::newRow("merged and shaded cells") << u"<table border=1><tr><td colspan=2 bgcolor='#ffff00'>a</td></tr>"
                                               "<tr><td rowspan=2>b</td><td>c</td></tr><tr><td>d</td></tr></table>"_s;
    QTest::newRow("superscript at a paragraph's end") << u"<p>m<sup>2</sup></p><p>H<sub>2</sub></p><p>x</p>"_s;
    QTest::newRow("highlight, super- and subscript")
        << u"<p><span style='background-color:#ffff00'>gul</span> m<sup>2</sup> H<sub>2</sub>O "
           "<span style='background-color:#00ff00; color:#ff0000'><sup>x</sup></span></p>"_s;
    QTest::newRow("space before and after, line heights")
        << u"<p style='margin-top:8px; margin-bottom:16px'>a</p><p style='line-height:150%'>b</p>"
           "<p style='line-height:20px'>c</p>"_s;
    QTest::newRow("table with widths, paragraphs in a cell, a nested table")
        << u"<p>før</p><table border=1><tr><td width=100>a</td><td width=200>b<p>c</p></td></tr>"
           "<tr><td>d<table border=1><tr><td>e</td><td>f</td></tr></table></td><td>g</td></tr></table><p>efter</p>"_s;
    QTest::newRow("characters outside Windows-1252")
        << u"<p>αβγ Привет 你好 \U0001F600 € “citat” – — ½</p>"_s;
    QTest::newRow("RTF specials, tab, line break, hard space")
        << u"<p style='white-space:pre'>{a} b\\c\td</p><p>e<br>f&nbsp;g</p>"_s;
    QTest::newRow("image") << u"<p>a<img src='billede' width='40' height='30'>b</p>"_s;
}

void TestRtfRoundTrip::writtenDocument_readsBackAlike()
{
    QFETCH(QString, html);
    QTextDocument original;
    prepare(original);
    original.setHtml(html);
    original.addResource(QTextDocument::ImageResource, QUrl(u"billede"_s), testImage());

    QTextDocument copy;
    prepare(copy);
    rtf::read(rtf::write(original), &copy);
    QCOMPARE(documentSignature(copy), documentSignature(original));
    if (html.contains(u"img"_s)) {
        const QTextFragment image = (++copy.begin().begin()).fragment();
        QVERIFY(image.charFormat().isImageFormat());
        const QImage read = copy.resource(QTextDocument::ImageResource,
                                          QUrl(image.charFormat().toImageFormat().name())).value<QImage>();
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32), testImage());
    }
}

void TestRtfRoundTrip::emptyParagraphs_keepTheirSize()
{
    QTextDocument original;
    prepare(original);
    QTextCursor cursor(&original);
    QTextCharFormat big;
    big.setFontPointSize(20);
    cursor.insertText(u"a"_s);
    cursor.insertBlock(QTextBlockFormat(), big);
    cursor.insertBlock(QTextBlockFormat(), big);
    QTextDocument copy;
    prepare(copy);
    rtf::read(rtf::write(original), &copy);
    QCOMPARE(copy.blockCount(), 3);
    QCOMPARE(copy.lastBlock().charFormat().fontPointSize(), 20.0);
}

void TestRtfRoundTrip::writtenForm_isTheRichEditForm()
{
    QTextDocument doc;
    prepare(doc);
    doc.setHtml(u"<ul><li>punkt</li></ul><p align=center><span style='color:#ff0000'>blå α {x}</span></p>"_s);
    const QByteArray rtf = rtf::write(doc);
    QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}"
                            "{\\f1\\fnil\\fcharset2 Symbol;}}"), rtf.constData());
    for (const char *part : {"{\\colortbl ;\\red255\\green0\\blue0;}", "\\viewkind4\\uc1",
                             "{\\*\\listtext\\f0\\'95\\tab}{\\pntext\\f1\\'B7\\tab}"
                             "{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\ls1\\ilvl0\\fi-360\\li720",
                             "\\qc", "\\cf1 bl\\'e5 \\u945? \\{x\\}\\par", "\\fs20"})
        QVERIFY2(rtf.contains(part), part);
    QVERIFY(rtf.endsWith("}\r\n"));
}

void TestRtfRoundTrip::fixture_writingIsStableAfterFirstPass_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("rich-edit control") << u"richedit.rtf"_s;
    QTest::newRow("Word") << u"word.rtf"_s;
    QTest::newRow("LibreOffice") << u"libreoffice.rtf"_s;
    QTest::newRow("Word steps") << u"word-steps.rtf"_s;
    QTest::newRow("WordPad steps") << u"wordpad-steps.rtf"_s;
    QTest::newRow("LibreOffice steps") << u"libreoffice-steps.rtf"_s;
}

void TestRtfRoundTrip::fixture_writingIsStableAfterFirstPass()
{
    QFETCH(QString, file);
    QTextDocument first;
    rtf::read(fixture(file), &first);
    const QByteArray once = rtf::write(first);
    QTextDocument second;
    rtf::read(once, &second);
    QCOMPARE(documentSignature(second), documentSignature(first));
    QCOMPARE(rtf::write(second), once);
}

void TestRtfRoundTrip::picturesFromWindows_writtenBackByteForByte()
{
    const QByteArray data = fixture(u"richedit.rtf"_s);
    const qsizetype start = data.indexOf("{\\pict");
    const QByteArray group = data.mid(start, data.indexOf('}', start) + 1 - start);
    QVERIFY(group.contains("wmetafile8"));
    QTextDocument doc;
    rtf::read(data, &doc);
    QVERIFY(rtf::write(doc).contains(group));
}

// A list that starts at 3 and two notes, the second of two paragraphs.
const QByteArray NotesAndStart =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
    "{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext\\'02\\'00);}}\\listid7}}"
    "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}"
    "\\pard\\ls1 tre\\par fire{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} Note {\\b en}.}\\par"
    "\\pard Slut{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} Anden\\par og sidste.}\\par}";

void TestRtfRoundTrip::listStartAndFootnotes_writtenAsWordDoes()
{
    QTextDocument doc;
    rtf::read(NotesAndStart, &doc);
    QCOMPARE(documentSignature(doc),
             u"l list-4/1 1) @3|[Arial 12 auto ]tre\nl list-4/1 2) @3|[Arial 12 auto ]fire[Arial 12 auto ^ ref1]1\n"
             "l|[Arial 12 auto ]Slut[Arial 12 auto ^ ref2]2\nl rule|\n"
             "l in-note1|[Arial 12 auto ^ note1]1[Arial 12 auto ] Note [Arial 12 auto b]en[Arial 12 auto ].\n"
             "l in-note2|[Arial 12 auto ^ note2]2[Arial 12 auto ] Anden\nl in-note2|[Arial 12 auto ]og sidste."_s);
    const QByteArray written = rtf::write(doc);
    for (const char *part : {"\\levelstartat3{\\leveltext\\'02\\'00);}", "{\\*\\listtext\\f0 4)\\tab}",
                             "fire\\super{\\chftn}{\\footnote\\pard{\\chftn}\\nosupersub  Note \\b en\\b0 .}\\nosupersub\\par",
                             "{\\footnote\\pard{\\chftn}\\nosupersub  Anden\\par\r\n\\pard og sidste.}"})
        QVERIFY2(written.contains(part), written.mid(written.indexOf("\\pard")).constData());
    QTextDocument again;
    rtf::read(written, &again);
    QCOMPARE(documentSignature(again), documentSignature(doc));
}

// A note whose reference was deleted, or a reference copied, loses nothing on saving.
void TestRtfRoundTrip::footnoteWithoutItsReference_keptAsText()
{
    QTextDocument doc;
    rtf::read(NotesAndStart, &doc);
    QTextCursor cursor = doc.find(u"1"_s);
    QVERIFY(cursor.charFormat().hasProperty(rtf::FootnoteReferenceProperty));
    const QTextCharFormat reference = cursor.charFormat();
    cursor.removeSelectedText();
    cursor = doc.find(u"Slut"_s);
    cursor.clearSelection();
    cursor.insertText(u"1"_s, reference); // a copy of the deleted reference: text, no note
    QTextCursor second = doc.find(u"2"_s);
    second.movePosition(QTextCursor::EndOfBlock);
    second.insertText(u"2"_s, doc.find(u"2"_s).charFormat()); // the second reference twice
    QTextDocument again;
    rtf::read(rtf::write(doc), &again);
    const QString text = again.toPlainText();
    QVERIFY2(text.contains(u"Note en."_s), qPrintable(text));
    QCOMPARE(text.count(u"Anden"_s), 1);
    QCOMPARE(text.count(u"og sidste."_s), 1);
    QVERIFY2(text.contains(u"fire\nSlut122\n"_s), qPrintable(text));
}

QTEST_MAIN(TestRtfRoundTrip)
#include "tst_rtfroundtrip.moc"

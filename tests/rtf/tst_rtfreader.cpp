#include "documentsignature.h"
#include "rtftestdocument.h"
#include "rtf/formatproperties.h"
#include "rtf/rtfreader.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>

using namespace Qt::StringLiterals;

namespace {

QString blockTexts(const QTextDocument &doc)
{
    QStringList texts;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        texts.append(b.text());
    return texts.join(u'\n');
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void formats_data();
    void formats();
    void bulletsOfBothForms_becomeOneRealList_data();
    void bulletsOfBothForms_becomeOneRealList();
    void pngPicture_becomesImage();
    void metafile_becomesGreyBoxKeepingItsBytes_data();
    void metafile_becomesGreyBoxKeepingItsBytes();
    void plainText_loadedAsText_data();
    void plainText_loadedAsText();
    void read_replacesWholeContent();
};

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one space ends a word, letters after a number are text")
        << QByteArray("\\b0 a\\b  b\\highlight0Normal") << u"a bNormal"_s;
    QTest::newRow("control symbols")
        << QByteArray("\\{\\}\\\\\\~\\-\\_") << u"{}\\\u00a0\u00ad\u2011"_s;
    QTest::newRow("backslash before line end is a paragraph, bare line ends are ignored")
        << QByteArray("a\r\nb\\\r\nc\\\nd") << u"ab\nc\nd"_s;
    QTest::newRow("Windows-1252 letters") << QByteArray("R\\'f8dgr\\'f8d \\'e6 \\'e5 \\'80")
                                          << u"Rødgrød æ å €"_s;
    QTest::newRow("two-byte code page, escaped and plain bytes decoded together")
        << QByteArray("\\f3\\'82\\'a0\\'83e") << u"\u3042\u30c6"_s;
    QTest::newRow("negative \\u and a surrogate pair")
        << QByteArray("\\u-10179?\\u-8704?\\u248?") << u"\U0001F600ø"_s;
    QTest::newRow("\\uc skips escaped bytes as one unit each")
        << QByteArray("\\uc2\\u233\\'e9\\'e9x") << u"éx"_s;
    QTest::newRow("\\uc is scoped to its group")
        << QByteArray("{\\uc2\\u233 ab}\\u233?d") << u"ééd"_s;
    QTest::newRow("\\bin data is skipped also in a skipped group")
        << QByteArray("{\\*\\unknown \\bin3 }}}}after") << u"after"_s;
    QTest::newRow("encoding follows the font and the group")
        << QByteArray("\\f1\\'cf{\\f0\\'cf}\\'cf\\f0\\'cf") << u"ПÏПÏ"_s;
    QTest::newRow("Symbol font bullet") << QByteArray("\\f2\\'b7\\f0\\'b7") << u"\u2022·"_s;
    QTest::newRow("unicode pair takes the unicode part")
        << QByteArray("{\\upr{ansi}{\\*\\ud{unicode}}}") << u"unicode"_s;
    QTest::newRow("field result kept, instruction skipped")
        << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}") << u"link"_s;
    QTest::newRow("skipped destinations")
        << QByteArray("{\\*\\foo x}{\\info{\\title t}}{\\stylesheet{s;}}{\\listtable l}"
                      "{\\listoverridetable o}{\\header h}{\\footer f}{\\pntext p}{\\listtext l}ok")
        << u"ok"_s;
    QTest::newRow("known word after \\* keeps its group")
        << QByteArray("{\\*\\shppict shown}") << u"shown"_s;
    QTest::newRow("a final \\par gives no empty paragraph, a second one does")
        << QByteArray("a\\par\\par") << u"a\n"_s;
    QTest::newRow("line and tab") << QByteArray("a\\line b\\tab c") << u"a\u2028b\tc"_s;
    QTest::newRow("a text box's text kept where its shape stands, the other properties skipped")
        << QByteArray("a{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn shapeType}{\\sv 202}}"
                      "{\\sp{\\sn fillColor}{\\sv 255}}{\\shptxt\\pard b\\par}}{\\shprslt c}}d")
        << u"ab\nd"_s;
    QTest::newRow("half a surrogate pair becomes U+FFFD")
        << QByteArray("\\u-10179?a\\u-8704?b{\\u-10179?}\\u-10179?\\par\\u-10179?\\u-10179?\\u-8704?")
        << u"\ufffda\ufffdb\ufffd\ufffd\n\ufffd\U0001F600"_s;
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QTextDocument doc;
    rtf::read(rtfDocument(body), &doc);
    QCOMPARE(blockTexts(doc), expected);
}

void TestRtfReader::formats_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults: the \\deff font at 12 pt")
        << QByteArray("a") << u"l|[Arial 12 auto ]a"_s;
    QTest::newRow("\\deff set before the font table")
        << QByteArray() << u""_s;
    QTest::newRow("bold italic strike size colour, endings")
        << QByteArray("\\b\\i\\strike\\fs40\\cf1 a\\b0\\i0\\strike0\\cf0 b")
        << u"l|[Arial 20 #ff0000 bis]a[Arial 20 auto ]b"_s;
    QTest::newRow("every underline kind, \\ulnone, \\ulc is only the colour")
        << QByteArray("\\uldb a\\ulnone b\\ulwave c\\ul0 d\\ulc1 e")
        << u"l|[Arial 12 auto u]a[Arial 12 auto ]b[Arial 12 auto u]c[Arial 12 auto ]de"_s;
    QTest::newRow("\\plain resets to the default font and 12 pt")
        << QByteArray("\\f1\\fs40\\b a\\plain b") << u"l|[Cyr 20 auto b]a[Arial 12 auto ]b"_s;
    QTest::newRow("\\pard keeps the character format")
        << QByteArray("\\qc\\b a\\par\\pard b") << u"c|[Arial 12 auto b]a\nl|[Arial 12 auto b]b"_s;
    QTest::newRow("alignments")
        << QByteArray("\\qc a\\par\\qr b\\par\\qj c\\par\\ql d")
        << u"c|[Arial 12 auto ]a\nr|[Arial 12 auto ]b\nj|[Arial 12 auto ]c\nl|[Arial 12 auto ]d"_s;
    QTest::newRow("groups restore the format")
        << QByteArray("a{\\b\\fs48 b}c") << u"l|[Arial 12 auto ]a[Arial 24 auto b]b[Arial 12 auto ]c"_s;
    QTest::newRow("double-byte text takes the associated size")
        << QByteArray("\\fs20 a{\\afs30\\dbch b\\loch c}")
        << u"l|[Arial 10 auto ]a[Arial 15 auto ]b[Arial 10 auto ]c"_s;
    QTest::newRow("highlight and \\cb as background, 0 ends it")
        << QByteArray("\\highlight1 a\\highlight0 b\\cb1 c\\cb0 d{\\chcbpat1 e}")
        << u"l|[Arial 12 auto  bg#ff0000]a[Arial 12 auto ]b[Arial 12 auto  bg#ff0000]c[Arial 12 auto ]d"
           "[Arial 12 auto  bg#ff0000]e"_s;
    QTest::newRow("super- and subscript, \\up and \\dn, \\nosupersub")
        << QByteArray("\\super a\\nosupersub b\\sub c{\\up6 d}{\\dn6 e}{\\up0 f}")
        << u"l|[Arial 12 auto ^]a[Arial 12 auto ]b[Arial 12 auto _]c[Arial 12 auto ^]d[Arial 12 auto _]e"
           "[Arial 12 auto ]f"_s;
    QTest::newRow("space before and after, line spacing as a multiple, at least and exactly")
        << QByteArray("\\sb120\\sa240 a\\par\\pard\\sl360\\slmult1 b\\par\\pard\\sl300\\slmult0 c\\par"
                      "\\pard\\sl-300\\slmult0 d\\par\\pard\\sl0 e")
        << u"l sp8.0/16.0|[Arial 12 auto ]a\nl lh1:150.0|[Arial 12 auto ]b\nl lh3:20.0|[Arial 12 auto ]c\n"
           "l lh2:20.0|[Arial 12 auto ]d\nl|[Arial 12 auto ]e"_s;
    QTest::newRow("hidden text kept invisible in its format")
        << QByteArray("a{\\v\\b hid\\'e6den}b{\\v x}{\\v y}{\\v{\\f0 z}}")
        << u"l|[Arial 12 auto ]a<hidden [Arial 12 auto b]hidæden>[Arial 12 auto ]b<hidden [Arial 12 auto ]xyz>"_s;
    QTest::newRow("paragraph and character styles of the sheet, with the styles they are based on")
        << QByteArray("{\\stylesheet{\\ql\\fs20 Normal;}{\\s1\\sbasedon0\\b\\fs32\\qc heading 1;}"
                      "{\\*\\cs10\\i\\cf1 Emph;}{\\s2\\sbasedon2\\strike loop;}{\\*\\ts11\\tsrowd\\b table;}}"
                      "\\pard\\plain\\s1 Titel\\par\\pard\\plain\\s0 tekst {\\cs10 kursiv} slut\\par"
                      "\\pard\\plain\\s1\\ql\\b0 egen\\par\\pard\\plain\\s2 cirkel\\par\\pard\\plain\\s9 ukendt")
        << u"c|[Arial 16 auto b]Titel\nl|[Arial 10 auto ]tekst [Arial 10 #ff0000 i]kursiv[Arial 10 auto ] slut\n"
           "l|[Arial 16 auto ]egen\nl|[Arial 12 auto s]cirkel\nl|[Arial 12 auto ]ukendt"_s;
    QTest::newRow("font missing from the table falls back to \\deff")
        << QByteArray("\\f9 a") << u"l|[Arial 12 auto ]a"_s;
}

void TestRtfReader::formats()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QTextDocument doc;
    if (QByteArray(QTest::currentDataTag()).contains("before the font table")) {
        rtf::read("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 Zero;}{\\f1\\fcharset204 One;}}\\'cf}", &doc);
        QCOMPARE(documentSignature(doc), u"l|[One 12 auto ]П"_s);
        return;
    }
    rtf::read(rtfDocument(body), &doc);
    QCOMPARE(documentSignature(doc), expected);
}

void TestRtfReader::bulletsOfBothForms_becomeOneRealList_data()
{
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("rich-edit \\pn") << QByteArray(
        "{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 one\\par"
        "{\\pntext\\f2\\'B7\\tab}two\\par\\pard after");
    QTest::newRow("word \\ls") << QByteArray(
        "{\\listtext\\pard\\plain\\f2\\'b7\\tab}\\pard\\fi-360\\li720\\ls1 one\\par"
        "{\\listtext\\pard\\plain\\f2\\'b7\\tab}two\\par\\pard after");
}

void TestRtfReader::bulletsOfBothForms_becomeOneRealList()
{
    QFETCH(QByteArray, body);
    QTextDocument doc;
    rtf::read(rtfDocument(body), &doc);
    QCOMPARE(blockTexts(doc), u"one\ntwo\nafter"_s);
    const QTextBlock first = doc.begin();
    QVERIFY(first.textList());
    QCOMPARE(first.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(first.textList()->count(), 2);
    QCOMPARE(first.next().textList(), first.textList());
    QVERIFY(!first.next().next().textList());
    QCOMPARE(first.blockFormat().leftMargin(), 0.0); // the list indents, not the margin
}

void TestRtfReader::pngPicture_becomesImage()
{
    QImage source(4, 3, QImage::Format_RGB32);
    source.fill(Qt::red);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        source.save(&buffer, "PNG");
    }
    const QByteArray group = "{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450 " + png.toHex() + "}";
    QTextDocument doc;
    rtf::read(rtfDocument("a" + group + "b"), &doc);
    QCOMPARE(documentSignature(doc), u"l|[Arial 12 auto ]a<img 40x30>[Arial 12 auto ]b"_s);
    const QTextImageFormat image = doc.begin().begin().fragment().charFormat().isImageFormat()
        ? doc.begin().begin().fragment().charFormat().toImageFormat()
        : (++doc.begin().begin()).fragment().charFormat().toImageFormat();
    const QImage loaded = doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    QCOMPARE(loaded.size(), QSize(4, 3));
    QCOMPARE(QColor(loaded.pixel(1, 1)), QColor(Qt::red));
    QCOMPARE(image.property(rtf::RawPictureProperty).toByteArray(), group);
}

void TestRtfReader::metafile_becomesGreyBoxKeepingItsBytes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("picture") << QByteArray() << QByteArray();
    QTest::newRow("picture of a drawing shape, not its result picture as well")
        << QByteArray("{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv ")
        << QByteArray("}}}{\\shprslt{\\pict\\wmetafile8\\picw10\\pich10 00}}}");
    QTest::newRow("result picture of an object")
        << QByteArray("{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 01050000}{\\result")
        << QByteArray("}}");
}

void TestRtfReader::metafile_becomesGreyBoxKeepingItsBytes()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    // \bin data may hold braces; the kept group ends at the group's real end.
    const QByteArray group = "{\\pict\\wmetafile8\\picw2540\\pich1270 \\bin4 }{}{}";
    QTextDocument doc;
    rtf::read(rtfDocument(before + group + after + "x"), &doc);
    QCOMPARE(documentSignature(doc), u"l|<img 96x48>[Arial 12 auto ]x"_s);
    const QTextImageFormat image = doc.begin().begin().fragment().charFormat().toImageFormat();
    QCOMPARE(image.property(rtf::RawPictureProperty).toByteArray(), group);
    const QImage box = doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    QVERIFY(!box.isNull());
    QCOMPARE(qGray(box.pixel(0, 0)), 0xc0);
}

void TestRtfReader::plainText_loadedAsText_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Windows-1252") << QByteArray("R\xf8" "dgr\xf8" "d\r\nmed fl\xf8" "de") << u"Rødgrød\nmed fløde"_s;
    QTest::newRow("UTF-8") << QByteArray("\xef\xbb\xbf" "Æbler\nog pærer") << u"Æbler\nog pærer"_s;
    QTest::newRow("RTF not at the start") << QByteArray(" {\\rtf1 x}") << u" {\\rtf1 x}"_s;
}

void TestRtfReader::plainText_loadedAsText()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    QTextDocument doc;
    rtf::read(data, &doc);
    QCOMPARE(blockTexts(doc), expected);
}

void TestRtfReader::read_replacesWholeContent()
{
    QTextDocument doc;
    doc.setHtml(u"<p>old</p><p>text</p>"_s);
    rtf::read(rtfDocument("new"), &doc);
    QCOMPARE(blockTexts(doc), u"new"_s);
    QVERIFY(!doc.isUndoAvailable());
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"

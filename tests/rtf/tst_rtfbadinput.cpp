#include "rtf/rtfreader.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

QString blockTexts(const QTextDocument &doc)
{
    QStringList texts;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        texts.append(b.text());
    return texts.join(u'\n');
}

QByteArray randomBytes(quint32 seed, int size)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

} // namespace

// Whatever the bytes, reading ends, keeps what it can and leaves a usable document.
class TestRtfBadInput : public QObject
{
    Q_OBJECT

private slots:
    void badInput_loadsWhatItCan_data();
    void badInput_loadsWhatItCan();
    void randomBytes_neverBreakTheDocument_data();
    void randomBytes_neverBreakTheDocument();
};

void TestRtfBadInput::badInput_loadsWhatItCan_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");

    QTest::newRow("groups left open") << QByteArray("{\\rtf1 a{\\b b{{{\\i c") << u"abc"_s;
    QTest::newRow("closing braces too many, text after the end")
        << QByteArray("{\\rtf1 a}}}} b{\\rtf1 c}") << u"a"_s;
    QTest::newRow("truncated in the font table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset0 Ari") << QString();
    QTest::newRow("truncated escapes") << QByteArray("{\\rtf1 a\\'") << u"a"_s;
    QTest::newRow("half an escape") << QByteArray("{\\rtf1 a\\'6") << u"a"_s;
    QTest::newRow("lone backslash at the end") << QByteArray("{\\rtf1 a\\") << u"a"_s;
    QTest::newRow("invalid escape") << QByteArray("{\\rtf1 a\\'zz}") << u"azz"_s;
    QTest::newRow("huge numbers clamp")
        << QByteArray("{\\rtf1\\fs99999999999999999999 \\cf-99999999999 \\li99999999999999 "
                      "\\uc99999999999 x\\u99999999999 abcdefghijklmnopqrstu\\u-99999999999 }")
        << u"x\ufffdqrstu\ufffd"_s;
    QTest::newRow("huge \\bin clamped to the input")
        << QByteArray("{\\rtf1 a\\bin99999999999 bcd}") << u"a"_s;
    QTest::newRow("negative \\bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << u"ab"_s;
    QTest::newRow("very long control word")
        << QByteArray("{\\rtf1 \\") + QByteArray(100000, 'x') + QByteArray(" y}") << u"y"_s;
    QTest::newRow("nesting far deeper than kept")
        << QByteArray("{\\rtf1 a") + QByteArray(200000, '{') + "deep" + QByteArray(200000, '}') + "b}"
        << u"ab"_s;
    QTest::newRow("nesting never closed")
        << QByteArray("{\\rtf1 a") + QByteArray(300000, '{') << u"a"_s;
    QTest::newRow("truncated picture")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picw99999\\pich99999 89504e47") << u"a"_s;
    QTest::newRow("picture of garbage and huge size")
        << QByteArray("{\\rtf1 {\\pict\\pngblip\\picwgoal2000000000\\pichgoal2000000000 zz99}b}")
        << u"\ufffcb"_s;
    QTest::newRow("truncated two-byte character")
        << QByteArray("{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset128 J;}}a\\'83}") << u"a\ufffd"_s;
    QTest::newRow("unknown code page") << QByteArray("{\\rtf1\\ansicpg99999 \\'e6}") << u"æ"_s;
    QTest::newRow("null bytes and controls") << QByteArray("{\\rtf1 a\0b\x01" "c}", 13) << u"abc"_s;
    QTest::newRow("frame characters in \\u") << QByteArray("{\\rtf1 a\\u-560?\\u-559?\\u8233?\\u65532?b}")
                                            << u"ab"_s;
    QTest::newRow("the only item of a list in a cell that merging removes")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid1}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                      "\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\pard\\intbl x\\cell\\pard\\intbl\\ls1\\cell\\row"
                      "\\pard\\ls1 b\\par\\pard\\ls1 c\\par}")
        << u"\nx\nb\nc"_s;
    QTest::newRow("footnotes with a list and a table in them, one never closed, one in a note")
        << QByteArray("{\\rtf1 a{\\footnote\\pard{\\*\\pn\\pnlvlbody\\pndec}\\li720 l\\par"
                      "\\trowd\\cellx900\\pard\\intbl c\\cell\\row{\\footnote x}}b{\\footnote n")
        << u"ab\n\nl\nc\nn"_s;
}

void TestRtfBadInput::badInput_loadsWhatItCan()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    QTextDocument doc;
    rtf::read(data, &doc);
    QCOMPARE(blockTexts(doc), expected);
}

void TestRtfBadInput::randomBytes_neverBreakTheDocument_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray tokens[] = {"{", "}", "\\", "\\'", "\\u-", "\\bin", "\\pict", "\\*", "\\par",
                                 "\\fonttbl", "\\f", "\\cell", "\\pn", "\\upr", "\\ud", "9", "\\footnote",
                                 "\\chftn", "\\clvmrg", "\\clmgf", "\\cellx", "\\row", "\\ls", "\\s"};
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator random(seed);
        QByteArray data = "{\\rtf1 ";
        for (int i = 0; i < 2000; ++i)
            data += random.bounded(2) ? tokens[random.bounded(16)] : randomBytes(seed * 1000 + quint32(i), 3);
        QTest::addRow("seed %u", seed) << data;
    }
}

void TestRtfBadInput::randomBytes_neverBreakTheDocument()
{
    QFETCH(QByteArray, data);
    QTextDocument doc;
    rtf::read(data, &doc);
    // The document still works: it can be edited and read again.
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"ok"_s);
    QVERIFY(doc.toPlainText().endsWith(u"ok"_s));
    rtf::read(data, &doc);
    QVERIFY(!doc.toPlainText().endsWith(u"ok"_s) || data.contains("ok"));
}

QTEST_MAIN(TestRtfBadInput)
#include "tst_rtfbadinput.moc"

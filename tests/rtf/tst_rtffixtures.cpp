#include "documentsignature.h"
#include "rtf/formatproperties.h"
#include "rtf/rtffile.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>

using namespace Qt::StringLiterals;

// Files written by hand in the styles of the rich-edit control, Word and LibreOffice.
class TestRtfFixtures : public QObject
{
    Q_OBJECT

private slots:
    void fixture_readWithTextAndFormats_data();
    void fixture_readWithTextAndFormats();
    void wordPicture_decodedOnceWithoutFallback();
};

void TestRtfFixtures::fixture_readWithTextAndFormats_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("rich-edit control") << u"richedit.rtf"_s << QStringList{
        u"c sp0.0/13.3 lh1:115.0|[Arial 16 #ff0000 b]Æblekage"_s,
        u"l sp0.0/13.3 lh1:115.0|[Calibri 11 auto ]Bland smør, sukker og æbler. Rør godt i [Calibri 11 auto i]5 minutter[Calibri 11 auto ]."_s,
        u"l sp0.0/13.3 lh1:115.0 list-1/1|[Calibri 11 auto ]200 g smør"_s,
        u"l sp0.0/13.3 lh1:115.0 list-1/1|[Calibri 11 auto ]150 g sukker"_s,
        u"l sp0.0/13.3 lh1:115.0 list-1/1|[Calibri 11 auto u]4 æbler"_s,
        u"r sp0.0/13.3 lh1:115.0|[Calibri 11 auto s]gammel tekst[Calibri 11 auto ] og [Calibri 11 #0070c0 ]blå"_s,
        u"r sp0.0/13.3 lh1:115.0|[Calibri 11 auto ]Pris: 20 € og αβNormal"_s,
        u"r sp0.0/13.3 lh1:115.0|<img 80x48>"_s,
    };
    QTest::newRow("Word") << u"word.rtf"_s << QStringList{
        u"c sp0.0/10.7 lh1:107.9|[Calibri 14 #c00000 b]Frikadeller"_s,
        u"l sp0.0/10.7 lh1:107.9|[Calibri 11 auto ]Hak løg og bland med [Calibri 11 #0000ff u]farsen[Calibri 11 auto ] i en skål."_s,
        u"l sp0.0/10.7 lh1:107.9 list-1/1|[Calibri 11 auto ]500 g hakket kød"_s,
        u"l sp0.0/10.7 lh1:107.9 list-1/1|[Calibri 11 auto ]1 æg"_s,
        u"l sp0.0/10.7|[Calibri 11 auto ]Tabel:"_s,
        u"t1:0,0 l|[Calibri 11 auto ]Ingrediens"_s,
        u"t1:0,1 l|[Calibri 11 auto ]Mængde"_s,
        u"t1:1,0 l|[Calibri 11 auto ]Mel"_s,
        u"t1:1,1 l|[Calibri 11 auto ]2 dl"_s,
        u"l|[Calibri Cyr 11 auto ]Привет [Calibri 11 auto ]og [Calibri Cyr 11 auto ]你好"_s,
        u"l|<img 20x15>"_s,
    };
    // Numbered steps with a sub-level, highlight, spacing, super- and subscript, hidden text
    // and a small table, as each program writes them.
    QTest::newRow("Word steps") << u"word-steps.rtf"_s << QStringList{
        u"c sp16.0/8.0 lh1:107.9|[Calibri 16 #c00000 b]Fiskefrikadeller"_s,
        u"l sp0.0/10.7 lh1:107.9 list-4/1 1.|[Calibri 11 auto ]Bland fars og løg."_s,
        u"l sp0.0/10.7 lh1:107.9 list-5/2 a.|[Calibri 11 auto ]Brug [Calibri 11 auto  bg#ffff00]kold[Calibri 11 auto ] fars."_s,
        u"l sp0.0/10.7 lh1:107.9 list-5/2 b.|[Calibri 11 auto ]Rør i 5 min<hidden [Calibri 11 auto ](se bog s. 12)>[Calibri 11 auto ]."_s,
        u"l sp0.0/10.7 lh1:107.9 list-4/1 2.|[Calibri 11 auto ]Steg ved 180 °C i 10 m[Calibri 11 auto ^]2[Calibri 11 auto ]."_s,
        u"l sp0.0/10.7 lh1:150.0|[Calibri 11 auto ]Tips: server med kartofler."_s,
        u"t1:0,0 l|[Calibri 11 auto b]Fisk"_s,
        u"t1:0,1 l|[Calibri 11 auto ]400 g"_s,
        u"t1:1,0 l|[Calibri 11 auto b]Mel"_s,
        u"t1:1,1 l|[Calibri 11 auto ]2 spsk."_s,
        u"l sp0.0/10.7 lh1:107.9|[Calibri 11 auto ]Velbekomme!"_s,
    };
    QTest::newRow("WordPad steps") << u"wordpad-steps.rtf"_s << QStringList{
        u"c sp0.0/13.3 lh1:115.0|[Calibri 14 auto b]Pandekager"_s,
        u"l sp0.0/13.3 lh1:115.0 list-4/1 1)|[Calibri 11 auto ]Pisk [Calibri 11 auto  bg#ffff00]æg[Calibri 11 auto ] og mælk sammen."_s,
        u"l sp0.0/13.3 lh1:115.0 list-4/1 2)|[Calibri 11 auto ]Tilsæt mel og 1 dl vand[Calibri 11 auto ^]*[Calibri 11 auto ]."_s,
        u"l sp0.0/13.3 lh1:115.0 list-4/1 3)|[Calibri 11 auto ]Bag på panden."_s,
        u"l sp0.0/13.3 lh1:115.0 list-5/1 a.|[Calibri 11 auto ]Sukker"_s,
        u"l sp0.0/13.3 lh1:115.0 list-5/1 b.|[Calibri 11 auto ]Syltetøj"_s,
        u"l sp0.0/13.3 lh1:115.0|[Calibri 11 #00b050 ]*[Calibri 11 auto ] H[Calibri 11 auto _]2[Calibri 11 auto ]O efter behov."_s,
    };
    QTest::newRow("LibreOffice steps") << u"libreoffice-steps.rtf"_s << QStringList{
        u"l sp16.0/8.0|[Liberation Sans 14 #000080 b]Boller"_s,
        u"l sp0.0/8.0 list-4/1 1.|[Liberation Serif 12 auto ]Opløs gæren."_s,
        u"l sp0.0/8.0 list-4/2 1.|[Liberation Serif 12 auto ]Lunken mælk."_s,
        u"l sp0.0/8.0 list-4/1 2.|[Liberation Serif 12 auto ]Hele [Liberation Serif 12 auto  bg#ffff00]mel[Liberation Serif 12 auto ]en."_s,
        u"l sp0.0/8.0 list-1/1|[Liberation Serif 12 auto ]Hvedemel"_s,
        u"t1:0,0 l|[Liberation Serif 12 auto ]Ovn"_s,
        u"t1:0,1 l|[Liberation Serif 12 auto ]200 °C"_s,
        u"l sp0.0/9.3 lh1:115.0|"_s,
    };
    QTest::newRow("LibreOffice") << u"libreoffice.rtf"_s << QStringList{
        u"c sp16.0/8.0|[Liberation Sans 14 #000080 b]Rødgrød med fløde"_s,
        u"j m37.8/0.0/0.0|[Liberation Serif 12 auto ]Koges i [Liberation Serif 12 auto i]10 min.[Liberation Serif 12 auto ] med [Liberation Serif 12 auto s]sukker[Liberation Serif 12 #00b050 ] og vanilje."_s,
        u"l list-1/1|[Liberation Serif 12 auto ]Jordbær"_s,
        u"l list-1/1|[Liberation Serif 12 auto u]Fløde"_s,
        u"l|[Liberation Serif 12 auto ]Linje et\u2028linje to"_s,
    };
}

void TestRtfFixtures::fixture_readWithTextAndFormats()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    QTextDocument doc;
    QVERIFY(rtf::loadFile(QStringLiteral(RTF_FIXTURES "/") + file, &doc).ok);
    const QStringList actual = documentSignature(doc).split(u'\n');
    for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i)
        QCOMPARE(actual[i], expected[i]);
    QCOMPARE(actual.size(), expected.size());
}

void TestRtfFixtures::wordPicture_decodedOnceWithoutFallback()
{
    QTextDocument doc;
    QVERIFY(rtf::loadFile(QStringLiteral(RTF_FIXTURES "/word.rtf"), &doc).ok);
    const QTextBlock last = doc.lastBlock();
    const QTextImageFormat format = last.begin().fragment().charFormat().toImageFormat();
    const QImage image = doc.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    QCOMPARE(image.size(), QSize(4, 3));
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(200, 30, 30));
    const QByteArray raw = format.property(rtf::RawPictureProperty).toByteArray();
    QVERIFY(raw.startsWith("{\\pict{\\*\\picprop"));
    QVERIFY(raw.endsWith("ae426082}"));
}

QTEST_MAIN(TestRtfFixtures)
#include "tst_rtffixtures.moc"

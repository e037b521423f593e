// The pages of the book as a site: descriptions from RTF as HTML, every text escaped, and file
// names that work everywhere.
#include "rtf/rtfreader.h"
#include "rtf/formatproperties.h"
#include "rtf/rtfwriter.h"
#include "site/documenthtml.h"
#include "site/filenames.h"
#include "site/recipehtml.h"
#include "site/searchindex.h"

#include <QImage>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

class TestSitePages : public QObject {
    Q_OBJECT

private slots:
    void descriptionFeatures_data();
    void descriptionFeatures();
    void coloursReadable();
    void pictureBesideThePage();
    void plantedMarkup_showsAsText();
    void fileStems_data();
    void fileStems();
    void stemsUniqueAndStable();
    void searchWordsFoldedAsTheFind();
};

namespace {

QString htmlOf(const QByteArray &rtf, const site::PictureSink &pictures = {})
{
    QTextDocument doc;
    rtf::read(rtf, &doc);
    return site::documentHtml(doc, pictures);
}

// A list as the editor makes it, saved as RTF by our writer.
QByteArray listRtf(QTextListFormat::Style style, int start, const QString &suffix)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Før listen"));
    cursor.insertBlock();
    QTextListFormat format;
    format.setStyle(style);
    format.setProperty(rtf::ListStartProperty, start);
    if (!suffix.isEmpty())
        format.setNumberSuffix(suffix);
    cursor.createList(format);
    cursor.insertText(QStringLiteral("første"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("anden"));
    return rtf::write(doc);
}

} // namespace

void TestSitePages::descriptionFeatures_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("fed, kursiv, understreget, gennemstreget")
        << QByteArray("{\\rtf1\\ansi {\\b fed} {\\i kursiv} {\\ul under} {\\strike streg}\\par}")
        << QStringList{QStringLiteral("<strong>fed</strong>"), QStringLiteral("<em>kursiv</em>"),
                       QStringLiteral("<u>under</u>"), QStringLiteral("<s>streg</s>")};
    QTest::newRow("justering")
        << QByteArray("{\\rtf1\\ansi\\qc midt\\par\\pard\\qr h\\'f8jre\\par\\pard\\qj lige\\par\\pard venstre\\par}")
        << QStringList{QStringLiteral("<p style=\"text-align:center\">midt</p>"),
                       QStringLiteral("<p style=\"text-align:right\">højre</p>"),
                       QStringLiteral("<p style=\"text-align:justify\">lige</p>"), QStringLiteral("<p>venstre</p>")};
    QTest::newRow("nummereret liste med mærker")
        << listRtf(QTextListFormat::ListLowerAlpha, 3, QStringLiteral(")"))
        << QStringList{QStringLiteral("<ol class=\"nr\">\n<li><span class=\"nr\">c)</span> første</li>\n"
                                      "<li><span class=\"nr\">d)</span> anden</li>\n</ol>")};
    QTest::newRow("punktliste") << listRtf(QTextListFormat::ListDisc, 1, {})
                                << QStringList{QStringLiteral("<ul>\n<li>første</li>\n<li>anden</li>\n</ul>")};
    QTest::newRow("tabel med flettede celler")
        << QByteArray("{\\rtf1\\ansi\\trowd\\clmgf\\cellx2000\\clmrg\\cellx4000\\cellx6000 samlet\\cell\\cell tre\\cell\\row"
                      "\\trowd\\cellx2000\\cellx4000\\cellx6000 a\\cell b\\cell c\\cell\\row}")
        << QStringList{QStringLiteral("<table>"), QStringLiteral("<td colspan=\"2\"><p>samlet</p>\n</td><td><p>tre</p>"),
                       QStringLiteral("<td><p>a</p>\n</td><td><p>b</p>\n</td><td><p>c</p>"), QStringLiteral("</table>")};
}

void TestSitePages::descriptionFeatures()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);
    const QString html = htmlOf(rtf);
    for (const QString &part : expected)
        QVERIFY2(html.contains(part), qPrintable(part + QStringLiteral("\n---\n") + html));
}

void TestSitePages::coloursReadable()
{
    // Yellow and pale grey on the white page, white on a pale highlight, blue that reads already.
    const QString html = htmlOf("{\\rtf1\\ansi{\\colortbl;\\red255\\green255\\blue0;\\red200\\green200\\blue200;"
                                "\\red255\\green255\\blue255;\\red0\\green0\\blue255;\\red255\\green240\\blue150;}"
                                "{\\cf1 gul} {\\cf2 gr\\'e5} {\\cf3\\highlight5 hvid} {\\cf4 bl\\'e5}\\par}");
    static const QRegularExpression span(QStringLiteral("<span style=\"(background:(#[0-9a-f]{6});)?color:(#[0-9a-f]{6});\">"));
    int spans = 0;
    for (auto it = span.globalMatch(html); it.hasNext(); ++spans) {
        const QRegularExpressionMatch m = it.next();
        const QColor background = m.captured(2).isEmpty() ? site::kPageBackground : QColor(m.captured(2));
        QVERIFY2(site::contrastRatio(QColor(m.captured(3)), background) >= site::kMinContrast, qPrintable(m.captured(0)));
    }
    QCOMPARE(spans, 4);
    QVERIFY(html.contains(QStringLiteral("color:#0000ff;\">blå")));
    QVERIFY(!html.contains(QLatin1String("#ffff00")));
    QVERIFY(!html.contains(QLatin1String("#c8c8c8")));
}

void TestSitePages::pictureBesideThePage()
{
    QTextDocument doc;
    QImage picture(8, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("billede1")), picture);
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Før "));
    cursor.insertImage(QStringLiteral("billede1"));
    QList<QImage> given;
    const QString html = site::documentHtml(doc, [&](const QImage &image) {
        given.append(image);
        return QStringLiteral("kage-\"1.png");
    });
    QCOMPARE(given.size(), 1);
    QCOMPARE(given.first().size(), QSize(8, 4));
    QVERIFY2(html.contains(QStringLiteral("<p>Før <img src=\"kage-&quot;1.png\" alt=\"\"></p>")), qPrintable(html));
}

void TestSitePages::plantedMarkup_showsAsText()
{
    const QString planted = QStringLiteral("<script>alert(1)</script>");
    QTextDocument doc;
    rtf::read("{\\rtf1\\ansi Bag <script>alert(1)</script> & <b>server</b>\\par}", &doc);
    site::RecipePageText text;
    text.bookTitle = planted;
    text.indexHref = QStringLiteral("../index.html");
    text.name = QStringLiteral("Kage ") + planted;
    text.path = {planted, QStringLiteral("Under")};
    text.ingredients = {QStringLiteral("100 g smør ") + planted};
    for (const QByteArray &page : {site::recipePage(text, doc, {}), site::unreadablePage(text, planted)}) {
        // The only script is the JSON-LD, whose "<" are escapes.
        QVERIFY(!page.contains("<script>"));
        QVERIFY(!page.contains("<b>"));
        QCOMPARE(page.count("<script"), page.count("application/ld+json"));
        QVERIFY(page.contains("&lt;script&gt;alert(1)&lt;/script&gt;"));
    }
    const QByteArray page = site::recipePage(text, doc, {});
    QVERIFY(page.contains("<h1>Kage &lt;script&gt;alert(1)&lt;/script&gt;</h1>"));
    QVERIFY(page.contains("<li>100 g smør &lt;script&gt;alert(1)&lt;/script&gt;</li>"));
    QVERIFY(page.contains("<p>Bag &lt;script&gt;alert(1)&lt;/script&gt; &amp; &lt;b&gt;server&lt;/b&gt;</p>"));
    QVERIFY(page.contains("\"name\": \"Kage &lt;script&gt;alert(1)&lt;/script&gt;\""));
}

void TestSitePages::fileStems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stem");
    QTest::newRow("danske bogstaver") << QStringLiteral("Æblekage med rødgrød på") << QStringLiteral("aeblekage-med-roedgroed-paa");
    QTest::newRow("accenter") << QStringLiteral("Crème brûlée") << QStringLiteral("creme-brulee");
    QTest::newRow("punktum punktum") << QStringLiteral("..") << QStringLiteral("opskrift");
    QTest::newRow("skråstreger") << QStringLiteral("a/b\\c") << QStringLiteral("a-b-c");
    QTest::newRow("CON") << QStringLiteral("CON") << QStringLiteral("con-opskrift");
    QTest::newRow("lpt1") << QStringLiteral("Lpt1") << QStringLiteral("lpt1-opskrift");
    QTest::newRow("vores egen forside") << QStringLiteral("Index") << QStringLiteral("index-opskrift");
    QTest::newRow("tegn og mellemrum") << QStringLiteral("  \"Mors\" <kage>?*: 100%  ") << QStringLiteral("mors-kage-100");
    QTest::newRow("kun tegn") << QStringLiteral("?!*") << QStringLiteral("opskrift");
    QTest::newRow("300 tegn") << QString(300, u'x') << QString(site::kMaxStemLength, u'x');
    QTest::newRow("kinesisk") << QStringLiteral("饺子") << QStringLiteral("opskrift");
}

void TestSitePages::fileStems()
{
    QFETCH(QString, name);
    QFETCH(QString, stem);
    QCOMPARE(site::fileStem(name), stem);
}

void TestSitePages::stemsUniqueAndStable()
{
    const QStringList names{QStringLiteral("Boller"), QStringLiteral("Kage!"), QStringLiteral("Kage?"), QStringLiteral("..")};
    const QStringList keys{QStringLiteral("A\nB\nBoller"), QStringLiteral("A\nB\nKage!"), QStringLiteral("A\nC\nKage?"),
                           QStringLiteral("A\nB\n..")};
    const QStringList stems = site::uniqueStems(names, keys);
    QCOMPARE(QSet<QString>(stems.begin(), stems.end()).size(), 4);
    QCOMPARE(stems.at(0), QStringLiteral("boller"));
    QVERIFY(stems.at(1).startsWith(QLatin1String("kage-")));
    // The same recipes in another order keep their names.
    const QStringList again = site::uniqueStems({names.at(2), names.at(3), names.at(1), names.at(0)},
                                                {keys.at(2), keys.at(3), keys.at(1), keys.at(0)});
    QCOMPARE(again, (QStringList{stems.at(2), stems.at(3), stems.at(1), stems.at(0)}));
}

void TestSitePages::searchWordsFoldedAsTheFind()
{
    QCOMPARE(site::SearchIndex::words(QStringLiteral("RØDGRØD med Crème-fraîche, 2½ dl")),
             (QStringList{QStringLiteral("rødgrød"), QStringLiteral("med"), QStringLiteral("creme"),
                          QStringLiteral("fraiche"), QStringLiteral("2½"), QStringLiteral("dl")}));
    site::SearchIndex index;
    index.add(QStringLiteral("a"), QStringLiteral("</script>A"), QStringLiteral("X"), {QStringLiteral("Æble æble 5 g")});
    index.add(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("X"), {QStringLiteral("ÆBLE")});
    const QByteArray script = index.script();
    QVERIFY2(script.contains("\"æble\":\"0,1\""), script.constData());
    QVERIFY(!script.contains('<'));
    QVERIFY(!script.contains("\"g\":"));
    QVERIFY(!script.contains("\"5\":"));
}

QTEST_MAIN(TestSitePages)
#include "tst_sitepages.moc"

#include "pdffiles.h"
#include "pdftools.h"
#include "printing/pagerect.h"
#include "printing/printerror.h"
#include "printing/richtextprinter.h"

#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

using namespace printing;

namespace {

constexpr double kPointsPerCm = 72 / 2.54;
constexpr double kA4HeightPoints = 297 * kPointsPerCm;

// Numbered words in one long paragraph and then numbered paragraphs: enough for several pages,
// with wrapped lines as well as paragraph ends falling on page breaks.
QString longText(QStringList *words)
{
    QStringList paragraph;
    for (int i = 1; i <= 400; ++i)
        paragraph.append(QStringLiteral("o%1").arg(i, 3, 10, QLatin1Char('0')));
    QString text = paragraph.join(u' ');
    *words = paragraph;
    for (int i = 1; i <= 120; ++i) {
        const QString line = QStringLiteral("linje%1").arg(i, 3, 10, QLatin1Char('0'));
        text += u'\n' + line;
        words->append(line);
    }
    return text;
}

} // namespace

class TestRichTextPrinting : public QObject {
    Q_OBJECT

private slots:
    void init();
    void pageRect_data();
    void pageRect();
    void layoutTwips_data();
    void layoutTwips();
    void absurdMargin_isRefused();
    void copies_eachAJobHoldingTheWholeDocument_data();
    void copies_eachAJobHoldingTheWholeDocument();
    void storedPageRect_servesWithoutUnit();
    void longText_everyLineOnceInOrderAndInsideTheArea();
    void leftMargin_inThePdf_data();
    void leftMargin_inThePdf();
    void danishLettersAndEuro_comeOutAsText();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRichTextPrinting::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRichTextPrinting::pageRect_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("strip");
    QTest::addColumn<QSize>("printable");
    QTest::addColumn<QList<double>>("margins"); // left, right, top, bottom in cm
    QTest::addColumn<QList<int>>("expected");   // Left, Top, Right, Bottom

    QTest::newRow("defaults at 600 dpi") << 600 << 100 << QSize(4760, 6814)
                                         << QList<double>{2.5, 1, 2, 1.5} << QList<int>{491, 372, 4424, 6360};
    // 190.5 and 63.5 pixels: halves go to the even neighbour, also when that is down.
    QTest::newRow("halves at 254 dpi") << 254 << 0 << QSize(2000, 3000)
                                       << QList<double>{1.905, 0.635, 0.635, 1.905}
                                       << QList<int>{190, 64, 2000 - 64, 3000 - 190};
    QTest::newRow("margin inside the unprintable strip") << 600 << 100 << QSize(4760, 6814)
                                                          << QList<double>{0, 0, 0, 0}
                                                          << QList<int>{-100, -100, 4660, 6714};
}

void TestRichTextPrinting::pageRect()
{
    QFETCH(int, dpi);
    QFETCH(int, strip);
    QFETCH(QSize, printable);
    QFETCH(QList<double>, margins);
    QFETCH(QList<int>, expected);
    const PrinterMetrics printer{dpi, dpi, strip, strip, printable.width(), printable.height()};
    const PageRect r = printing::pageRect(printer, margins[0], margins[1], margins[2], margins[3], rtmCentimetres);
    QCOMPARE((QList<int>{r.Left, r.Top, r.Right, r.Bottom}), expected);
}

void TestRichTextPrinting::layoutTwips_data()
{
    QTest::addColumn<QList<int>>("pageRect");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("worked example") << QList<int>{491, 372, 4424, 6360}
                                    << QRect(QPoint(1178, 892), QPoint(10617, 15264));
    QTest::newRow("margins meet: whole printable area") << QList<int>{2400, 372, 2360, 6360}
                                                        << QRect(QPoint(0, 0), QPoint(11424, 16353));
    QTest::newRow("no height left: whole printable area") << QList<int>{491, 500, 4424, 500}
                                                          << QRect(QPoint(0, 0), QPoint(11424, 16353));
    QTest::newRow("negative edge drops towards zero") << QList<int>{-1, -1, 4424, 6360}
                                                      << QRect(QPoint(-2, -2), QPoint(10617, 15264));
}

void TestRichTextPrinting::layoutTwips()
{
    QFETCH(QList<int>, pageRect);
    QFETCH(QRect, expected);
    const PrinterMetrics printer{600, 600, 100, 100, 4760, 6814};
    const QRect twips = printing::layoutTwips({pageRect[0], pageRect[1], pageRect[2], pageRect[3]}, printer);
    QCOMPARE(twips.topLeft(), expected.topLeft());
    QCOMPARE(twips.bottomRight(), expected.bottomRight());
}

void TestRichTextPrinting::absurdMargin_isRefused()
{
    const PrinterMetrics printer{600, 600, 100, 100, 4760, 6814};
    QVERIFY_THROWS_EXCEPTION(PrintError, printing::pageRect(printer, 1e12, 1, 2, 1.5, rtmCentimetres));
    // A margin wider than the paper is no error: the text gets the whole printable area.
    QVERIFY(printing::pageRect(printer, 30, 1, 2, 1.5, rtmCentimetres).isEmpty());
}

void TestRichTextPrinting::copies_eachAJobHoldingTheWholeDocument_data()
{
    QTest::addColumn<int>("copies");
    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("three") << 3;
}

void TestRichTextPrinting::copies_eachAJobHoldingTheWholeDocument()
{
    QFETCH(int, copies);
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("Boller\nMel og gær"));
    PdfFiles target(m_dir->path());
    printRichText(&edit, 2.5, 1, 2, 1.5, rtmCentimetres, copies, target);
    QCOMPARE(target.files.size(), copies);
    for (const QString &file : std::as_const(target.files))
        QCOMPARE(pdftools::lines(file), (QStringList{QStringLiteral("Boller"), QStringLiteral("Mel og gær")}));
}

void TestRichTextPrinting::storedPageRect_servesWithoutUnit()
{
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("Boller"));
    PdfFiles target(m_dir->path());
    printRichText(&edit, 5, 1, 2, 1.5, rtmCentimetres, 0, target);
    const PageRect stored = storedPageRect(&edit);
    QCOMPARE(stored, printing::pageRect(target.metrics(), 5, 1, 2, 1.5, rtmCentimetres));

    // Without a unit the margins are not looked at: the stored rectangle is printed with.
    printRichText(&edit, 0, 0, 0, 0, rtmNone, 1, target);
    QCOMPARE(storedPageRect(&edit), stored);
    const QList<pdftools::Word> words = pdftools::words(target.files.value(0));
    QVERIFY(!words.isEmpty());
    QVERIFY2(qAbs(words.first().box.left() - 5 * kPointsPerCm) < 1.5,
             qPrintable(QString::number(words.first().box.left())));
}

void TestRichTextPrinting::longText_everyLineOnceInOrderAndInsideTheArea()
{
    QStringList expected;
    QTextEdit edit;
    edit.document()->setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    edit.setPlainText(longText(&expected));
    PdfFiles target(m_dir->path());
    printRichText(&edit, 2.5, 1, 2, 1.5, rtmCentimetres, 1, target);
    QCOMPARE(target.files.size(), 1);
    const QString pdf = target.files.first();

    const int pages = pdftools::pages(pdf);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    const QList<pdftools::Word> words = pdftools::words(pdf);
    QStringList printed;
    for (const pdftools::Word &w : words)
        printed.append(w.text);
    QCOMPARE(printed, expected);

    // A line cut by a page break would stick out of the area (or show twice).
    const double top = 2 * kPointsPerCm;
    const double bottom = kA4HeightPoints - 1.5 * kPointsPerCm;
    for (const pdftools::Word &w : words) {
        QVERIFY2(w.box.top() >= top - 1 && w.box.bottom() <= bottom + 1,
                 qPrintable(QStringLiteral("%1 at %2..%3 on page %4").arg(w.text).arg(w.box.top()).arg(w.box.bottom()).arg(w.page)));
        QVERIFY2(w.box.left() >= 2.5 * kPointsPerCm - 1, qPrintable(w.text));
    }
    QCOMPARE(words.last().page, pages);
}

void TestRichTextPrinting::leftMargin_inThePdf_data()
{
    QTest::addColumn<QList<double>>("margins"); // left, right, top, bottom
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("textLeft");       // points from the paper's edge
    QTest::addColumn<double>("textTop");

    QTest::newRow("defaults") << QList<double>{2.5, 1, 2, 1.5} << int(rtmCentimetres)
                              << 2.5 * kPointsPerCm << 2 * kPointsPerCm;
    QTest::newRow("inches") << QList<double>{1, 1, 0.5, 1} << int(rtmInches) << 72.0 << 36.0;
    // Left and right margins that take the whole width leave an empty page rectangle: the text
    // takes the whole printable area, beginning at the unprintable strip (100 px = 12 pt).
    QTest::newRow("margins meet") << QList<double>{11, 11, 2, 1.5} << int(rtmCentimetres) << 12.0 << 12.0;
}

void TestRichTextPrinting::leftMargin_inThePdf()
{
    QFETCH(QList<double>, margins);
    QFETCH(int, unit);
    QFETCH(double, textLeft);
    QFETCH(double, textTop);
    QTextEdit edit;
    edit.document()->setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    edit.setPlainText(QStringLiteral("Hvedemel"));
    PdfFiles target(m_dir->path());
    printRichText(&edit, margins[0], margins[1], margins[2], margins[3],
                  TRichTextMeasurements(unit), 1, target);
    const QList<pdftools::Word> words = pdftools::words(target.files.value(0));
    QCOMPARE(words.size(), 1);
    // A glyph's box begins a little inside its advance; a point is far less than a strip's 12.
    QVERIFY2(qAbs(words.first().box.left() - textLeft) < 1.5, qPrintable(QString::number(words.first().box.left())));
    QVERIFY2(qAbs(words.first().box.top() - textTop) < 1.5, qPrintable(QString::number(words.first().box.top())));
}

void TestRichTextPrinting::danishLettersAndEuro_comeOutAsText()
{
    QTextEdit edit;
    edit.setHtml(QStringLiteral("<p>Æbleskiver med flødeskum</p><p style=\"color:#0000ff\"><b>Pris: 25 €</b></p>"
                                "<p><i>Rødgrød med fløde, Ål og Øl</i></p>"));
    PdfFiles target(m_dir->path());
    printRichText(&edit, 2.5, 1, 2, 1.5, rtmCentimetres, 1, target);
    QCOMPARE(pdftools::lines(target.files.value(0)),
             (QStringList{QStringLiteral("Æbleskiver med flødeskum"), QStringLiteral("Pris: 25 €"),
                          QStringLiteral("Rødgrød med fløde, Ål og Øl")}));
}

QTEST_MAIN(TestRichTextPrinting)
#include "tst_richtextprinting.moc"

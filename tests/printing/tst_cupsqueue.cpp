#include "pdftools.h"
#include "printing/cupsprinter.h"
#include "printing/printerror.h"
#include "printing/richtextprinter.h"

#include <QDir>
#include <QFile>
#include <QTextEdit>
#include <QtTest>

using namespace printing;

namespace {

// The queues scripts/test sets up: cups-pdf writing into a folder of its own (named in the
// queue's own cups-pdf settings file), the default printer, and one that refuses every job.
const QString kRefusingQueue = QStringLiteral("RetterumAfviser");

QString outputFolderOf(const QString &queue)
{
    QFile conf(QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue));
    if (!conf.open(QIODevice::ReadOnly))
        return {};
    for (const QString &line : QString::fromUtf8(conf.readAll()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("Out ")))
            return line.mid(4).trimmed();
    }
    return {};
}

QString jobFile(const QString &folder, int job)
{
    const QStringList found = QDir(folder).entryList({QStringLiteral("*-job_%1.pdf").arg(job)}, QDir::Files);
    return found.size() == 1 ? folder + u'/' + found.first() : QString();
}

// cups-pdf turns the fonts into pictures of glyphs that no longer say which letters they are,
// so its lines are compared by their number of words: a lost or doubled line still shows.
QList<int> wordsPerLine(const QStringList &lines)
{
    QList<int> counts;
    for (const QString &line : lines)
        counts.append(int(line.split(u' ', Qt::SkipEmptyParts).size()));
    return counts;
}

} // namespace

// Under CI the queues must be there; elsewhere a machine without them skips, so that nothing is
// ever printed on a real printer.
#define REQUIRE_QUEUE(condition, why)                                                             \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            if (qgetenv("CI") == "true")                                                          \
                QFAIL(why);                                                                       \
            QSKIP(why);                                                                           \
        }                                                                                         \
    } while (false)

class TestCupsQueue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void longDocument_printsAsOneJobWithAllItsPages();
    void copies_areSeparateJobs();
    void refusedJob_isAFailureNotASuccess();

private:
    QString m_out;
};

void TestCupsQueue::initTestCase()
{
    const QPrinterInfo queue = QPrinterInfo::defaultPrinter();
    REQUIRE_QUEUE(!queue.isNull(), "no default printer: run scripts/test to set up the PDF queue");
    m_out = outputFolderOf(queue.printerName());
    REQUIRE_QUEUE(!m_out.isEmpty() && QDir(m_out).exists(),
                  "the default printer is no PDF queue with a folder of its own: run scripts/test");
}

void TestCupsQueue::longDocument_printsAsOneJobWithAllItsPages()
{
    QTextEdit edit;
    QStringList lines;
    for (int i = 1; i <= 150; ++i) // lines of different length, so that a shift shows
        lines.append(QStringLiteral("Linje %1 af beskrivelsen").arg(i) + QStringLiteral(" æ").repeated(i % 7));
    edit.setPlainText(lines.join(u'\n'));
    CupsPrinter printer = CupsPrinter::defaultPrinter();
    const PrinterMetrics metrics = printer.metrics();
    const int pages = printDocument(*edit.document(), pageRect(metrics, 2.5, 1, 2, 1.5, rtmCentimetres), printer);
    QVERIFY(pages >= 3);
    QCOMPARE(printer.jobIds().size(), 1);

    QString file;
    QTRY_VERIFY_WITH_TIMEOUT(!(file = jobFile(m_out, printer.jobIds().first())).isEmpty(), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(pdftools::pages(file, true), pages, 60000);
    QCOMPARE(wordsPerLine(pdftools::lines(file)), wordsPerLine(lines));
    QFile::remove(file);
}

void TestCupsQueue::copies_areSeparateJobs()
{
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("Boller til 4 personer: 25 €"));
    CupsPrinter printer = CupsPrinter::defaultPrinter();
    printRichText(&edit, 2.5, 1, 2, 1.5, rtmCentimetres, 2, printer);
    const QList<int> jobs = printer.jobIds();
    QCOMPARE(jobs.size(), 2);
    QVERIFY(jobs.at(0) != jobs.at(1));
    for (const int job : jobs) {
        QString file;
        QTRY_VERIFY_WITH_TIMEOUT(!(file = jobFile(m_out, job)).isEmpty(), 60000);
        QTRY_COMPARE_WITH_TIMEOUT(pdftools::pages(file, true), 1, 60000);
        QCOMPARE(wordsPerLine(pdftools::lines(file)), QList<int>{6});
        QFile::remove(file);
    }
}

void TestCupsQueue::refusedJob_isAFailureNotASuccess()
{
    const QPrinterInfo refusing = QPrinterInfo::printerInfo(kRefusingQueue);
    REQUIRE_QUEUE(!refusing.isNull(), "no refusing queue: run scripts/test");
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("Boller"));
    CupsPrinter printer(refusing);
    try {
        printRichText(&edit, 2.5, 1, 2, 1.5, rtmCentimetres, 1, printer);
        QFAIL("a refused job was taken for printed");
    } catch (const PrintError &e) {
        QVERIFY2(e.text().startsWith(QStringLiteral("Printeren \"%1\" tog ikke imod udskriften: ").arg(kRefusingQueue)),
                 qPrintable(e.text()));
    }
    QCOMPARE(printer.jobIds(), QList<int>());
}

QTEST_MAIN(TestCupsQueue)
#include "tst_cupsqueue.moc"

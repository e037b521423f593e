#include "printing/cupsprinter.h"

#include "printing/printerror.h"

#include <QFile>
#include <QLibrary>
#include <QPrinter>

#include <cups/cups.h>

namespace printing {

namespace {

// The queue as the toolkit sees it: its default paper, printable area and resolution.
std::unique_ptr<QPrinter> queuePrinter(const QPrinterInfo &queue)
{
    return std::make_unique<QPrinter>(queue, QPrinter::HighResolution);
}

// libcups brings some twenty libraries of its own (TLS, Kerberos, Avahi): loaded when the
// first job is sent rather than at every start of the program.
struct CupsCalls {
    decltype(&cupsPrintFile) printFile = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;
};

const CupsCalls &cups()
{
    static const CupsCalls calls = [] {
        CupsCalls c;
        QLibrary library(QStringLiteral("cups"), 2);
        if (library.load()) {
            c.printFile = reinterpret_cast<decltype(&cupsPrintFile)>(library.resolve("cupsPrintFile"));
            c.lastErrorString =
                reinterpret_cast<decltype(&cupsLastErrorString)>(library.resolve("cupsLastErrorString"));
        }
        return c;
    }();
    return calls;
}

} // namespace

CupsPrinter::CupsPrinter(const QPrinterInfo &queue)
    : m_queue(queue)
    , m_spool(QDir::tempPath() + QStringLiteral("/retterum-udskrift-XXXXXX"))
{
    if (m_queue.isNull())
        throw PrintError(QStringLiteral("Der er ingen standardprinter."));
}

CupsPrinter CupsPrinter::defaultPrinter()
{
    return CupsPrinter(QPrinterInfo::defaultPrinter());
}

PrinterMetrics CupsPrinter::metrics() const
{
    return PrinterMetrics::of(*queuePrinter(m_queue));
}

std::unique_ptr<QPrinter> CupsPrinter::beginJob()
{
    if (!m_spool.isValid())
        throw PrintError(QStringLiteral("Der kan ikke oprettes en midlertidig mappe til udskriften"));
    const std::unique_ptr<QPrinter> queue = queuePrinter(m_queue);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(queue->resolution());
    printer->setPageLayout(queue->pageLayout());
    printer->setDocName(QString());
    printer->setOutputFileName(m_spool.filePath(QStringLiteral("job.pdf")));
    return printer;
}

void CupsPrinter::endJob(QPrinter &printer)
{
    const QString file = printer.outputFileName();
    const QByteArray queue = name().toUtf8();
    if (!cups().printFile || !cups().lastErrorString) {
        QFile::remove(file);
        throw PrintError(QStringLiteral("Printeren \"%1\" tog ikke imod udskriften: "
                                        "udskriftssystemet (CUPS) kan ikke indlæses").arg(name()));
    }
    const int job = cups().printFile(queue.constData(), QFile::encodeName(file).constData(), "", 0, nullptr);
    QFile::remove(file);
    if (job == 0)
        throw PrintError(QStringLiteral("Printeren \"%1\" tog ikke imod udskriften: %2")
                             .arg(name(), QString::fromUtf8(cups().lastErrorString())));
    m_jobIds.append(job);
}

} // namespace printing

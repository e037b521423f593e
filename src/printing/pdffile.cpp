#include "printing/pdffile.h"

#include "printing/pdfoutput.h"
#include "printing/printerror.h"
#include "store/exclusivefile.h"

#include <QPageLayout>
#include <QPrinter>

#include <utility>

namespace printing {

namespace {

std::unique_ptr<QPrinter> a4Printer()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(600);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer->setDocName(QString());
    return printer;
}

} // namespace

PdfFile::PdfFile(QString path)
    : m_path(std::move(path))
{
}

PdfFile::~PdfFile() = default;

PrinterMetrics PdfFile::metrics() const
{
    return PrinterMetrics::of(*a4Printer());
}

std::unique_ptr<QPrinter> PdfFile::beginJob()
{
    m_file = std::make_unique<store::ExclusiveFile>(m_path);
    if (!m_file->open())
        throw PrintError(cannotWrite(m_path));
    auto printer = a4Printer();
    // The printer opens its file by name; this one leads to the file made above, whatever
    // another user does to names in the folder meanwhile.
    printer->setOutputFileName(m_file->descriptorName());
    return printer;
}

void PdfFile::endJob(QPrinter &)
{
    const QString failure = moveIntoPlace(*m_file);
    m_file.reset();
    if (!failure.isEmpty())
        throw PrintError(failure);
}

} // namespace printing

#include "printing/pdffile.h"

#include "printing/pdfoutput.h"
#include "printing/printerror.h"

#include <QFile>
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

PdfFile::~PdfFile()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
}

PrinterMetrics PdfFile::metrics() const
{
    return PrinterMetrics::of(*a4Printer());
}

std::unique_ptr<QPrinter> PdfFile::beginJob()
{
    m_temporary = temporaryBeside(m_path);
    if (m_temporary.isEmpty())
        throw PrintError(cannotWrite(m_path));
    auto printer = a4Printer();
    printer->setOutputFileName(m_temporary);
    return printer;
}

void PdfFile::endJob(QPrinter &)
{
    const QString failure = moveIntoPlace(m_temporary, m_path);
    m_temporary.clear();
    if (!failure.isEmpty())
        throw PrintError(failure);
}

} // namespace printing

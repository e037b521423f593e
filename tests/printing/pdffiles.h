#pragma once

#include "printing/printtarget.h"

#include <QPageLayout>
#include <QPrinter>
#include <QStringList>

// A pretend printer whose jobs are PDF files from the toolkit's own writer, one file per job,
// named job-1.pdf, job-2.pdf, ... in dir: A4 paper, dpi pixels per inch and an unprintable strip
// of stripPixels at every edge.
class PdfFiles : public printing::PrintTarget {
public:
    explicit PdfFiles(const QString &dir, int dpi = 600, int stripPixels = 100)
        : m_dir(dir)
        , m_dpi(dpi)
        , m_strip(stripPixels)
    {
    }

    printing::PrinterMetrics metrics() const override
    {
        return printing::PrinterMetrics::of(*makePrinter(m_dir + QStringLiteral("/metrics.pdf")));
    }
    std::unique_ptr<QPrinter> beginJob() override
    {
        return makePrinter(m_dir + QStringLiteral("/job-%1.pdf").arg(files.size() + 1));
    }
    void endJob(QPrinter &printer) override { files.append(printer.outputFileName()); }

    // Strip width in points, as pdftotext measures.
    double stripPoints() const { return m_strip * 72.0 / m_dpi; }

    QStringList files;

private:
    std::unique_ptr<QPrinter> makePrinter(const QString &file) const
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        printer->setResolution(m_dpi);
        const double strip = stripPoints();
        printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(strip, strip, strip, strip), QPageLayout::Point));
        return printer;
    }

    QString m_dir;
    int m_dpi;
    int m_strip;
};

#pragma once

#include "printing/printtarget.h"

#include <QString>

#include <memory>

namespace store {
class ExclusiveFile;
}

namespace printing {

// Pages into one PDF file on A4 paper, the whole sheet printable: "Gem som PDF…". The file
// appears at path only when whole; throws PrintError when it can't be written.
class PdfFile : public PrintTarget {
public:
    explicit PdfFile(QString path);
    ~PdfFile() override;

    PrinterMetrics metrics() const override;
    std::unique_ptr<QPrinter> beginJob() override;
    void endJob(QPrinter &printer) override;

private:
    QString m_path;
    std::unique_ptr<store::ExclusiveFile> m_file;
};

} // namespace printing

#pragma once

#include "printing/printtarget.h"

#include <QList>
#include <QPrinterInfo>
#include <QTemporaryDir>

namespace printing {

// A CUPS queue. Each job is written as a PDF with the queue's page layout and resolution and
// handed to CUPS, which says whether it took the job: the toolkit's own printing would report
// a refused job as printed.
class CupsPrinter : public PrintTarget {
public:
    explicit CupsPrinter(const QPrinterInfo &queue);
    // The system's default printer; throws PrintError when there is none.
    static CupsPrinter defaultPrinter();

    QString name() const { return m_queue.printerName(); }
    // The CUPS job ids of the jobs taken so far, oldest first.
    QList<int> jobIds() const { return m_jobIds; }

    PrinterMetrics metrics() const override;
    std::unique_ptr<QPrinter> beginJob() override;
    void endJob(QPrinter &printer) override;

private:
    QPrinterInfo m_queue;
    QTemporaryDir m_spool;
    QList<int> m_jobIds;
};

} // namespace printing

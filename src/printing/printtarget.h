#pragma once

#include "printing/pagerect.h"

#include <memory>

class QPrinter;

namespace printing {

// Where print jobs go: the default printer, or PDF files.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // The printer's resolution, offsets and printable area, for the page rectangle.
    virtual PrinterMetrics metrics() const = 0;
    // A printer ready to take the pages of one job, with an empty document title.
    virtual std::unique_ptr<QPrinter> beginJob() = 0;
    // Hands over the finished pages; throws PrintError when they are not taken.
    virtual void endJob(QPrinter &printer) = 0;
};

} // namespace printing

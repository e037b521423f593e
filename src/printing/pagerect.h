#pragma once

#include <QMetaType>
#include <QRect>

#include <cstdint>

class QPrinter;
class QTextEdit;

namespace printing {

// The unit of the margins handed to the printing; rtmNone leaves the stored page rectangle.
enum TRichTextMeasurements : std::uint8_t { rtmNone = 0, rtmInches = 1, rtmCentimetres = 2 };

// What the page rectangle is computed from, all in device pixels.
struct PrinterMetrics {
    int pixelsX = 0; // per inch
    int pixelsY = 0;
    int leftSpace = 0; // the unprintable strip at the paper's left edge
    int topSpace = 0;  // and at its top edge
    int pageWidth = 0; // the printable area
    int pageHeight = 0;

    static PrinterMetrics of(const QPrinter &printer);
};

// In device pixels from the top-left corner of the printable area.
struct PageRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const PageRect &o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
};

// The integer nearest to x, a half going to the even neighbour. Throws PrintError when the
// result is too large for a page rectangle.
std::int32_t nearest(double x);

// The margins as distances from the paper's edges; throws PrintError for absurd margins.
PageRect pageRect(const PrinterMetrics &printer, double leftMargin, double rightMargin,
                  double topMargin, double bottomMargin, TRichTextMeasurements unit);

// The rectangle the text is laid out in, in twips (1/1440 inch), the remainders dropped; the
// whole printable area when the page rectangle is empty.
QRect layoutTwips(const PageRect &rect, const PrinterMetrics &printer);

// The page rectangle stays with the editor that was printed, as its own setting.
void setPageRect(QTextEdit *edit, const PageRect &rect);
PageRect storedPageRect(const QTextEdit *edit);

} // namespace printing

Q_DECLARE_METATYPE(printing::PageRect)

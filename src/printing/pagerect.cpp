#include "printing/pagerect.h"

#include "printing/printerror.h"

#include <QPrinter>
#include <QTextEdit>
#include <QVariant>

#include <cfenv>
#include <cmath>
#include <limits>

namespace printing {

namespace {

constexpr char kPageRectProperty[] = "PageRect";

[[noreturn]] void tooLarge()
{
    throw PrintError(QStringLiteral("Margenerne er for store til printeren"));
}

std::int32_t checked(qint64 value)
{
    if (value < std::numeric_limits<std::int32_t>::min()
        || value > std::numeric_limits<std::int32_t>::max())
        tooLarge();
    return std::int32_t(value);
}

} // namespace

PrinterMetrics PrinterMetrics::of(const QPrinter &printer)
{
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    PrinterMetrics m;
    m.pixelsX = printer.logicalDpiX();
    m.pixelsY = printer.logicalDpiY();
    m.leftSpace = qRound(printable.left() - paper.left());
    m.topSpace = qRound(printable.top() - paper.top());
    m.pageWidth = printer.width();
    m.pageHeight = printer.height();
    return m;
}

std::int32_t nearest(double x)
{
    if (!std::isfinite(x) || std::fabs(x) > double(std::numeric_limits<std::int32_t>::max()))
        tooLarge();
    // The default rounding mode of the floating-point environment sends halves to even.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(x);
    std::fesetround(saved);
    return checked(qint64(rounded));
}

PageRect pageRect(const PrinterMetrics &p, double leftMargin, double rightMargin,
                  double topMargin, double bottomMargin, TRichTextMeasurements unit)
{
    const double toInches = unit == rtmCentimetres ? 2.54 : 1.0;
    const double left = leftMargin / toInches;
    const double right = rightMargin / toInches;
    const double top = topMargin / toInches;
    const double bottom = bottomMargin / toInches;
    PageRect r;
    r.Left = checked(qint64(nearest(p.pixelsX * left)) - p.leftSpace);
    r.Right = checked(qint64(p.pageWidth) - nearest(p.pixelsX * right) - p.leftSpace);
    r.Top = checked(qint64(nearest(p.pixelsY * top)) - p.topSpace);
    r.Bottom = checked(qint64(p.pageHeight) - nearest(p.pixelsY * bottom) - p.topSpace);
    return r;
}

QRect layoutTwips(const PageRect &r, const PrinterMetrics &p)
{
    // Integer division drops the remainder (towards zero, also for a negative edge).
    const auto twipsX = [&p](qint64 pixels) { return checked(pixels * 1440 / p.pixelsX); };
    const auto twipsY = [&p](qint64 pixels) { return checked(pixels * 1440 / p.pixelsY); };
    if (r.isEmpty())
        return QRect(QPoint(0, 0), QPoint(twipsX(p.pageWidth), twipsY(p.pageHeight)));
    return QRect(QPoint(twipsX(r.Left), twipsY(r.Top)), QPoint(twipsX(r.Right), twipsY(r.Bottom)));
}

void setPageRect(QTextEdit *edit, const PageRect &rect)
{
    edit->setProperty(kPageRectProperty, QVariant::fromValue(rect));
}

PageRect storedPageRect(const QTextEdit *edit)
{
    return edit->property(kPageRectProperty).value<PageRect>();
}

} // namespace printing

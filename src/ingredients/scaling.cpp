#include "ingredients/ingredientline.h"

#include "ingredients/reading.h"

#include <cmath>

namespace ingredients {

namespace {

// Larger amounts than this are no recipe's; the line is left as written rather than filled with
// digits.
constexpr double kLargestShown = 1e7;

} // namespace

QString scaledLine(const QString &line, double factor)
{
    if (!std::isfinite(factor) || factor <= 0 || factor == 1)
        return line;
    const Reading r = readDetailed(line);
    if (!r.line.quantity || r.line.notScaled || !r.low.isSet())
        return line;
    const Quantity q = *r.line.quantity;
    const double low = q.low * factor, high = q.high * factor;
    if (!(high <= kLargestShown))
        return line;
    QString scaled = line;
    if (r.packs.isSet()) {
        // "2 x 400 g" becomes "3 x 400 g": packs are bought whole, the size stays as printed.
        scaled.replace(r.packs.start, r.packs.end - r.packs.start, formatQuantity(r.packCount * factor, QString()));
        return scaled;
    }
    // From the back, so that the first number's place still holds.
    if (r.high.isSet())
        scaled.replace(r.high.start, r.high.end - r.high.start, formatQuantity(high, r.line.unit));
    scaled.replace(r.low.start, r.low.end - r.low.start, formatQuantity(low, r.line.unit));
    return scaled;
}

} // namespace ingredients

#include "ingredients/ingredientline.h"

#include "ingredients/numbers.h"
#include "ingredients/units.h"

#include <cmath>

namespace ingredients {

namespace {

double roundTo(double value, double step)
{
    return std::round(value / step) * step;
}

// Grams, millilitres: as precise as a kitchen scale or measuring jug is read.
QString smallMetric(double v)
{
    if (v < 10)
        return decimalComma(roundTo(v, 0.5) > 0 ? roundTo(v, 0.5) : roundTo(v, 0.1), 1);
    if (v <= 50)
        return decimalComma(std::round(v), 0);
    if (v <= 500)
        return decimalComma(roundTo(v, 5), 0);
    if (v <= 1000)
        return decimalComma(roundTo(v, 25), 0);
    return decimalComma(roundTo(v, 50), 0);
}

// kg, l: two decimals at most, to the nearest 50 g or 0,5 dl below 10.
QString largeMetric(double v)
{
    if (v < 0.1)
        return decimalComma(v, 3);
    if (v < 10)
        return decimalComma(roundTo(v, 0.05), 2);
    return decimalComma(roundTo(v, 0.5), 1);
}

struct Fraction {
    double value;
    const char16_t *text;
};

// Thirds are written only where the amount is a third; everything else goes to quarters.
const Fraction kThirds[] = {{1.0 / 3, u"⅓"}, {2.0 / 3, u"⅔"}};
const Fraction kQuarters[] = {{0, u""}, {0.25, u"¼"}, {0.5, u"½"}, {0.75, u"¾"}, {1, u""}};

QString withFraction(double v)
{
    if (v >= 10) {
        const double rounded = roundTo(v, 0.5);
        const double whole = std::floor(rounded);
        return decimalComma(whole, 0) + (rounded > whole ? QStringLiteral("½") : QString());
    }
    double whole = std::floor(v);
    const double part = v - whole;
    for (const Fraction &f : kThirds) {
        if (std::abs(part - f.value) < 0.01)
            return (whole > 0 ? decimalComma(whole, 0) : QString()) + QString::fromUtf16(f.text);
    }
    if (whole == 0 && std::abs(part - 0.125) < 0.01)
        return QStringLiteral("⅛");
    const Fraction *best = &kQuarters[0];
    for (const Fraction &f : kQuarters) {
        if (std::abs(part - f.value) < std::abs(part - best->value))
            best = &f;
    }
    if (best->value == 1) {
        whole += 1;
        best = &kQuarters[0];
    }
    if (whole == 0 && best->value == 0)
        return QStringLiteral("⅛"); // a pinch is still an amount, never "0"
    return (whole > 0 || best->value == 0 ? decimalComma(whole, 0) : QString()) + QString::fromUtf16(best->text);
}

} // namespace

QString formatQuantity(double value, const QString &unit)
{
    if (!std::isfinite(value) || value < 0)
        return QString();
    if (value == 0)
        return QStringLiteral("0");
    if (unit == u"g" || unit == u"ml" || unit == u"mg")
        return smallMetric(value);
    if (unit == u"kg" || unit == u"l")
        return largeMetric(value);
    if (unit == u"dl")
        return value < 1 ? withFraction(value) : decimalComma(roundTo(value, 0.1), 1);
    if (unit == u"cl" || unit == u"cm" || unit == u"oz" || unit == u"fl oz")
        return decimalComma(value < 10 ? roundTo(value, 0.5) : std::round(value), 1);
    return withFraction(value);
}

} // namespace ingredients

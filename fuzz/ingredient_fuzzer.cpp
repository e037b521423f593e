// Feeds arbitrary bytes to the ingredient reader as one line, as a page or another user's list
// may hold, and checks what every caller relies on: finite amounts, places inside the line, and
// rewrites that touch nothing but the amount.

#include "ingredients/ingredientline.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const ingredients::IngredientLine read = ingredients::readLine(line);
    if (read.quantity) {
        const ingredients::Quantity q = *read.quantity;
        if (!std::isfinite(q.low) || !std::isfinite(q.high) || q.low < 0 || q.high < q.low)
            fail("An amount that is no amount");
        if (read.amountStart < 0 || read.amountLength <= 0 || read.amountStart + read.amountLength > line.size())
            fail("The amount's place lies outside the line");
        if (read.kind != ingredients::LineKind::Ingredient)
            fail("An amount on a line that is no ingredient");
    } else if (read.kind == ingredients::LineKind::Ingredient && read.name.isEmpty()) {
        fail("A line without amount lost its text");
    }

    if (ingredients::scaledLine(line, 1) != line)
        fail("Scaling by 1 changed the line");
    for (const double factor : {0.5, 1.5, 3.0}) {
        const QString scaled = ingredients::scaledLine(line, factor);
        if (!read.quantity || read.notScaled) {
            if (scaled != line)
                fail("A line without an amount to scale was changed");
            continue;
        }
        const QStringView before = QStringView(line).left(read.amountStart);
        const QStringView after = QStringView(line).mid(read.amountStart + read.amountLength);
        if (!scaled.startsWith(before) || !scaled.endsWith(after))
            fail("Scaling changed more than the amount");
    }
    const QString danish = ingredients::danishMeasuresLine(line);
    if (read.amountStart >= 0 && !danish.startsWith(QStringView(line).left(read.amountStart)))
        fail("Converting measures changed the text before the amount");
    (void)ingredients::danishTemperatures(line);
    if (const auto servings = ingredients::servingsFrom(line); servings && !(*servings >= 1 && *servings <= 1000))
        fail("A number of servings no recipe has");
    (void)ingredients::formatQuantity(read.quantity ? read.quantity->high : 0, read.unit);
    return 0;
}

#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace ingredients {

// How a unit's amounts are written and what it measures.
enum class UnitKind {
    Count,  // pieces, spoons, packs: written with ½ ¼ ¾
    Weight, // g, kg, oz, lb
    Volume, // l, dl, cl, ml, fl oz
    Length  // cm
};

struct UnitRead {
    QString unit; // the short form
    UnitKind kind = UnitKind::Count;
    qsizetype end = 0; // first position after the unit as written (and its dot)
};

// The unit written at pos, if one stands there as a whole word: "dl", "spsk.", "tablespoons",
// "fl. oz.", "T". A unit directly after a number counts too ("200g").
std::optional<UnitRead> unitAt(QStringView s, qsizetype pos);

// What a short form measures; Count for one the reader does not know.
UnitKind unitKind(const QString &shortForm);

} // namespace ingredients

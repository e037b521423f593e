#pragma once

#include <QtGlobal>

#include <cmath>

namespace rtf {

// RTF measures in twips; a document pixel is taken as one at 96 dpi.
constexpr double TwipsPerPixel = 15.0;
// The right edge of a table cell goes no further when read or written, so a save of a table
// of absurd width reads back the same.
constexpr int MaxCellEdgeTwips = 316800;

inline int twips(double pixels)
{
    return int(std::lround(qBound(-30000.0, pixels, 30000.0) * TwipsPerPixel));
}

} // namespace rtf

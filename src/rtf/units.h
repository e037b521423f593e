#pragma once

#include <QtGlobal>

#include <cmath>

namespace rtf {

// RTF measures in twips; a document pixel is taken as one at 96 dpi.
constexpr double TwipsPerPixel = 15.0;

inline int twips(double pixels)
{
    return int(std::lround(qBound(-30000.0, pixels, 30000.0) * TwipsPerPixel));
}

} // namespace rtf

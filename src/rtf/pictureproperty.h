#pragma once

#include <QTextFormat>

namespace rtf {

// Image formats read from RTF keep their whole {\pict ...} group under this property, so that
// a save writes the picture back byte for byte, also the kinds shown only as a grey box.
constexpr int RawPictureProperty = QTextFormat::UserProperty + 0x5254;

} // namespace rtf

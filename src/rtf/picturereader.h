#pragma once

#include "rtf/keyword.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <string_view>

namespace rtf {

// Collects one \pict group: its kind, sizes and data.
class PictureReader
{
public:
    enum Kind { Unknown, Png, Jpeg, Metafile, Bitmap };

    struct Picture {
        QImage image;
        QSizeF size; // pixels at 96 dpi, as the document lays it out
    };

    void begin();
    // The words of \pict: kind, sizes in its units, scale in percent.
    void applyWord(Keyword word, int param);
    void appendHex(std::string_view text);
    void appendBinary(std::string_view bytes);

    // PNG and JPEG become the image itself; anything else, or data that does not decode, a grey
    // box of the picture's size.
    Picture picture() const;

private:
    QSizeF scale() const;
    QSizeF declaredSize() const;

    QByteArray m_data;
    Kind m_kind = Unknown;
    int m_width = 0;
    int m_height = 0;
    int m_goalWidth = 0;
    int m_goalHeight = 0;
    int m_scaleX = 100;
    int m_scaleY = 100;
    int m_highNibble = -1;
};

} // namespace rtf

#include "rtf/picturereader.h"

#include "rtf/hexdigit.h"

namespace rtf {

namespace {

constexpr double TwipsPerPixel = 15.0;
constexpr double HimetricPerPixel = 2540.0 / 96.0;
constexpr double MaxSide = 10000.0;
constexpr double DefaultSide = 96.0;

double side(double value)
{
    return value > 0 ? qMin(value, MaxSide) : DefaultSide;
}

} // namespace

void PictureReader::begin()
{
    *this = PictureReader();
}

void PictureReader::applyWord(Keyword word, int param)
{
    switch (word) {
    case Keyword::PngBlip:
        m_kind = Png;
        break;
    case Keyword::JpegBlip:
        m_kind = Jpeg;
        break;
    case Keyword::MetafileBlip:
        m_kind = Metafile;
        break;
    case Keyword::BitmapBlip:
        m_kind = Bitmap;
        break;
    case Keyword::PictureWidth:
        m_width = param;
        break;
    case Keyword::PictureHeight:
        m_height = param;
        break;
    case Keyword::PictureGoalWidth:
        m_goalWidth = param;
        break;
    case Keyword::PictureGoalHeight:
        m_goalHeight = param;
        break;
    case Keyword::PictureScaleX:
        m_scaleX = param;
        break;
    case Keyword::PictureScaleY:
        m_scaleY = param;
        break;
    default:
        break;
    }
}

void PictureReader::appendHex(std::string_view text)
{
    m_data.reserve(m_data.size() + qsizetype(text.size() / 2));
    for (const char c : text) {
        const int value = hexDigitValue(c);
        if (value < 0)
            continue;
        if (m_highNibble < 0) {
            m_highNibble = value;
        } else {
            m_data.append(char(m_highNibble * 16 + value));
            m_highNibble = -1;
        }
    }
}

void PictureReader::appendBinary(std::string_view bytes)
{
    m_data.append(bytes.data(), qsizetype(bytes.size()));
}

QSizeF PictureReader::scale() const
{
    return {(m_scaleX > 0 ? m_scaleX : 100) / 100.0, (m_scaleY > 0 ? m_scaleY : 100) / 100.0};
}

QSizeF PictureReader::declaredSize() const
{
    const double scaleX = scale().width();
    const double scaleY = scale().height();
    if (m_goalWidth > 0 && m_goalHeight > 0)
        return {m_goalWidth / TwipsPerPixel * scaleX, m_goalHeight / TwipsPerPixel * scaleY};
    // Metafiles give \picw and \pich in hundredths of a millimetre, bitmaps in pixels.
    const double unit = m_kind == Metafile ? HimetricPerPixel : 1.0;
    return {m_width / unit * scaleX, m_height / unit * scaleY};
}

PictureReader::Picture PictureReader::picture() const
{
    Picture result;
    if (m_kind == Png || m_kind == Jpeg)
        result.image = QImage::fromData(m_data, m_kind == Png ? "PNG" : "JPEG");
    QSizeF size = declaredSize();
    if (!result.image.isNull() && (m_goalWidth <= 0 || m_goalHeight <= 0))
        size = QSizeF(result.image.width() * scale().width(), result.image.height() * scale().height());
    result.size = QSizeF(side(size.width()), side(size.height()));
    if (result.image.isNull()) {
        // One grey pixel, stretched by the layout to the picture's size.
        result.image = QImage(1, 1, QImage::Format_RGB32);
        result.image.fill(QColor(0xc0, 0xc0, 0xc0));
    }
    return result;
}

} // namespace rtf

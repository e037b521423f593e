#include "dialogs/pngfile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>

namespace {

// Each byte of the value as two hexadecimal digits, the low one first.
template<typename T>
QString hexBytes(T value)
{
    static constexpr char digits[] = "0123456789abcdef";
    const auto *bytes = reinterpret_cast<const unsigned char *>(&value);
    QString out;
    for (size_t i = 0; i < sizeof(T); ++i) {
        out += QLatin1Char(digits[bytes[i] & 0xf]);
        out += QLatin1Char(digits[bytes[i] >> 4]);
    }
    return out;
}

} // namespace

QPixmap readPng(const QString &fileName)
{
    QImageReader reader(fileName, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
}

void cachePng(const QString &fileName)
{
    const QPixmap pixmap = readPng(fileName);
    if (!pixmap.isNull())
        QPixmapCache::insert(pixmapCacheKey(fileName), pixmap);
}

QString pixmapCacheKey(const QString &fileName)
{
    // The file's path, time and size, and the kind of pixmap (0: not a bitmap).
    const QFileInfo info(fileName);
    return QStringLiteral("qt_pixmap") + info.absoluteFilePath()
         + hexBytes(uint(info.lastModified().toSecsSinceEpoch())) + hexBytes(quint64(info.size()))
         + hexBytes(uint(0));
}

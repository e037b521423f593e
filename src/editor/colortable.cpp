#include "editor/colortable.h"

const std::array<NamedColor, 16> &colorTable()
{
    static const std::array<NamedColor, 16> table = {{
        {QColor(0x00, 0x00, 0x00), QStringLiteral("Sort")},
        {QColor(0x80, 0x00, 0x00), QStringLiteral("Katanje")},
        {QColor(0x00, 0x80, 0x00), QStringLiteral("Grøn")},
        {QColor(0x80, 0x80, 0x00), QStringLiteral("Oliven")},
        {QColor(0x00, 0x00, 0x80), QStringLiteral("Mørk blå")},
        {QColor(0x80, 0x00, 0x80), QStringLiteral("Mørk lilla")},
        {QColor(0x00, 0x80, 0x80), QStringLiteral("Tyrkis")},
        {QColor(0xC0, 0xC0, 0xC0), QStringLiteral("Sølvgrå")},
        {QColor(0x80, 0x80, 0x80), QStringLiteral("Grå")},
        {QColor(0xFF, 0x00, 0x00), QStringLiteral("Rød")},
        {QColor(0x00, 0xFF, 0x00), QStringLiteral("Lime eller lys grøn")},
        {QColor(0xFF, 0xFF, 0x00), QStringLiteral("Gul")},
        {QColor(0x00, 0x00, 0xFF), QStringLiteral("Blå")},
        {QColor(0xFF, 0x00, 0xFF), QStringLiteral("Lys lilla")},
        {QColor(0x00, 0xFF, 0xFF), QStringLiteral("Aqua eller vandfarve")},
        {QColor(0xFF, 0xFF, 0xFF), QStringLiteral("Hvid")},
    }};
    return table;
}

int ColorToIndex(const QColor &color)
{
    const QRgb wanted = color.rgb();
    for (std::size_t i = 0; i < colorTable().size(); ++i) {
        if (colorTable()[i].color.rgb() == wanted)
            return int(i);
    }
    return -1;
}

int nearestColorIndex(const QColor &color)
{
    int best = 0;
    int bestDistance = -1;
    for (std::size_t i = 0; i < colorTable().size(); ++i) {
        const QColor &c = colorTable()[i].color;
        const int dr = c.red() - color.red();
        const int dg = c.green() - color.green();
        const int db = c.blue() - color.blue();
        const int distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = int(i);
            bestDistance = distance;
        }
    }
    return best;
}

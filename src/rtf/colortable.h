#pragma once

#include <QColor>

#include <string_view>
#include <vector>

namespace rtf {

// The colours of \colortbl by index. An entry without components is the automatic colour,
// given back as an invalid QColor.
class ColorTable
{
public:
    void setRed(int value);
    void setGreen(int value);
    void setBlue(int value);
    // Text of the table: every ';' ends an entry.
    void appendText(std::string_view bytes);

    QColor color(int index) const;

private:
    std::vector<QColor> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_hasComponent = false;
};

} // namespace rtf

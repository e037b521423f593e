#include "rtf/colortable.h"

namespace rtf {

namespace {

// No table grows past what a 16-bit index can reach, however many ';' a file holds.
constexpr size_t MaxColors = 65536;

} // namespace

void ColorTable::setRed(int value)
{
    m_red = qBound(0, value, 255);
    m_hasComponent = true;
}

void ColorTable::setGreen(int value)
{
    m_green = qBound(0, value, 255);
    m_hasComponent = true;
}

void ColorTable::setBlue(int value)
{
    m_blue = qBound(0, value, 255);
    m_hasComponent = true;
}

void ColorTable::appendText(std::string_view bytes)
{
    for (const char c : bytes) {
        if (c != ';')
            continue;
        if (m_colors.size() < MaxColors)
            m_colors.push_back(m_hasComponent ? QColor(m_red, m_green, m_blue) : QColor());
        m_red = m_green = m_blue = 0;
        m_hasComponent = false;
    }
}

QColor ColorTable::color(int index) const
{
    if (index < 0 || size_t(index) >= m_colors.size())
        return {};
    return m_colors[size_t(index)];
}

} // namespace rtf

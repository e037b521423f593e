#pragma once

#include <QColor>
#include <QString>

#include <array>

// The sixteen colours of the grid with the names the status line shows.
struct NamedColor {
    QColor color;
    QString name;
};

const std::array<NamedColor, 16> &colorTable();

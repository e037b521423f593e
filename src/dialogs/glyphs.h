#pragma once

#include <QIcon>
#include <QPixmap>

// The small pictures of the dialogs, drawn here so that no image files are needed.
class Glyphs
{
public:
    static QPixmap informationSymbol();
    static QPixmap questionSymbol();
    static QIcon checkMark(); // green, with a grey copy for the disabled state
    static QIcon cross();
    static QIcon pen();
};

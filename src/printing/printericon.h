#pragma once

#include <QIcon>

namespace printing {

// A small printer, drawn so that the program needs no icon theme.
QIcon printerIcon();

} // namespace printing

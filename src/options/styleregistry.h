#pragma once

#include <QPalette>
#include <QString>
#include <QStringList>

namespace design {

struct Look;

// The name of the look the toolkit chose at start-up.
inline const QString kSystemLook = QStringLiteral("Windows");

// Every look's name: the system's own first, then ours.
QStringList styleNames();

// Applies the look of that name (letter case ignored) at once to every window, dialogs included.
// False when no look has the name; then nothing changes.
bool trySetStyle(const QString &name);

// The name of the look now applied, as the list writes it.
QString currentStyle();

// What the user is told when a saved design name has no look.
QString unknownDesignMessage(const QString &name);

// Made from the look's colours; exposed so that its readability can be checked.
QPalette paletteOf(const Look &look);
QString styleSheetOf(const Look &look);

} // namespace design

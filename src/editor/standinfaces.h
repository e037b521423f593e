#pragma once

#include <QString>
#include <QStringList>

// Recipes written on Windows name faces a Debian desktop does not have. Debian packages free
// faces in their place: fontconfig itself maps the metric-compatible ones (Arial, Times New
// Roman, Courier New onto Liberation, Calibri onto Carlito, Cambria onto Caladea); the closest
// faces for the rest are mapped by rules of our own, which this program adds to fontconfig.
namespace standinfaces {

// Adds our rules to fontconfig's configuration; they must be in before the toolkit looks a face
// up, or it keeps the stand-in it found first. A reload of fontconfig's configuration (a desktop
// asks for one when fonts are installed) drops them: called again, this adds them to the new
// configuration, and otherwise costs a comparison. Safe to call from any thread.
void addRules();

// The Windows faces the name box offers when fontconfig maps them onto an installed face.
QStringList windowsFaces();

// The face asked for and the faces fontconfig was told stand in for it (aliases bound as
// strongly as the name asked for), best first; not the default faces every unknown name falls
// back to, which come weakly bound. Some 0.15 ms: fontconfig runs all its rules.
QStringList standIns(const QString &family);

} // namespace standinfaces

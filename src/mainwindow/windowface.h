#pragma once

#include <QFont>
#include <QString>

// The face of the program's windows: "Segoe UI" 9 pt where it is installed, else "DejaVu Sans".
QFont windowFace();

// Whether fontconfig lists a face of this family, asked directly and without stand-ins. Cheap
// enough for a start: a missing first family would cost the first text a search for stand-ins.
bool familyInstalled(const QString &family);

// Whether "Segoe UI" is installed, worked out once; safe to ask from any thread.
bool preferredFaceInstalled();

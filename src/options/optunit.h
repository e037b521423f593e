#pragma once

#include <QString>

namespace options {

// What "optUnit.txt" in the settings folder holds: the notification-area and
// minimise-at-start choices and the start-at-login entry the program made.
struct OptUnit {
    bool tray = true;
    bool minimer = false;
    // Cleared when the file ends or fails before its third line.
    QString startProgFilename;
};

// The file's name in the settings folder optDir; empty without a settings folder.
QString optUnitFile(const QString &optDir);

// Reads the file over the values given. A missing file leaves them all as they are; a faulty
// one gives what could be read before the fault, and nothing is reported.
OptUnit readOptUnit(const QString &fileName, OptUnit values = {});

} // namespace options

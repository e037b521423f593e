#pragma once

#include <QString>

#include <functional>

class QSystemTrayIcon;

// What the options dialog reads from and changes in the main window, which exists before it.
struct MainWindowLink {
    QString grundDir; // the program folder, no trailing separator
    QString optDir;   // the settings folder ending with "/"; empty when the user has none
    QString *DesignName = nullptr;
    QSystemTrayIcon *TrayIcon = nullptr;
    // Brings the main window back from the tray as its icon would.
    std::function<void()> restoreMainWindow;
};

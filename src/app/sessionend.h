#pragma once

class QApplication;

// The settings are written not only when the user closes the main window but also when the
// desktop session ends (the session manager asks for the program's data) and when the system
// asks the program to stop (SIGTERM, at shutdown): the main window is then closed in order.
void closeInOrderAtSessionEnd(QApplication *app);

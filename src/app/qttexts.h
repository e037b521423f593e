#pragma once

class QCoreApplication;

// Qt's own texts (the text fields' context menus, standard buttons, the file and print
// dialogs) in Danish, the program's only language, from Qt's translations folder. False when
// Debian's translations are not installed; the texts stay English then.
bool useDanishQtTexts(QCoreApplication *application);

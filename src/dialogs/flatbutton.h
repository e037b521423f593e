#pragma once

class QString;
class QToolButton;
class QWidget;

// The large flat buttons with a picture over their caption (Information, Egenskaber, the print
// commands), alike in the main window and the options dialog.
QToolButton *flatButton(QWidget *parent, const QString &name);

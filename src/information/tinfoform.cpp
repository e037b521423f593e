#include "information/tinfoform.h"

Tinfoform *infoform = nullptr;

Tinfoform::Tinfoform(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("infoform"));
    setWindowTitle(QStringLiteral("Information"));
    resize(640, 480);
}

#include "printing/tprintform.h"

Tprintform *printform = nullptr;

Tprintform::Tprintform(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("printform"));
    setWindowTitle(QStringLiteral("Udskriv"));
}

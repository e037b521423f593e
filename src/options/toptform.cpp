#include "options/toptform.h"

#include <QCheckBox>
#include <QVBoxLayout>

Toptform *optform = nullptr;

Toptform::Toptform(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("optform"));
    setWindowTitle(QStringLiteral("Egenskaber"));
    setModal(false);

    trayCheck = new QCheckBox(QStringLiteral("Minimer til system bakken"), this);
    trayCheck->setObjectName(QStringLiteral("trayCheck"));
    trayCheck->setStatusTip(QStringLiteral("Fungerer straks"));
    trayCheck->setChecked(true);
    minimerCheck = new QCheckBox(QStringLiteral("Minimer ved opstart"), this);
    minimerCheck->setObjectName(QStringLiteral("minimerCheck"));
    minimerCheck->setStatusTip(QStringLiteral("Fungerer ved næste programopstart"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(trayCheck);
    layout->addWidget(minimerCheck);
    layout->addStretch(1);
}

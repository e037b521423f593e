#pragma once

#include <QDialog>

class QCheckBox;

// The options dialog "Egenskaber". Not modal; closing it only hides it.
class Toptform : public QDialog {
    Q_OBJECT

public:
    explicit Toptform(QWidget *mainWindow);

    QCheckBox *trayCheck = nullptr;
    QCheckBox *minimerCheck = nullptr;
};

extern Toptform *optform;

#pragma once

#include <QDialog>

// The print settings dialog: margins and copies.
class Tprintform : public QDialog {
    Q_OBJECT

public:
    explicit Tprintform(QWidget *mainWindow);
};

extern Tprintform *printform;

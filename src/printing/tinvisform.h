#pragma once

#include "dialogs/formslot.h"

#include <QWidget>

class QTextEdit;

// Never shown: holds the scratch editor in which printouts are composed.
class Tinvisform : public QWidget {
    Q_OBJECT

public:
    explicit Tinvisform(QWidget *parent = nullptr);

    QTextEdit *memo = nullptr;
};

extern FormSlot<Tinvisform> invisform;

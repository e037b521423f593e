#pragma once

#include "formslot.h"
#include "messagedialog.h"

class QPushButton;

// The information message: a text and an "OK" button.
class Tinfform : public MessageDialog
{
    Q_OBJECT

public:
    explicit Tinfform(QWidget *mainWindow);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPushButton *m_ok;
};

extern FormSlot<Tinfform> infform;

#pragma once

#include "formslot.h"
#include "messagedialog.h"

class QPushButton;

// The yes/no question. Esc answers "Nej"; Enter answers with the button that has the focus,
// which is "Ja" at first and afterwards wherever the focus was when the dialog last closed.
class Tspform : public MessageDialog
{
    Q_OBJECT

public:
    explicit Tspform(QWidget *mainWindow);

protected:
    void escapePressed() override;

private:
    QPushButton *m_nej;
};

extern FormSlot<Tspform> spform;

#pragma once

#include "formslot.h"
#include "modaldialog.h"

#include <memory>

class QLineEdit;
namespace Ui {
class Tredigeringsform;
}

// The rename dialog: the current text, read-only, above the field for the new text. It neither
// trims nor checks the new text; Enter in the field and Esc do nothing.
class Tredigeringsform : public ModalDialog
{
    Q_OBJECT

public:
    explicit Tredigeringsform(QWidget *mainWindow);
    ~Tredigeringsform() override;

    QLineEdit *oldEdit() const;
    QLineEdit *newEdit() const;

private:
    std::unique_ptr<Ui::Tredigeringsform> m_ui;
};

extern FormSlot<Tredigeringsform> redigeringsform;

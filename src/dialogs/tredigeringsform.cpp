#include "tredigeringsform.h"

#include "glyphs.h"
#include "ui_tredigeringsform.h"

FormSlot<Tredigeringsform> redigeringsform;

Tredigeringsform::Tredigeringsform(QWidget *mainWindow)
    : ModalDialog(mainWindow)
    , m_ui(std::make_unique<Ui::Tredigeringsform>())
{
    m_ui->setupUi(this);
    setFixedSize(280, 160);
    setWindowIcon(Glyphs::pen());
    connect(m_ui->Button1, &QPushButton::clicked, this, &Tredigeringsform::reject);
    connect(m_ui->Button2, &QPushButton::clicked, this, &Tredigeringsform::accept);
    setInitialFocus(m_ui->newEdit);
}

Tredigeringsform::~Tredigeringsform() = default;

QLineEdit *Tredigeringsform::oldEdit() const
{
    return m_ui->oldEdit;
}

QLineEdit *Tredigeringsform::newEdit() const
{
    return m_ui->newEdit;
}

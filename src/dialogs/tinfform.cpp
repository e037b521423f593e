#include "tinfform.h"

#include "glyphs.h"

#include <QPushButton>

Tinfform *infform = nullptr;

namespace {
constexpr int buttonInset = 16 + 100; // the symbol, then the gap to the button
}

Tinfform::Tinfform(QWidget *mainWindow)
    : MessageDialog(mainWindow, QStringLiteral("Label1"), 8, 54, 10, Glyphs::informationSymbol())
    , m_ok(new QPushButton(Glyphs::checkMark(), QStringLiteral("OK"), panel()))
{
    setWindowTitle(QStringLiteral("Information"));
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setCursor(Qt::PointingHandCursor);
    m_ok->setAutoDefault(false);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &Tinfform::accept);
    setInitialFocus(m_ok);
}

Tinfform::~Tinfform()
{
    if (infform == this)
        infform = nullptr;
}

void Tinfform::resizeEvent(QResizeEvent *event)
{
    MessageDialog::resizeEvent(event);
    m_ok->setGeometry(buttonInset, 3, panel()->width() - 2 * buttonInset, 25);
}

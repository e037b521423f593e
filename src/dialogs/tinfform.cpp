#include "tinfform.h"

#include "glyphs.h"

#include <QPushButton>

FormSlot<Tinfform> infform;

namespace {
constexpr int buttonWidth = 79;
constexpr int buttonHeight = 25;
} // namespace

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

void Tinfform::resizeEvent(QResizeEvent *event)
{
    MessageDialog::resizeEvent(event);
    // Centred between the two symbols, whatever the frame makes of the width.
    m_ok->setGeometry((panel()->width() - buttonWidth) / 2, 3, buttonWidth, buttonHeight);
}

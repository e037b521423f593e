#include "tspform.h"

#include "glyphs.h"

#include <QPushButton>

FormSlot<Tspform> spform;

namespace {

QPushButton *answerButton(QWidget *panel, const QString &name, const QString &caption,
                          const QIcon &glyph, int left)
{
    auto *button = new QPushButton(glyph, caption, panel);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    button->setGeometry(left, 3, 75, 25);
    return button;
}

} // namespace

Tspform::Tspform(QWidget *mainWindow)
    : MessageDialog(mainWindow, QStringLiteral("textLabel"), 3, 75, 8, Glyphs::questionSymbol())
{
    setWindowTitle(QStringLiteral("Spørgsmål"));
    m_nej = answerButton(panel(), QStringLiteral("annullerButton"), QStringLiteral("Nej"),
                         Glyphs::cross(), 16 + 56);
    QPushButton *ja = answerButton(panel(), QStringLiteral("BitBtn1"), QStringLiteral("Ja"),
                                   Glyphs::checkMark(), 16 + 56 + 75 + 6);
    setTabOrder(ja, m_nej);
    connect(m_nej, &QPushButton::clicked, this, &Tspform::reject);
    connect(ja, &QPushButton::clicked, this, &Tspform::accept);
    setInitialFocus(ja);
}

void Tspform::escapePressed()
{
    m_nej->click();
}

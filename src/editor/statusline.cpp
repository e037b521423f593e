#include "editor/statusline.h"

#include <QHBoxLayout>
#include <QLabel>

StatusLine::StatusLine(QWidget *parent)
    : QFrame(parent)
{
    struct Panel {
        int width;
        Qt::Alignment alignment;
        QString text;
    };
    const Panel panels[panelCount] = {
        {40, Qt::AlignLeft, QStringLiteral("Linier")}, {40, Qt::AlignCenter, {}},
        {40, Qt::AlignLeft, QStringLiteral("Pos")},    {40, Qt::AlignCenter, {}},
        {40, Qt::AlignLeft, QStringLiteral("Farve")},  {120, Qt::AlignLeft, {}},
        {0, Qt::AlignLeft, {}},
    };
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < panelCount; ++i) {
        auto *label = new QLabel(panels[i].text, this);
        label->setObjectName(QStringLiteral("InfoPanel%1").arg(i + 1));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(panels[i].alignment | Qt::AlignVCenter);
        if (panels[i].width > 0)
            label->setFixedWidth(panels[i].width);
        layout->addWidget(label, panels[i].width > 0 ? 0 : 1);
        m_panels[i] = label;
    }
    setMinimumHeight(19);
    setMaximumHeight(30);
}

QString StatusLine::panelText(int panel) const
{
    return (panel >= 1 && panel <= panelCount) ? m_panels[panel - 1]->text() : QString();
}

void StatusLine::setPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= panelCount)
        m_panels[panel - 1]->setText(text);
    if (panel == caretPanel)
        emit caretPositionShown();
}

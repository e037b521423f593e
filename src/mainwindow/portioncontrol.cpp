#include "mainwindow/portioncontrol.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxServings = 999;

struct Factor {
    const char16_t *text;
    double value;
    const char16_t *scaledFor;
};
constexpr Factor kFactors[] = {
    {u"½×", 0.5, u"Halv opskrift"},
    {u"1×", 1.0, u""},
    {u"2×", 2.0, u"Dobbelt opskrift"},
    {u"3×", 3.0, u"Tredobbelt opskrift"},
};
constexpr int kOneTimes = 1;

QSpinBox *smallSpinBox(QWidget *parent, const char *name, int minimum)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, kMaxServings);
    box->setAlignment(Qt::AlignRight);
    box->setKeyboardTracking(false); // "12" typed is one change, not "1" and then "12"
    return box;
}

} // namespace

PortionControl::PortionControl(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("portionPanel"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 3);
    layout->setSpacing(4);
    auto *label = new QLabel(QStringLiteral("Portioner:"), this);
    antalBox = smallSpinBox(this, "antalBox", 0);
    antalBox->setSpecialValueText(QStringLiteral("–"));
    antalBox->setAccessibleName(QStringLiteral("Portioner i opskriften"));
    antalBox->setStatusTip(QStringLiteral("Antal portioner, opskriften er til; skriv det, hvis beskrivelsen ikke nævner det"));
    label->setBuddy(antalBox);
    m_arrow = new QLabel(QStringLiteral("→"), this);
    oenskeBox = smallSpinBox(this, "oenskeBox", 1);
    oenskeBox->setAccessibleName(QStringLiteral("Portioner ønsket"));
    oenskeBox->setStatusTip(QStringLiteral("Viser ingredienserne til dette antal portioner; intet gemmes"));
    faktorBox = new QComboBox(this);
    faktorBox->setObjectName(QStringLiteral("faktorBox"));
    faktorBox->setAccessibleName(QStringLiteral("Gang opskriften med"));
    faktorBox->setStatusTip(QStringLiteral("Viser ingredienserne ganget op eller ned; intet gemmes"));
    for (const Factor &f : kFactors)
        faktorBox->addItem(QString::fromUtf16(f.text), f.value);
    faktorBox->setCurrentIndex(kOneTimes);
    layout->addWidget(label);
    layout->addWidget(antalBox);
    layout->addWidget(m_arrow);
    layout->addWidget(oenskeBox);
    layout->addWidget(faktorBox);
    layout->addStretch(1);

    const auto announce = [this] {
        if (factor() != m_lastFactor) {
            m_lastFactor = factor();
            emit factorChanged();
        }
    };
    connect(oenskeBox, qOverload<int>(&QSpinBox::valueChanged), this, announce);
    connect(faktorBox, qOverload<int>(&QComboBox::currentIndexChanged), this, announce);
    connect(antalBox, qOverload<int>(&QSpinBox::valueChanged), this, [this, announce](int servings) {
        {
            // From "–" the factor chosen carries over to the number; otherwise the number wanted stays.
            const QSignalBlocker block(oenskeBox);
            if (oenskeBox->isHidden() && servings > 0)
                oenskeBox->setValue(std::max(1, int(std::lround(servings * faktorBox->currentData().toDouble()))));
        }
        showKind();
        emit servingsTyped(servings);
        announce();
    });
    reset(0);
}

void PortionControl::reset(int servings)
{
    const QSignalBlocker blockAntal(antalBox);
    const QSignalBlocker blockOenske(oenskeBox);
    const QSignalBlocker blockFaktor(faktorBox);
    antalBox->setValue(std::clamp(servings, 0, kMaxServings));
    oenskeBox->setValue(std::max(1, antalBox->value()));
    faktorBox->setCurrentIndex(kOneTimes);
    m_lastFactor = 1.0;
    showKind();
}

void PortionControl::showKind()
{
    const bool known = antalBox->value() > 0;
    oenskeBox->setVisible(known);
    faktorBox->setVisible(!known);
}

int PortionControl::servings() const
{
    return antalBox->value();
}

int PortionControl::wanted() const
{
    return servings() > 0 ? oenskeBox->value() : 0;
}

double PortionControl::factor() const
{
    if (servings() > 0)
        return double(oenskeBox->value()) / servings();
    return faktorBox->currentData().toDouble();
}

QString PortionControl::scaledFor() const
{
    if (factor() == 1.0)
        return {};
    if (servings() > 0)
        return wanted() == 1 ? QStringLiteral("Til 1 person") : QStringLiteral("Til %1 personer").arg(wanted());
    return QString::fromUtf16(kFactors[faktorBox->currentIndex()].scaledFor);
}

// Portions: the ingredient list shown for another number of servings, in read mode only.
#include "mainwindow/tmainform.h"

#include "dialogs/messages.h"
#include "ingredients/ingredientline.h"
#include "mainwindow/listbox.h"
#include "mainwindow/portioncontrol.h"

#include <QTextEdit>
#include <QVBoxLayout>

#include <cmath>

void Tmainform::connectPortions()
{
    portionPanel.setMaker([this] {
        auto *control = new PortionControl(rightPanel2);
        control->hide();
        // Between the caption and the list: the numbers belong to the list below them.
        static_cast<QVBoxLayout *>(rightPanel2->layout())->insertWidget(1, control);
        connect(control, &PortionControl::factorChanged, this, &Tmainform::scaleIngredients);
        connect(control, &PortionControl::servingsTyped, this, [this](int servings) {
            if (!m_servings.keep(openRecipeKey(), servings))
                Messages::information(QStringLiteral("Antallet af portioner kan ikke gemmes i indstillingerne.\r"
                                                     "Det huskes, til programmet lukkes."));
        });
        return control;
    });
    // A list read anew (someone else changed it) is shown as the control says.
    connect(ingrediensBox->model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (portionPanel.existing())
            scaleIngredients();
    });
}

// The number the user gave wins over the description's: it was given because the text has none,
// or says something else.
int Tmainform::recipeServings() const
{
    if (const std::optional<int> kept = m_servings.find(openRecipeKey()))
        return *kept;
    const std::optional<double> read = ingredients::servingsFrom(Editor->toPlainText());
    return read && *read >= 1 && *read <= 999 ? int(std::lround(*read)) : 0;
}

void Tmainform::showPortions()
{
    const bool reading = programMode == 0 && opskriftIndex >= 0 && ingrediensBox->count() > 0;
    PortionControl *control = reading ? portionPanel.get() : portionPanel.existing();
    if (!control)
        return;
    control->reset(reading ? recipeServings() : 0);
    control->setVisible(reading);
    scaleIngredients();
}

void Tmainform::scaleIngredients()
{
    const PortionControl *control = portionPanel.existing();
    const double factor = control && !control->isHidden() ? control->factor() : 1.0;
    for (int i = 0; i < ingrediensBox->count(); ++i)
        ingrediensBox->showAs(i, factor == 1.0 ? QString() : ingredients::scaledLine(ingrediensBox->entry(i), factor));
}

QString Tmainform::scaledFor() const
{
    const PortionControl *control = portionPanel.existing();
    return control && !control->isHidden() ? control->scaledFor() : QString();
}

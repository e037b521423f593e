// The second page: the recipe as it will be saved, and "Indfør".
#include "hentdialog/thentform.h"

#include "ingredients/ingredientline.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "webimport/description.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextDocument>
#include <QTextEdit>

QWidget *Thentform::buildPreviewPage()
{
    auto *page = new QWidget(sider);
    auto *layout = new QGridLayout(page);

    auto *navnLabel = new QLabel(QStringLiteral("&Navn:"), page);
    navnEdit = new QLineEdit(page);
    navnEdit->setObjectName(QStringLiteral("navnEdit"));
    navnEdit->setStatusTip(QStringLiteral("Opskriften indføres under dette navn; ret det, hvis du vil"));
    navnLabel->setBuddy(navnEdit);
    navnFejl = new QLabel(page);
    navnFejl->setObjectName(QStringLiteral("navnFejl"));
    navnFejl->setStyleSheet(QStringLiteral("color: #b00000"));
    navnFejl->setTextFormat(Qt::PlainText);
    layout->addWidget(navnLabel, 0, 0);
    layout->addWidget(navnEdit, 0, 1);
    layout->addWidget(navnFejl, 1, 1);

    // Side by side, so the steps show beside the list and under the picture.
    auto *ingredienserLabel = new QLabel(QStringLiteral("&Ingredienser"), page);
    ingrediensListe = new QListWidget(page);
    ingrediensListe->setObjectName(QStringLiteral("ingrediensListe"));
    ingrediensListe->setStatusTip(QStringLiteral("Ingredienslinjerne, som de indføres"));
    ingredienserLabel->setBuddy(ingrediensListe);
    ingrediensListe->setAccessibleName(QStringLiteral("Ingredienser")); // a list view reads no buddy label
    auto *beskrivelseLabel = new QLabel(QStringLiteral("&Beskrivelse"), page);
    beskrivelseView = new QTextEdit(page);
    beskrivelseView->setObjectName(QStringLiteral("beskrivelseView"));
    beskrivelseView->setReadOnly(true);
    beskrivelseView->setStatusTip(QStringLiteral("Beskrivelsen, som den gemmes"));
    beskrivelseLabel->setBuddy(beskrivelseView);
    auto *parts = new QGridLayout;
    parts->addWidget(ingredienserLabel, 0, 0);
    parts->addWidget(ingrediensListe, 1, 0);
    parts->addWidget(beskrivelseLabel, 0, 1);
    parts->addWidget(beskrivelseView, 1, 1);
    parts->setColumnStretch(0, 2);
    parts->setColumnStretch(1, 3);
    layout->addLayout(parts, 2, 0, 1, 2);
    layout->setRowStretch(2, 1);

    noteLabel = new QLabel(page);
    noteLabel->setObjectName(QStringLiteral("noteLabel"));
    noteLabel->setWordWrap(true);
    noteLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(noteLabel, 3, 0, 1, 2);

    tilbageButton = new QPushButton(QStringLiteral("&Tilbage"), page);
    tilbageButton->setObjectName(QStringLiteral("tilbageButton"));
    tilbageButton->setStatusTip(QStringLiteral("Tilbage til adressen uden at indføre opskriften"));
    tilbageButton->setAutoDefault(false);
    indfoerButton = new QPushButton(QStringLiteral("Indfør"), page);
    indfoerButton->setObjectName(QStringLiteral("indfoerButton"));
    indfoerButton->setStatusTip(QStringLiteral("Indfører opskriften i den valgte underkategori og åbner den"));
    indfoerButton->setAutoDefault(false);
    annullerButton2 = new QPushButton(QStringLiteral("Annuller"), page);
    annullerButton2->setObjectName(QStringLiteral("annullerButton2"));
    annullerButton2->setStatusTip(QStringLiteral("Lukker vinduet uden at indføre opskriften"));
    annullerButton2->setAutoDefault(false);
    omregnCheck = new QCheckBox(QStringLiteral("&Omregn til danske mål"), page);
    omregnCheck->setObjectName(QStringLiteral("omregnCheck"));
    omregnCheck->setStatusTip(QStringLiteral("Cups, ounces og pounds bliver til dl og g, °F til °C"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(tilbageButton);
    buttons->addSpacing(12);
    buttons->addWidget(omregnCheck);
    buttons->addStretch(1);
    buttons->addWidget(indfoerButton);
    buttons->addWidget(annullerButton2);
    layout->addLayout(buttons, 4, 0, 1, 2);

    connect(navnEdit, &QLineEdit::textChanged, this, &Thentform::checkName);
    connect(tilbageButton, &QPushButton::clicked, this, [this] {
        sider->setCurrentIndex(0);
        hentButton->setDefault(true);
        adresseEdit->setFocus();
    });
    connect(omregnCheck, &QCheckBox::toggled, this, &Thentform::showRecipe);
    connect(indfoerButton, &QPushButton::clicked, this, &Thentform::indfoer);
    connect(annullerButton2, &QPushButton::clicked, this, &Thentform::reject);
    return page;
}

void Thentform::showPreview(const webimport::LoadResult &result)
{
    m_loaded = result;
    const webimport::Recipe &recipe = result.read.recipe;
    navnEdit->setText(webimport::usableName(recipe.name));
    checkName();
    {
        const QSignalBlocker quiet(omregnCheck);
        omregnCheck->setChecked(ingredients::usesAmericanMeasures(recipe.ingredients));
    }
    showRecipe();

    QStringList notes;
    if (result.read.capped)
        notes << QStringLiteral("Opskriften har flere linjer, end der kan indføres; resten er udeladt.");
    if (!result.pictureError.isEmpty())
        notes << result.pictureError;
    noteLabel->setText(notes.join(u'\n'));
    noteLabel->setVisible(!notes.isEmpty());
    sider->setCurrentIndex(1);
    resize(std::max(width(), 940), std::max(height(), 620)); // room for the picture and the steps
    indfoerButton->setDefault(true);
    navnEdit->setFocus();
}

webimport::LoadResult Thentform::toSave() const
{
    if (!omregnCheck->isChecked())
        return m_loaded;
    webimport::LoadResult danish = m_loaded;
    webimport::Recipe &recipe = danish.read.recipe;
    for (QString &line : recipe.ingredients)
        line = ingredients::danishMeasuresLine(line);
    recipe.description = ingredients::danishTemperatures(recipe.description);
    for (webimport::Step &step : recipe.steps) {
        step.section = ingredients::danishTemperatures(step.section);
        step.text = ingredients::danishTemperatures(step.text);
    }
    danish.descriptionRtf = rtf::write(*webimport::descriptionDocument(recipe, danish.picture));
    return danish;
}

void Thentform::showRecipe()
{
    const webimport::LoadResult shown = toSave();
    ingrediensListe->clear();
    ingrediensListe->addItems(shown.read.recipe.ingredients);
    // Read back from the recipe's file as it will be written: what is seen here is what is saved.
    rtf::read(shown.descriptionRtf, beskrivelseView->document());
    beskrivelseView->moveCursor(QTextCursor::Start); // from the top, picture first
}

void Thentform::checkName()
{
    const QString problem = m_target.nameProblem ? m_target.nameProblem(navnEdit->text()) : QString();
    navnFejl->setText(problem);
    navnFejl->setVisible(!problem.isEmpty());
}

void Thentform::indfoer()
{
    if (sider->currentIndex() != 1 || !m_target.insert)
        return;
    if (m_target.insert(navnEdit->text(), toSave()))
        accept();
    else
        checkName(); // the list on disk may have changed under it
}

// Walking the store through the four lists, the area switch and the mode switch.
#include "mainwindow/tmainform.h"

#include "editor/descriptionedit.h"
#include "editor/fontpanel.h"
#include "editor/standinfaces.h"
#include "editor/statusline.h"
#include "dialogs/besidewindow.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "rtf/rtffile.h"
#include "store/changerecord.h"
#include "store/fileerror.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QToolBar>
#include <QToolButton>

using store::StorePaths;

namespace {

// From this size a description is read beside the window.
constexpr qint64 kReadBesideBytes = 256 * 1024;

} // namespace

void Tmainform::connectNavigation()
{
    connect(hovedKatBox, &ListBox::userSelected, this, [this] { guardedCommand([this] { hovedKatBoxClick(); }); });
    connect(underKatBox, &ListBox::userSelected, this, [this] { guardedCommand([this] { underKatBoxClick(); }); });
    connect(opskriftBox, &ListBox::userSelected, this, [this] { guardedCommand([this] { opskriftBoxClick(); }); });
    connect(ingrediensBox, &ListBox::userSelected, this, [this] { guardedCommand([this] { ingrediensBoxClick(); }); });
    // Only a change of the choice counts: clicking the button already checked does nothing.
    connect(opstartGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            guardedCommand([this, id] { opstartValgClick(id); });
    });
    connect(modeGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            guardedCommand([this, id] { modeValgClick(id); });
    });
    connect(aInformation, &QAction::triggered, this, [this] { guardedCommand([this] { aInformationExecute(); }); });
    connect(aProgSizes, &QAction::triggered, this, [this] { guardedCommand([this] { aProgSizesExecute(); }); });
    connect(optButton, &QToolButton::clicked, this, [this] { guardedCommand([this] { optButtonClick(); }); });
}

void Tmainform::loadList(ListBox *box, const QString &path)
{
    if (!path.isEmpty() && m_area.exists(path))
        store::throwIfFailed(box->loadFile(m_area, path));
}

void Tmainform::clearElementer(int No)
{
    opskriftLabel->setText(QStringLiteral("Opskrift"));
    for (int level = No; level <= 3; ++level)
        m_chosenInodes[level - 1] = 0;
    if (No < 4) {
        // Leaving a changed description asks nothing; its text is kept as a draft.
        keepDraft();
        m_orphaned = false;
        ingrediensIndex = -1;
        opskriftIndex = -1;
        ingrediensBox->clearEntries();
        ingrediensEdit->clear();
        Editor->clear();
        Editor->document()->setModified(false);
        showPortions(); // back to 1x, and away until a recipe is read
    }
    if (No < 3) {
        underIndex = -1;
        opskriftBox->clearEntries();
        opskriftEdit->clear();
    }
    if (No < 2) {
        hovedIndex = -1;
        underKatBox->clearEntries();
        underKatEdit->clear();
    }
}

void Tmainform::setValues(int No)
{
    if (No < 4) {
        filnavn.clear();
        fillistenavn.clear();
    }
    if (No < 3) {
        opskriftDir.clear();
        opskriftFile.clear();
    }
    if (No < 2) {
        underDir.clear();
        underFile.clear();
    }
}

// Every click handler also clears the paths below its level: a path left from an earlier
// selection would let "Gem" write an emptied editor over that recipe's description. An entry
// that can't name a folder or file (read from a list someone else wrote) gets no path at all,
// so nothing below it is read, written or deleted.
void Tmainform::chooseCategory(int level)
{
    const LevelParts parts = levelParts(level);
    clearElementer(level);
    setValues(level);
    *parts.index = parts.box->selectedIndex();
    if (*parts.index < 0)
        return;
    const QString entry = parts.box->selectedText();
    parts.edit->setText(entry);
    QString &folder = level == 1 ? underDir : opskriftDir;
    QString &indexFile = level == 1 ? underFile : opskriftFile;
    folder = StorePaths::subFolder(m_area, level == 1 ? dir : underDir, entry);
    indexFile = StorePaths::indexFile(folder);
    rememberChosen(level);
    loadList(level == 1 ? underKatBox : opskriftBox, indexFile);
}

void Tmainform::hovedKatBoxClick()
{
    chooseCategory(1);
}

void Tmainform::underKatBoxClick()
{
    chooseCategory(2);
}

void Tmainform::opskriftBoxClick()
{
    clearElementer(3);
    setValues(3);
    opskriftIndex = opskriftBox->selectedIndex();
    if (opskriftIndex < 0)
        return;
    const QString name = opskriftBox->selectedText();
    opskriftLabel->setText(hovedKatBox->entry(hovedIndex) + u" | " + underKatBox->entry(underIndex)
                           + u" | " + name);
    opskriftEdit->setText(name);
    filnavn = StorePaths::descriptionFile(m_area, opskriftDir, name);
    fillistenavn = StorePaths::ingredientFile(m_area, opskriftDir, name);
    loadList(ingrediensBox, fillistenavn);
    loadDescription();
    rememberChosen(3);
    offerDraft();
    showPortions();
}

// What was loaded is remembered, so that a save can tell whether someone else has written the
// description since.
void Tmainform::loadDescription()
{
    m_descriptionStamp = m_area.stamp(filnavn);
    if (filnavn.isEmpty() || !m_area.exists(filnavn))
        return;
    // The faces the description names are looked up as it is laid out: the stand-ins must be in,
    // also after fontconfig has reloaded its configuration.
    standinfaces::addRules();
    DescriptionEdit *edit = descriptionEdit();
    store::FileResult loaded;
    if (m_descriptionStamp.size < kReadBesideBytes) {
        edit->beginReplacingText();
        loaded = rtf::loadFile(m_area, filnavn, Editor->document());
        edit->endReplacingText();
    } else {
        // A long description is read into a document of its own beside the window, which goes
        // on painting, and then takes the editor's document's place.
        QTextDocument *fresh = edit->newDocumentLikeThis();
        QThread *window = thread();
        m_loadingDescription = true;
        fresh->moveToThread(nullptr); // for the reader's thread to take it as its own
        runBesideWindow([&] {
            fresh->moveToThread(QThread::currentThread());
            loaded = rtf::loadFile(m_area, filnavn, fresh);
            fresh->moveToThread(window);
        });
        m_loadingDescription = false;
        if (loaded)
            edit->adoptDocument(fresh);
        else
            delete fresh;
    }
    store::throwIfFailed(loaded);
    XYinfo();
}

void Tmainform::ingrediensBoxClick()
{
    ingrediensIndex = ingrediensBox->selectedIndex();
    ingrediensEdit->setText(ingrediensIndex >= 0 ? ingrediensBox->selectedText() : QString());
}

void Tmainform::setDir(bool)
{
    keepDraft(); // under the area it was typed in
    if (!m_privateUsable) {
        brugerOpstart = 0;
        const QSignalBlocker blocker(opstartGroup);
        opstartGroup->button(0)->setChecked(true);
        opstartGroup->button(1)->setEnabled(false);
    }
    dir = m_paths.areaFolder(brugerOpstart != 0, brugernavn);
    m_area = m_paths.areaTree(brugerOpstart != 0, brugernavn);
    hovedFile = StorePaths::mainCategoryFile(dir);
    clearElementer(1);
    // A change that a crash cut off is finished before anything of the area is shown.
    store::repairIfInterrupted(m_area);
    setValues(1);
    hovedKatEdit->clear();
    hovedKatBox->clearEntries();
    loadList(hovedKatBox, hovedFile);
    setWindowTitle(brugerOpstart == 0 ? QStringLiteral("Retterum for alle")
                                      : brugernavn + u": Retterum");
}

void Tmainform::opstartValgClick(int index)
{
    brugerOpstart = index;
    setDir(true);
}

void Tmainform::setProgramMode(int aModeNumber)
{
    programMode = aModeNumber;
    const bool write = aModeNumber != 0;
    // Reading never makes the font panel and the tool bar; writing makes them the first time.
    QWidget *fonts = write ? fontPanel.get() : fontPanel.existing();
    QWidget *tools = write ? toolPanel.get() : toolPanel.existing();
    for (QWidget *panel : {newHovedKatPanel, newUnderKatPanel, newOpskriftPanel,
                           newIngrediensPanel, fonts, tools}) {
        if (panel)
            panel->setVisible(write);
    }
    if (aHent)
        aHent->setVisible(write);
    // The list shows the lines as written while they can be changed.
    ingrediensBox->setContextMenuPolicy(write ? Qt::ActionsContextMenu : Qt::PreventContextMenu);
    showPortions();
}

void Tmainform::modeValgClick(int index)
{
    setProgramMode(index);
}

// Inserting, renaming and deleting entries at the four levels, and saving and reloading the
// description. The store does the work; this file decides what the user is told.
#include "mainwindow/tmainform.h"

#include "dialogs/messages.h"
#include "editor/fontpanel.h"
#include "editor/statusline.h"
#include "mainwindow/generalerrorreport.h"
#include "dialogs/besidewindow.h"
#include "mainwindow/listbox.h"
#include "mainwindow/storemessages.h"
#include "rtf/rtffile.h"
#include "rtf/rtfwriter.h"
#include "store/entryname.h"
#include "store/listchange.h"
#include "store/fileerror.h"

#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>

#include <utility>

using store::StorePaths;

namespace {

const QString kUnknownError = QStringLiteral("Der opstod en ukendt fejl.\rMåske er mappen i brug.");
const QString kBusy = QStringLiteral("Opskrifterne bliver ændret af en anden lige nu.\rPrøv igen om et øjeblik.");
const QString kChangedByOthers =
    QStringLiteral("Opskriften er ændret af en anden, siden du åbnede den.\rVil du overskrive den?");
const QString kGone = QStringLiteral("Navnet er ændret eller slettet af en anden i mellemtiden.");
const QString kIncomplete =
    QStringLiteral("Ikke alt kunne slettes.\rNoget af det er i brug eller tilhører en anden bruger.");

struct LevelTexts {
    QString missingName;
    QString duplicate;
    QString questionStart;
    QString questionEnd;
};

const LevelTexts &levelTexts(int level)
{
    static const LevelTexts texts[4] = {
        {QStringLiteral("Der mangler et navn på den nye hovedkategori!"),
         QStringLiteral("Navnet eksisterer i forvejen!"), QStringLiteral("Skal hovedkategorien "),
         QStringLiteral("slettes med alle tilhørende underkategorier samt opskrifter?")},
        {QStringLiteral("Der mangler et navn på den nye underkategori!"),
         QStringLiteral("Navnet eksisterer i forvejen!"), QStringLiteral("Skal underkategorien "),
         QStringLiteral("slettes med alle tilhørende opskrifter?")},
        {QStringLiteral("Der mangler et navn på den nye opskrift!"),
         QStringLiteral("Navnet eksisterer i forvejen!"), QStringLiteral("Skal opskriften "),
         QStringLiteral("slettes totalt?")},
        {QStringLiteral("Der mangler en ingrediens beskrivelse!"),
         QStringLiteral("Ingrediensen er indført i forvejen!"), {}, {}},
    };
    return texts[level - 1];
}

} // namespace

QString refusalText(int level, store::NameRefusal refusal)
{
    switch (refusal) {
    case store::NameRefusal::Empty:
        return levelTexts(level).missingName;
    case store::NameRefusal::Duplicate:
        return levelTexts(level).duplicate;
    case store::NameRefusal::Unusable:
        return QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!");
    case store::NameRefusal::Reserved:
        return QStringLiteral("Navnet er reserveret til programmets indstillinger!");
    case store::NameRefusal::None:
        break;
    }
    return {};
}

QString unknownErrorText()
{
    return kUnknownError;
}

// The lock could not be had: says why, and whether the change was stopped by it.
bool toldNotStarted(const store::ChangeResult &result, bool shared)
{
    switch (result.outcome) {
    case store::ChangeOutcome::Busy:
        Messages::information(kBusy);
        return true;
    case store::ChangeOutcome::NotAllowed:
        Messages::information(shared ? QStringLiteral("Du har ikke lov til at ændre opskrifterne for alle.")
                                     : QStringLiteral("Du har ikke lov til at ændre dine private opskrifter."));
        return true;
    case store::ChangeOutcome::LockBlocked:
        Messages::information(QStringLiteral("Der ligger en mappe, hvor programmets låsefil skal være:\r%1\r"
                                             "Fjern mappen, så opskrifterne kan ændres igen.")
                                  .arg(result.blocker));
        return true;
    default:
        return false;
    }
}

void Tmainform::connectStoreOperations()
{
    const std::pair<QAction *, void (Tmainform::*)()> handlers[] = {
        {AinsertHovedKat, &Tmainform::AinsertHovedKatExecute},
        {AinsertUnderKat, &Tmainform::AinsertUnderKatExecute},
        {AinsertOpskrift, &Tmainform::AinsertOpskriftExecute},
        {AinsertIngrediens, &Tmainform::AinsertIngrediensExecute},
        {AsletHovedKat, &Tmainform::AsletHovedKatExecute},
        {AsletUnderKat, &Tmainform::AsletUnderKatExecute},
        {AsletOpskrift, &Tmainform::AsletOpskriftExecute},
        {AsletIngrediens, &Tmainform::AsletIngrediensExecute},
        {AredigerHovedKat, &Tmainform::AredigerHovedKatExecute},
        {AredigerUnderKat, &Tmainform::AredigerUnderKatExecute},
        {AredigerOpskrift, &Tmainform::AredigerOpskriftExecute},
        {AredigerIngrediens, &Tmainform::AredigerIngrediensExecute},
        {AgemBeskrivelse, &Tmainform::AgemBeskrivelseExecute},
        {Areload, &Tmainform::AreloadExecute},
    };
    for (const auto &[action, handler] : handlers) {
        connect(action, &QAction::triggered, this, [this, handler = handler] {
            guardedCommand([this, handler] { (this->*handler)(); });
        });
    }
    for (QLineEdit *edit : {hovedKatEdit, underKatEdit, opskriftEdit, ingrediensEdit})
        edit->installEventFilter(this);
}

Tmainform::LevelParts Tmainform::levelParts(int level)
{
    switch (level) {
    case 1:
        return {hovedKatBox, hovedKatEdit, &hovedIndex, hovedFile, AinsertHovedKat};
    case 2:
        return {underKatBox, underKatEdit, &underIndex, underFile, AinsertUnderKat};
    case 3:
        return {opskriftBox, opskriftEdit, &opskriftIndex, opskriftFile, AinsertOpskrift};
    default:
        return {ingrediensBox, ingrediensEdit, &ingrediensIndex, fillistenavn, AinsertIngrediens};
    }
}

store::ListChange Tmainform::listChange(int level)
{
    const LevelParts parts = levelParts(level);
    const QString folders[] = {dir, underDir, opskriftDir, QString()};
    return store::ListChange(m_area, {level, parts.listFile, folders[level - 1]});
}

// After a change the list shows what its file holds, others' changes included.
void Tmainform::showList(int level, const store::ChangeResult &result)
{
    const LevelParts parts = levelParts(level);
    if (result.listKnown)
        parts.box->setList(result.list);
    else
        parts.box->clearEntries();
    *parts.index = -1;
}

void Tmainform::insertExecute(int level)
{
    insertEntry(level, levelParts(level).edit->text());
}

bool Tmainform::insertEntry(int level, const QString &text)
{
    const LevelParts parts = levelParts(level);
    // The field is tested first: an empty one says so without touching the store.
    if (text.isEmpty()) {
        Messages::information(refusalText(level, store::NameRefusal::Empty));
        return false;
    }
    const store::ChangeResult result = listChange(level).insert(text);
    noteOwnChange();
    if (toldNotStarted(result, m_area.isShared()))
        return false;
    showList(level, result);
    switch (result.outcome) {
    case store::ChangeOutcome::Done:
        parts.edit->clear();
        return true;
    case store::ChangeOutcome::Refused:
        Messages::information(refusalText(level, result.refusal));
        if (result.refusal == store::NameRefusal::Duplicate)
            parts.edit->clear();
        return false;
    default:
        break;
    }
    Messages::information(kUnknownError);
    return false;
}

void Tmainform::sletExecute(int level)
{
    const LevelParts parts = levelParts(level);
    const int index = *parts.index;
    const QString name = parts.box->entry(index);
    if (level < 4) {
        const LevelTexts &texts = levelTexts(level);
        if (!Messages::question(texts.questionStart + u'"' + name + u'"' + u'\r' + texts.questionEnd))
            return;
    }
    const store::ChangeResult result = listChange(level).remove(name, index);
    noteOwnChange();
    if (toldNotStarted(result, m_area.isShared()))
        return;
    showList(level, result);
    if (level == 4) {
        ingrediensEdit->clear();
        // Deleting a line has no guard of its own: a failed write reaches the general report.
        if (result.outcome == store::ChangeOutcome::Failed)
            throw store::FileError(store::FileResult::writeFailed(parts.listFile).error);
        return;
    }
    // The level's field still shows the deleted name, ready to be inserted again.
    clearElementer(level);
    setValues(level);
    if (result.outcome == store::ChangeOutcome::Failed)
        Messages::information(kUnknownError);
    else if (result.outcome == store::ChangeOutcome::Incomplete)
        Messages::information(kIncomplete);
}

void Tmainform::redigerExecute(int level)
{
    const LevelParts parts = levelParts(level);
    const std::optional<QString> answer = Messages::rename(parts.edit->text());
    if (!answer)
        return;
    const int index = *parts.index;
    const QString oldName = parts.box->entry(index);
    const store::ChangeResult result = listChange(level).rename(oldName, index, *answer);
    noteOwnChange();
    if (toldNotStarted(result, m_area.isShared()))
        return;
    switch (result.outcome) {
    case store::ChangeOutcome::Refused:
        // Nothing has changed: the entry stays chosen.
        Messages::information(refusalText(level, result.refusal));
        return;
    case store::ChangeOutcome::Done:
        parts.edit->clear();
        break;
    case store::ChangeOutcome::Missing:
        Messages::information(kGone);
        break;
    default:
        Messages::information(kUnknownError);
        break;
    }
    const QString oldKey = level < 4 ? draftKeyOf(level, oldName) : QString();
    showList(level, result);
    if (level == 4) {
        ingrediensIndex = -1;
    } else {
        clearElementer(level); // keeps a draft under the old name, which then follows
        setValues(level);
        if (result.outcome == store::ChangeOutcome::Done)
            m_drafts.rename(oldKey, draftKeyOf(level, *answer));
    }
}

void Tmainform::editEnter(int level)
{
    const LevelParts parts = levelParts(level);
    if (level < 4) {
        clearElementer(level);
        setValues(level);
    } else {
        ingrediensIndex = -1;
    }
    parts.edit->clear();
    parts.box->clearChoice();
}

// Enter in an edit field runs the insertion when it is enabled at that moment.
void Tmainform::editKeyPress(int level)
{
    updateActions();
    if (levelParts(level).insertAction->isEnabled())
        insertExecute(level);
}

bool Tmainform::eventFilter(QObject *watched, QEvent *event)
{
    const QLineEdit *edits[4] = {hovedKatEdit, underKatEdit, opskriftEdit, ingrediensEdit};
    const auto it = std::find(std::begin(edits), std::end(edits), watched);
    if (it == std::end(edits))
        return QMainWindow::eventFilter(watched, event);
    const int level = int(it - std::begin(edits)) + 1;

    if (event->type() == QEvent::FocusIn) {
        // Only a move of the focus into the field starts a new entry, not the window getting
        // the focus back after a dialog.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            guardedCommand([this, level] { editEnter(level); });
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            guardedCommand([this, level] { editKeyPress(level); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tmainform::AgemBeskrivelseExecute()
{
    if (filnavn.isEmpty()) {
        Messages::information(refusalText(3, store::NameRefusal::Unusable));
        return;
    }
    if (m_orphaned && !saveOrphan())
        return;
    if (m_area.stamp(filnavn) != m_descriptionStamp && !Messages::question(kChangedByOthers))
        return;
    if (m_area.isWriteProtected(filnavn)
        && !Messages::question(QStringLiteral("Opskriften er skrivebeskyttet.\rVil du gemme alligevel?")))
        return;
    // Written and flushed to the disk beside the window: a long description takes a while.
    const QByteArray bytes = rtf::write(*Editor->document());
    store::FileResult written;
    runBesideWindow([&] { written = m_area.writeFile(filnavn, bytes); });
    store::throwIfFailed(written);
    Editor->document()->setModified(false);
    noteOwnChange();
    m_descriptionStamp = m_area.stamp(filnavn);
    m_drafts.drop(openRecipeKey());
}

void Tmainform::waitWithWindowAnswering()
{
    store::AreaLock::whileWaiting = &answerWhileWaiting;
}

void Tmainform::AreloadExecute()
{
    if (filnavn.isEmpty() || !m_area.exists(filnavn))
        return;
    loadDescription();
    showPortions();
}

void Tmainform::updateStoreActions()
{
    const auto filled = [](const QLineEdit *edit) { return !edit->text().isEmpty(); };
    AinsertHovedKat->setEnabled(hovedIndex == -1 && filled(hovedKatEdit));
    AinsertUnderKat->setEnabled(hovedIndex >= 0 && underIndex == -1 && filled(underKatEdit));
    AinsertOpskrift->setEnabled(underIndex >= 0 && opskriftIndex == -1 && filled(opskriftEdit));
    AinsertIngrediens->setEnabled(opskriftIndex >= 0 && ingrediensIndex == -1 && filled(ingrediensEdit));
    for (QAction *a : {AsletHovedKat, AredigerHovedKat})
        a->setEnabled(hovedIndex >= 0);
    for (QAction *a : {AsletUnderKat, AredigerUnderKat})
        a->setEnabled(underIndex >= 0);
    for (QAction *a : {AsletOpskrift, AredigerOpskrift})
        a->setEnabled(opskriftIndex >= 0);
    for (QAction *a : {AsletIngrediens, AredigerIngrediens})
        a->setEnabled(ingrediensIndex >= 0);

    const bool modified = Editor->document()->isModified();
    aHent->setEnabled(hentAllowed());
    AgemBeskrivelse->setEnabled(modified && !filnavn.isEmpty());
    Areload->setEnabled(modified && !filnavn.isEmpty());
    if (FontPanel *panel = fontPanel.existing())
        panel->Info->setPanelText(7, modified ? QStringLiteral("Modificeret") : QString());
}

// Inserting, renaming and deleting entries at the four levels, and saving and reloading the
// description. The store does the work; this file decides what the user is told.
#include "mainwindow/tmainform.h"

#include "dialogs/messages.h"
#include "editor/fontpanel.h"
#include "editor/statusline.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "rtf/rtffile.h"
#include "store/entryname.h"
#include "store/fileerror.h"
#include "store/storefiles.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>

using store::StorePaths;

namespace {

const QString kUnknownError = QStringLiteral("Der opstod en ukendt fejl.\rMåske er mappen i brug.");

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

} // namespace

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

bool Tmainform::isSharedArea() const
{
    return dir == m_paths.sharedArea();
}

void Tmainform::storeListFile(const LevelParts &parts)
{
    store::throwIfFailed(parts.box->saveFile(parts.listFile));
    if (isSharedArea())
        store::shareFile(parts.listFile);
}

void Tmainform::insertExecute(int level)
{
    insertEntry(level, levelParts(level).edit->text());
}

bool Tmainform::insertEntry(int level, const QString &text)
{
    const LevelParts parts = levelParts(level);
    try {
        const store::NameRules rules{level < 4, level == 1 && brugerOpstart != 0, -1};
        const store::NameRefusal refusal = store::checkNewEntry(text, parts.box->entries(), rules);
        if (refusal != store::NameRefusal::None) {
            Messages::information(refusalText(level, refusal));
            if (refusal == store::NameRefusal::Duplicate)
                parts.edit->clear();
            return false;
        }
        QStringList entries = parts.box->entries();
        if (level == 4)
            entries.append(text);
        else
            entries = store::insertSorted(entries, text);
        parts.box->setEntries(entries);
        storeListFile(parts);
        if (level <= 2) {
            const QString folder = StorePaths::subFolder(level == 1 ? dir : underDir, text);
            if (!store::folderExists(folder))
                store::makeFolder(folder, isSharedArea());
        }
        parts.edit->clear();
        return true;
    } catch (...) {
        Messages::information(kUnknownError);
        return false;
    }
}

void Tmainform::sletExecute(int level)
{
    const LevelParts parts = levelParts(level);
    const int index = *parts.index;
    if (level == 4) {
        parts.box->removeEntry(index);
        ingrediensIndex = -1;
        ingrediensEdit->clear();
        storeListFile(parts);
        return;
    }

    const LevelTexts &texts = levelTexts(level);
    const QString name = parts.box->entry(index);
    if (!Messages::question(texts.questionStart + u'"' + name + u'"' + u'\r' + texts.questionEnd))
        return;
    try {
        parts.box->removeEntry(index);
        // The index named the entry just removed; nothing of this level is chosen any more.
        *parts.index = -1;
        storeListFile(parts);
        if (level == 1 && store::folderExists(underDir))
            store::removeFolderTree(underDir);
        if (level == 2 && store::folderExists(opskriftDir))
            store::removeFolderTree(opskriftDir);
        if (level == 3) {
            if (store::fileExists(filnavn))
                store::removeFile(filnavn);
            if (store::fileExists(fillistenavn))
                store::removeFile(fillistenavn);
        }
        clearElementer(level);
        setValues(level);
    } catch (...) {
        Messages::information(kUnknownError);
    }
}

bool Tmainform::moveOwnedFiles(int level, const QString &fromName, const QString &toName)
{
    if (level == 1 || level == 2) {
        const QString parent = level == 1 ? dir : underDir;
        const QString from = StorePaths::subFolder(parent, fromName);
        return !store::folderExists(from)
            || store::renameEntry(from, StorePaths::subFolder(parent, toName));
    }
    if (level == 3) {
        const QString fromRtf = StorePaths::descriptionFile(opskriftDir, fromName);
        const QString fromList = StorePaths::ingredientFile(opskriftDir, fromName);
        const QString toRtf = StorePaths::descriptionFile(opskriftDir, toName);
        const bool movedRtf = store::fileExists(fromRtf);
        if (movedRtf && !store::renameEntry(fromRtf, toRtf))
            return false;
        if (store::fileExists(fromList)
            && !store::renameEntry(fromList, StorePaths::ingredientFile(opskriftDir, toName))) {
            if (movedRtf)
                store::renameEntry(toRtf, fromRtf);
            return false;
        }
    }
    return true;
}

void Tmainform::redigerExecute(int level)
{
    const LevelParts parts = levelParts(level);
    try {
        const std::optional<QString> answer = Messages::rename(parts.edit->text());
        if (!answer)
            return;
        const QString newText = *answer;
        const int index = *parts.index;
        const QString oldText = parts.box->entry(index);
        const QStringList oldEntries = parts.box->entries();

        // The new text is tested before anything changes, so a refusal loses nothing.
        const store::NameRules rules{level < 4, level == 1 && brugerOpstart != 0, index};
        const store::NameRefusal refusal = store::checkNewEntry(newText, oldEntries, rules);
        if (refusal != store::NameRefusal::None) {
            Messages::information(refusalText(level, refusal));
            return;
        }
        if (!moveOwnedFiles(level, oldText, newText)) {
            Messages::information(kUnknownError);
            return;
        }

        parts.box->removeEntry(index);
        parts.edit->setText(newText);
        if (!insertEntry(level, newText)) {
            // The list file could not be written: the folder or files take their old name
            // back, so that the list on disk and the store still agree.
            moveOwnedFiles(level, newText, oldText);
            parts.box->setEntries(oldEntries);
        }
        if (level == 4) {
            ingrediensIndex = -1;
            ingrediensBox->clearChoice();
        } else {
            clearElementer(level);
            setValues(level);
        }
    } catch (...) {
        Messages::information(kUnknownError);
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

bool Tmainform::editKeyPress(int level, QChar key)
{
    if (key != u'\r')
        return false;
    updateActions();
    if (levelParts(level).insertAction->isEnabled())
        insertExecute(level);
    return true;
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
            guardedCommand([this, level] { editKeyPress(level, u'\r'); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tmainform::AgemBeskrivelseExecute()
{
    const bool isNew = !store::fileExists(filnavn);
    store::throwIfFailed(rtf::saveFile(Editor->document(), filnavn));
    if (isNew && isSharedArea())
        store::shareFile(filnavn);
}

void Tmainform::AreloadExecute()
{
    if (!store::fileExists(filnavn))
        return;
    store::throwIfFailed(rtf::loadFile(filnavn, Editor->document()));
    XYinfo();
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
    AgemBeskrivelse->setEnabled(modified && !filnavn.isEmpty());
    Areload->setEnabled(modified && !filnavn.isEmpty());
    fontPanel->Info->setPanelText(7, modified ? QStringLiteral("Modificeret") : QString());
}

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

void Tmainform::storeListFile(const LevelParts &parts)
{
    store::throwIfFailed(parts.box->saveFile(m_area, parts.listFile));
}

void Tmainform::insertExecute(int level)
{
    insertEntry(level, levelParts(level).edit->text());
}

bool Tmainform::insertEntry(int level, const QString &text)
{
    const LevelParts parts = levelParts(level);
    try {
        const store::Reserved reserved = level == 1 ? m_area.reserved() : store::Reserved::Nothing;
        const store::NameRules rules{level < 4, reserved, -1};
        store::NameRefusal refusal = store::checkNewEntry(text, parts.box->entries(), rules);
        // Below an entry that can't name a folder or file nothing can be stored.
        if (refusal == store::NameRefusal::None && parts.listFile.isEmpty())
            refusal = store::NameRefusal::Unusable;
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
            const QString folder = StorePaths::subFolder(m_area, level == 1 ? dir : underDir, text);
            if (!m_area.folderExists(folder))
                m_area.makeFolder(folder);
        }
        parts.edit->clear();
        return true;
    } catch (...) {
        reloadLevel(level);
        Messages::information(kUnknownError);
        return false;
    }
}

// After a failed operation the list shows what its file really holds.
void Tmainform::reloadLevel(int level)
{
    const LevelParts parts = levelParts(level);
    parts.box->clearEntries();
    try {
        loadList(parts.box, parts.listFile);
    } catch (...) {
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
        // An entry that could not name a folder or file has no path: only its line goes.
        const QString owned = level == 1 ? underDir : opskriftDir;
        if (level <= 2 && !owned.isEmpty() && m_area.exists(owned))
            m_area.removeFolder(owned);
        if (level == 3) {
            for (const QString &file : {filnavn, fillistenavn}) {
                if (!file.isEmpty() && m_area.exists(file))
                    m_area.removeFile(file);
            }
        }
        clearElementer(level);
        setValues(level);
    } catch (...) {
        clearElementer(level);
        setValues(level);
        reloadLevel(level);
        Messages::information(kUnknownError);
    }
}

bool Tmainform::moveOwnedFiles(int level, const QString &fromName, const QString &toName,
                               QList<Move> *moves)
{
    QList<Move> wanted;
    if (level == 1 || level == 2) {
        const QString parent = level == 1 ? dir : underDir;
        wanted.append({StorePaths::subFolder(m_area, parent, fromName),
                       StorePaths::subFolder(m_area, parent, toName)});
    } else if (level == 3) {
        wanted.append({StorePaths::descriptionFile(m_area, opskriftDir, fromName),
                       StorePaths::descriptionFile(m_area, opskriftDir, toName)});
        wanted.append({StorePaths::ingredientFile(m_area, opskriftDir, fromName),
                       StorePaths::ingredientFile(m_area, opskriftDir, toName)});
    }
    for (const Move &move : wanted) {
        // An old name that never named a folder or file owns nothing on disk.
        if (move.from.isEmpty() || !m_area.exists(move.from))
            continue;
        if (move.to.isEmpty() || !m_area.rename(move.from, move.to)) {
            undoMoves(*moves);
            moves->clear();
            return false;
        }
        moves->append(move);
    }
    return true;
}

void Tmainform::undoMoves(const QList<Move> &moves)
{
    for (auto it = moves.crbegin(); it != moves.crend(); ++it)
        m_area.rename(it->to, it->from);
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
        const store::Reserved reserved = level == 1 ? m_area.reserved() : store::Reserved::Nothing;
        const store::NameRules rules{level < 4, reserved, index};
        const store::NameRefusal refusal = store::checkNewEntry(newText, oldEntries, rules);
        if (refusal != store::NameRefusal::None) {
            Messages::information(refusalText(level, refusal));
            return;
        }
        QList<Move> moves;
        if (!moveOwnedFiles(level, oldText, newText, &moves)) {
            clearElementer(level);
            setValues(level);
            reloadLevel(level);
            Messages::information(kUnknownError);
            return;
        }

        parts.box->removeEntry(index);
        parts.edit->setText(newText);
        if (!insertEntry(level, newText)) {
            // The list file could not be written: exactly what moved takes its old name back,
            // so that the list on disk and the store still agree.
            undoMoves(moves);
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
    store::throwIfFailed(rtf::saveFile(Editor->document(), m_area, filnavn));
}

void Tmainform::AreloadExecute()
{
    if (filnavn.isEmpty() || !m_area.exists(filnavn))
        return;
    store::throwIfFailed(rtf::loadFile(m_area, filnavn, Editor->document()));
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

#include "mainwindow/tmainform.h"

#include "editor/namedaction.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "printing/editorlines.h"
#include "printing/printericon.h"
#include "printing/tinvisform.h"
#include "printing/tprintform.h"
#include "rtf/rtffile.h"
#include "store/fileerror.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <utility>

void Tmainform::connectPrinting()
{
    // The options dialog offers the three commands as buttons; the shortcuts reach them too.
    const auto make = [this](const char *name, const QString &caption, const QString &hint,
                             const QKeySequence &shortcut, void (Tmainform::*handler)()) {
        QAction *action = namedAction(this, name, caption, hint, shortcut);
        action->setShortcutContext(Qt::ApplicationShortcut);
        action->setIcon(printing::printerIcon());
        addAction(action);
        connect(action, &QAction::triggered, this,
                [this, handler] { guardedCommand([this, handler] { (this->*handler)(); }); });
        return action;
    };
    AudskrivIngredienser = make("AudskrivIngredienser", QStringLiteral("Ingredienser"),
                                QStringLiteral("Udskriver ingredienslisten"),
                                QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P),
                                &Tmainform::AudskrivIngredienserExecute);
    AudskrivOpskrift = make("AudskrivOpskrift", QStringLiteral("Opskriften"),
                            QStringLiteral("Udskriver beskrivelsen"),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                            &Tmainform::AudskrivOpskriftExecute);
    AudskrivBegge = make("AudskrivBegge", QStringLiteral("Begge"),
                         QStringLiteral("Udskriver både ingrediensliste samt beskrivelse"),
                         QKeySequence(Qt::CTRL | Qt::Key_P), &Tmainform::AudskrivBeggeExecute);
}

void Tmainform::printDocumentOf(QTextEdit *edit, const printing::PrintValues &values)
{
    printform->PrintRichText(edit, values.left, values.right, values.top, values.bottom,
                             printing::rtmCentimetres, values.copies);
}

void Tmainform::AudskrivIngredienserExecute()
{
    const std::optional<printing::PrintValues> values = printform->askValues();
    if (!values)
        return;
    QTextEdit *memo = invisform->memo;
    memo->clear();
    setStandardOverskrift(memo);
    printing::addLine(memo, QStringLiteral("Ingredienser:"));
    for (const QString &line : ingrediensBox->entries()) {
        setStandardTekst(memo);
        printing::addLine(memo, line);
    }
    printDocumentOf(memo, *values);
}

void Tmainform::AudskrivOpskriftExecute()
{
    const std::optional<printing::PrintValues> values = printform->askValues();
    if (!values)
        return;
    printDocumentOf(Editor, *values);
}

void Tmainform::AudskrivBeggeExecute()
{
    const std::optional<printing::PrintValues> values = printform->askValues();
    if (!values)
        return;
    QTextEdit *memo = invisform->memo;
    memo->clear();
    // The description as last saved; what is unsaved in the editor is not printed.
    if (filnavn.isEmpty())
        throw store::FileError(QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!"));
    store::throwIfFailed(rtf::loadFile(m_area, filnavn, memo->document()));
    // As after loading a file, the caret stands at the start: the heading and the lines take
    // what the styles leave of the first character's format, not the last's.
    memo->moveCursor(QTextCursor::Start);
    setStandardOverskrift(memo);
    printing::insertLine(memo, 0, QStringLiteral("Ingredienser:"));
    const QStringList lines = ingrediensBox->entries();
    const int n = int(lines.size());
    for (int i = 0; i < n; ++i) {
        setStandardTekst(memo);
        printing::insertLine(memo, i + 1, lines.at(i));
    }
    printing::insertLine(memo, n + 1, QString());
    printing::insertLine(memo, n + 2, QString());
    printDocumentOf(memo, *values);
}

void Tmainform::AudskrivIngredienserUpdate()
{
    AudskrivIngredienser->setEnabled(ingrediensBox->count() > 0);
}

void Tmainform::AudskrivOpskriftUpdate()
{
    AudskrivOpskrift->setEnabled(!Editor->document()->isEmpty());
}

void Tmainform::AudskrivBeggeUpdate()
{
    AudskrivBegge->setEnabled(ingrediensBox->count() > 0 && !Editor->document()->isEmpty());
}

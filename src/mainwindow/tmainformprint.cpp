#include "mainwindow/tmainform.h"

#include "editor/namedaction.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "mainwindow/savefilechooser.h"
#include "printing/editorlines.h"
#include "printing/pdffile.h"
#include "printing/printericon.h"
#include "printing/richtextprinter.h"
#include "printing/tinvisform.h"
#include "printing/tprintform.h"
#include "rtf/rtffile.h"
#include "store/fileerror.h"

#include <QCoreApplication>
#include <QEventLoop>
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
    AvisIngredienser = make("AvisIngredienser", QStringLiteral("Vis udskrift"),
                            QStringLiteral("Viser, hvordan ingredienslisten bliver udskrevet"),
                            QKeySequence(), &Tmainform::AvisIngredienserExecute);
    AvisOpskrift = make("AvisOpskrift", QStringLiteral("Vis udskrift"),
                        QStringLiteral("Viser, hvordan beskrivelsen bliver udskrevet"), QKeySequence(),
                        &Tmainform::AvisOpskriftExecute);
    AvisBegge = make("AvisBegge", QStringLiteral("Vis udskrift"),
                     QStringLiteral("Viser, hvordan ingrediensliste og beskrivelse bliver udskrevet"),
                     QKeySequence(), &Tmainform::AvisBeggeExecute);
    AgemPdf = make("AgemPdf", QStringLiteral("Gem som PDF…"),
                   QStringLiteral("Gemmer opskriften som PDF, som den bliver udskrevet"), QKeySequence(),
                   &Tmainform::AgemPdfExecute);
}

void Tmainform::printDocumentOf(QTextEdit *edit, const printing::PrintValues &values)
{
    printform->PrintRichText(edit, values.left, values.right, values.top, values.bottom,
                             printing::rtmCentimetres, values.copies);
}

void Tmainform::printCommand(Composer compose)
{
    const std::optional<printing::PrintValues> values =
        printform->askValues([this, compose](const printing::PrintValues &shown) {
            return printform->previewRichText((this->*compose)(), shown);
        });
    if (!values)
        return;
    // The window repaints where the dialog stood before a long text is put together.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    printDocumentOf((this->*compose)(), *values);
}

void Tmainform::previewCommand(Composer compose)
{
    // With the values the print settings dialog holds, as the print command would take them.
    const std::optional<printing::PrintValues> values = printform->currentValues();
    if (!values)
        return;
    if (printform->previewRichText((this->*compose)(), *values))
        printDocumentOf((this->*compose)(), *values);
}

QTextEdit *Tmainform::composeIngredienser()
{
    QTextEdit *memo = invisform->memo;
    memo->clear();
    setStandardOverskrift(memo);
    printing::addLine(memo, QStringLiteral("Ingredienser:"));
    // Scaled lines are printed as shown, under the number they are for.
    const QString scaled = scaledFor();
    if (!scaled.isEmpty())
        printing::addLine(memo, scaled);
    for (const QString &line : ingrediensBox->shownEntries()) {
        setStandardTekst(memo);
        printing::addLine(memo, line);
    }
    return memo;
}

QTextEdit *Tmainform::composeOpskrift()
{
    return Editor;
}

QTextEdit *Tmainform::composeBegge()
{
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
    int at = 1;
    const QString scaled = scaledFor();
    if (!scaled.isEmpty())
        printing::insertLine(memo, at++, scaled);
    const QStringList lines = ingrediensBox->shownEntries();
    for (const QString &line : lines) {
        setStandardTekst(memo);
        printing::insertLine(memo, at++, line);
    }
    printing::insertLine(memo, at, QString());
    printing::insertLine(memo, at + 1, QString());
    return memo;
}

void Tmainform::AudskrivIngredienserExecute()
{
    printCommand(&Tmainform::composeIngredienser);
}

void Tmainform::AudskrivOpskriftExecute()
{
    printCommand(&Tmainform::composeOpskrift);
}

void Tmainform::AudskrivBeggeExecute()
{
    printCommand(&Tmainform::composeBegge);
}

void Tmainform::AvisIngredienserExecute()
{
    previewCommand(&Tmainform::composeIngredienser);
}

void Tmainform::AvisOpskriftExecute()
{
    previewCommand(&Tmainform::composeOpskrift);
}

void Tmainform::AvisBeggeExecute()
{
    previewCommand(&Tmainform::composeBegge);
}

void Tmainform::AgemPdfExecute()
{
    const std::optional<printing::PrintValues> values = printform->currentValues();
    if (!values)
        return;
    const QString file = askSaveFile(this, QStringLiteral("Gem som PDF"), pdfSuggestion(opskriftBox->entry(opskriftIndex)));
    if (file.isEmpty())
        return;
    printing::PdfFile pdf(file);
    printing::printRichText(composeBegge(), values->left, values->right, values->top, values->bottom,
                            printing::rtmCentimetres, 1, pdf);
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
    // A preview shows what its print command would print, so it can be had when that can.
    AvisIngredienser->setEnabled(AudskrivIngredienser->isEnabled());
    AvisOpskrift->setEnabled(AudskrivOpskrift->isEnabled());
    AvisBegge->setEnabled(AudskrivBegge->isEnabled());
    AgemPdf->setEnabled(AudskrivBegge->isEnabled());
}

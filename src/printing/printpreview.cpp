#include "printing/printpreview.h"

#include "printing/pagerect.h"
#include "printing/printerror.h"
#include "printing/printtarget.h"
#include "printing/richtextprinter.h"

#include <QAction>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextEdit>

#include <memory>

namespace printing {

namespace {

QString previewText(const char *source)
{
    return QCoreApplication::translate("QPrintPreviewDialog", source);
}

// The dialog's own printing would skip the check that the queue took the job, and its page
// setup and orientation would show pages the command doesn't print.
void takeOverActions(QPrintPreviewDialog &dialog, bool *printChosen)
{
    const QString print = previewText("Print");
    const QStringList layoutChanges{previewText("Page setup"), previewText("Portrait"),
                                    previewText("Landscape")};
    for (QAction *action : dialog.findChildren<QAction *>()) {
        if (action->text() == print) {
            QObject::disconnect(action, nullptr, &dialog, nullptr);
            QObject::connect(action, &QAction::triggered, &dialog, [&dialog, printChosen] {
                *printChosen = true;
                dialog.accept();
            });
        } else if (layoutChanges.contains(action->text())) {
            action->setVisible(false);
        }
    }
}

} // namespace

bool previewRichText(QWidget *parent, QTextEdit *edit, const PrintValues &values,
                     PrintTarget &target)
{
    setPageRect(edit, pageRect(target.metrics(), values.left, values.right, values.top,
                               values.bottom, rtmCentimetres));
    const std::unique_ptr<QPrinter> printer = target.beginJob();
    QPrintPreviewDialog dialog(printer.get(), parent);
    dialog.setObjectName(QString::fromLatin1(kPreviewObjectName));
    dialog.setWindowTitle(QStringLiteral("Vis udskrift"));
    QString failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [edit, &failure](QPrinter *pages) {
                         // Thrown through the toolkit's drawing it would end the program.
                         try {
                             paintDocument(*edit->document(), storedPageRect(edit), *pages);
                         } catch (const PrintError &e) {
                             failure = e.text();
                         }
                     });
    bool printChosen = false;
    takeOverActions(dialog, &printChosen);
    dialog.exec();
    if (!failure.isEmpty())
        throw PrintError(failure);
    return printChosen;
}

} // namespace printing

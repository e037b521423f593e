#include "messages.h"

#include "displaytext.h"
#include "tinfform.h"
#include "tredigeringsform.h"
#include "tspform.h"

#include <QLineEdit>
#include <QMessageBox>

const char *const Messages::errorTextProperty = "retterumErrorText";

namespace {

template<typename Dialog>
Dialog *required(Dialog *dialog, const char *global)
{
    if (!dialog)
        qFatal("Messages: %s can't be made; set its maker right after the main window", global);
    return dialog;
}

} // namespace

void Messages::information(const QString &text)
{
    Tinfform *dialog = required(infform.get(), "infform");
    dialog->insertTekst(text);
    dialog->exec();
}

bool Messages::question(const QString &text)
{
    Tspform *dialog = required(spform.get(), "spform");
    dialog->insertTekst(text);
    return dialog->exec() == mrOk;
}

std::optional<QString> Messages::rename(const QString &currentText)
{
    Tredigeringsform *dialog = required(redigeringsform.get(), "redigeringsform");
    dialog->oldEdit()->setText(currentText);
    dialog->newEdit()->setText(QString());
    if (dialog->exec() != mrOk)
        return std::nullopt;
    return dialog->newEdit()->text();
}

QString Messages::errorText(const QString &text)
{
    if (text.endsWith(QLatin1Char('.')))
        return text;
    return text + QLatin1Char('.');
}

void Messages::error(const QString &text)
{
    const QString shown = errorText(text);
    QWidget *mainWindow = infform ? infform->parentWidget() : nullptr;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Retterum"), displayText(shown),
                    QMessageBox::Ok, mainWindow);
    box.setTextFormat(Qt::PlainText);
    box.setProperty(errorTextProperty, shown);
    box.exec();
}

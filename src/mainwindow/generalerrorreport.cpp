#include "mainwindow/generalerrorreport.h"

#include "dialogs/messages.h"
#include "store/usererror.h"

#include <exception>

void reportGeneralError(const QString &text)
{
    Messages::error(text);
}

void reportCurrentException()
{
    try {
        throw;
    } catch (const store::UserError &e) {
        reportGeneralError(e.text());
    } catch (const std::bad_alloc &) {
        reportGeneralError(QStringLiteral("Der er ikke hukommelse nok"));
    } catch (const std::exception &e) {
        reportGeneralError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportGeneralError(QStringLiteral("Der opstod en ukendt fejl"));
    }
}

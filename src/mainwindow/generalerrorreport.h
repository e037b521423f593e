#pragma once

#include <QString>

// The general error report: an error that no command catches is shown with its own text in a
// message box, and the program goes on.
void reportGeneralError(const QString &text);

// Reports the exception being handled; call only inside a catch block.
void reportCurrentException();

// Runs one user command; an error that escapes it reaches the general error report instead of
// unwinding through the toolkit.
template <typename Command>
void guardedCommand(Command &&command) noexcept
{
    try {
        command();
    } catch (...) {
        reportCurrentException();
    }
}

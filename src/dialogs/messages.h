#pragma once

#include <QString>

#include <optional>

// The one place through which every message, question and rename goes.
//
// information, question and rename reuse the program's single dialogs infform, spform and
// redigeringsform. The program tells each slot how to make its dialog (with the main window
// as parent) right after the main window, and the dialog is made at its first message; a test
// puts ready dialogs in through its fixture. Calling one of these functions while its dialog
// can't be had is a programming error and aborts with a message saying so.
//
// MessageHook (messagehook.h) lets tests answer these dialogs and read what was shown.
class Messages
{
public:
    // Shows text in the information dialog and waits until it is closed, however it is closed.
    static void information(const QString &text);
    // Asks text in the question dialog; true only when the answer is "Ja".
    static bool question(const QString &text);
    // Offers currentText for renaming, with an empty field for the new text. Gives the new
    // text exactly as entered (even empty) on "Indfør", nothing otherwise.
    static std::optional<QString> rename(const QString &currentText);
    // The general error report: a critical message box titled "Retterum" with text, a full stop
    // added when it ends in none of ". ! ?", and an OK button.
    static void error(const QString &text);

    // The text the general error report shows (still with "\r" for line breaks).
    static QString errorText(const QString &text);
    // Name of the dynamic property on the error box that holds errorText(), for the test hook.
    static const char *const errorTextProperty;
};

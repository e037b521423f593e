#pragma once

#include <QString>
#include <QStringList>

// Test hook for the program's modal messages: the information, question and rename dialogs
// and the general error report's message box.
//
// While installed, it watches every window that is shown. When one of those dialogs opens
// (modally, through Messages or directly), the hook records what it shows and, from a
// zero-delay timer inside the dialog's own event loop, gives it the next queued answer the
// way a user would: it clicks the named button (giving it the focus, as a mouse click does),
// types the new name into newEdit before "Indfør", or closes the window with its close box.
// The dialogs' own show handling (height, placement, focus) therefore runs as in real use.
//
// A dialog that opens with no answer queued, or with an answer that does not fit it, is closed
// with its close box and counted as unexpected, so a test never hangs on it. Any other message
// box counts as the error report. Call install() first: the other functions abort without it.
//
//     MessageHook::install();                                   // initTestCase
//     MessageHook::queue(MessageHook::Answer::Yes);
//     QVERIFY(Messages::question(u"Slet opskriften Boller?"_s)); // or a click in the window
//     QCOMPARE(MessageHook::takeShown(), QStringList{u"Question: Slet opskriften Boller?"_s});
//     const QString left = MessageHook::verifyClean();          // cleanup
//     QVERIFY2(left.isEmpty(), qPrintable(left));
class MessageHook
{
public:
    struct Answer
    {
        enum Type {
            Ok,     // "OK" of the information dialog or of the error box
            Yes,    // "Ja"
            No,     // "Nej"
            Cancel, // "Annuller" of the rename dialog
            Rename, // new text into newEdit, then "Indfør"
            Close,  // the close box, for any of them
        };
        Answer(Type type) // implicit, so that queue(Answer::Yes) reads well
            : type(type)
        {
        }
        static Answer rename(const QString &newText);
        QString name() const;

        Type type;
        QString newText;
    };

    static void install();
    static void uninstall();

    static void queue(const Answer &answer);
    // Answers queued and not yet given.
    static int pending();

    // What was shown, oldest first: "Information: <text>", "Question: <text>",
    // "Rename: <current text>", "Error: <text>", each text as the caller wrote it ("\r" kept).
    static QStringList shown();
    static QStringList takeShown();
    // Dialogs that opened with no fitting answer queued.
    static int unexpected();

    // Empty when all is well; otherwise one line per leftover: a dialog that got no fitting
    // answer, an answer queued and never used, a modal window still open (which is closed).
    // Starts the next test afresh: forgets the queue, the shown texts and the leftovers.
    static QString verifyClean();
};

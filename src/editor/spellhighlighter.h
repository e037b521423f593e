#pragma once

#include <QSyntaxHighlighter>
#include <QTimer>

class QTextEdit;
class SpellChecker;

// Marks the words the spell checker does not know with a red wavy underline. The marks live
// in the layout only, never in the document's formats, so they are never saved. Like any
// syntax highlighter it checks the paragraph being typed in at once; switching on or off, and
// a whole new text, go a slice at a time, what is on screen first, so that a long description
// never stops the window.
class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    SpellHighlighter(SpellChecker *checker, QTextEdit *editor);
    // For a document the editor will take later: it waits, suspended, until then.
    SpellHighlighter(SpellChecker *checker, QTextEdit *editor, QTextDocument *later);

    struct Word {
        int start = -1; // in the paragraph
        QString text;
    };
    // The word that holds position (in the paragraph) or ends there.
    static Word wordAt(const QString &paragraph, int position);

    // Marks, or takes the marks away.
    void setChecking(bool on);
    bool isChecking() const { return m_checking; }
    // Whether paragraphs are still waiting for their slice.
    bool isBehind() const { return m_sweep.isActive() || m_suspended; }
    // Every paragraph again, after the checker has learnt a word.
    void recheck();
    // Follows the editor onto another document.
    void attach(QTextDocument *doc);
    // Takes the document without checking anything until resume().
    void attachSuspended(QTextDocument *doc);
    // Around replacing the whole text: nothing is checked while it goes in, and afterwards
    // what is on screen comes first.
    void suspend();
    void resume();

protected:
    void highlightBlock(const QString &text) override;

private:
    void startSweep();
    void sweepSlice();

    SpellChecker *m_checker;
    QTextEdit *m_editor;
    bool m_checking = false;
    bool m_suspended = false;
    QTimer m_sweep;
    int m_next = 0; // where the sweep goes on
};

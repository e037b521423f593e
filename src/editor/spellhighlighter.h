#pragma once

#include <QSyntaxHighlighter>

class SpellChecker;

// Marks the words the spell checker does not know with a red wavy underline. The marks live
// in the layout only, never in the document's formats, so they are never saved; and like any
// syntax highlighter it checks one paragraph at a time, the one being typed in.
class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    SpellHighlighter(SpellChecker *checker, QTextDocument *document);

    struct Word {
        int start = -1; // in the paragraph
        QString text;
    };
    // The word that holds position (in the paragraph) or ends there.
    static Word wordAt(const QString &paragraph, int position);

protected:
    void highlightBlock(const QString &text) override;

private:
    SpellChecker *m_checker;
};

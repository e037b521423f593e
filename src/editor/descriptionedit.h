#pragma once

#include <QTextEdit>

#include <memory>

class QMenu;
class QTextDocument;
class QThread;
class SpellChecker;
class SpellHighlighter;

// The recipe description's editor. It reports key releases and mouse buttons after it has
// handled them, so the status line sees the caret where it ended up. Its popup menu is either
// the program's edit menu or, while spell checking is on, a menu of suggestions for the word
// under the pointer.
class DescriptionEdit : public QTextEdit {
    Q_OBJECT

public:
    explicit DescriptionEdit(QWidget *parent = nullptr);
    ~DescriptionEdit() override;

    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu) { m_popupMenu = menu; }
    // Shown below the suggestions while spell checking is on.
    void setEditActions(const QList<QAction *> &actions) { m_editActions = actions; }

    // Marks unknown words from now on. The dictionary is loaded at the first start, beside the
    // window, and kept; false when it is missing. Text, formats, selection and the modified mark stay as they
    // are, both ways.
    bool startSpellChecking(const QString &dictionaryBase, const QStringList &ownWords);
    void stopSpellChecking();
    bool isSpellChecking() const;
    // Whether paragraphs are still waiting to be checked or cleared, a slice at a time.
    bool isSpellCheckingBehind() const;
    // An empty document with this one's settings (default font, margins), without a parent, for
    // a text to be read into elsewhere; adoptDocument() then puts it in place of the current one.
    // Its signals are blocked until then: nothing follows the text while it goes in.
    QTextDocument *newDocumentLikeThis();
    void adoptDocument(QTextDocument *doc);
    // Around putting a whole new text in: nothing is checked while it goes in.
    void beginReplacingText();
    void endReplacingText();
    // The loaded dictionary, or nullptr before the first start.
    SpellChecker *spellChecker() const { return m_checker.get(); }
    // Checks every paragraph again, after the checker has learnt a word.
    void recheckSpelling();

    // The spell-checking menu for a point in the viewport, for the right click and for tests.
    QMenu *createSpellMenu(const QPoint &viewportPos);

signals:
    void keyReleased();
    void mousePressed(Qt::MouseButton button);
    void mouseMoved();
    void mouseReleased();
    void addWordRequested(const QString &word);

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void replaceWord(int position, int length, const QString &replacement);
    void loadDictionary(const QString &dictionaryBase, const QStringList &ownWords);
    void showSpelling();
    void disposeBeside(QTextDocument *doc, QObject *alsoGoes);

    QMenu *m_popupMenu = nullptr;
    QList<QAction *> m_editActions;
    std::unique_ptr<SpellChecker> m_checker;
    std::unique_ptr<SpellHighlighter> m_highlighter;
    std::unique_ptr<SpellHighlighter> m_nextHighlighter; // for the document being read elsewhere
    QThread *m_loader = nullptr; // reading the dictionary
    QThread *m_disposer = nullptr; // taking the last document apart
    bool m_spellWanted = false;
};

#include "editor/descriptionedit.h"

#include "editor/liststartlabels.h"
#include "editor/spellchecker.h"
#include "editor/spellhighlighter.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPaintEvent>
#include <QTextBlock>

DescriptionEdit::DescriptionEdit(QWidget *parent)
    : QTextEdit(parent)
{
}

DescriptionEdit::~DescriptionEdit() = default;

void DescriptionEdit::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    QPainter painter(viewport());
    paintListStartLabels(*this, painter, event->rect());
}

bool DescriptionEdit::startSpellChecking(const QString &dictionaryBase, const QStringList &ownWords)
{
    if (!m_checker) {
        m_checker = SpellChecker::load(dictionaryBase);
        if (!m_checker)
            return false;
        for (const QString &word : ownWords)
            m_checker->addWord(word);
    }
    if (!m_highlighter)
        m_highlighter = std::make_unique<SpellHighlighter>(m_checker.get(), document());
    viewport()->update();
    return true;
}

void DescriptionEdit::stopSpellChecking()
{
    m_highlighter.reset();
    viewport()->update();
}

void DescriptionEdit::recheckSpelling()
{
    if (m_highlighter)
        m_highlighter->rehighlight();
}

void DescriptionEdit::keyReleaseEvent(QKeyEvent *event)
{
    QTextEdit::keyReleaseEvent(event);
    emit keyReleased();
}

void DescriptionEdit::mousePressEvent(QMouseEvent *event)
{
    QTextEdit::mousePressEvent(event);
    emit mousePressed(event->button());
}

void DescriptionEdit::mouseMoveEvent(QMouseEvent *event)
{
    QTextEdit::mouseMoveEvent(event);
    emit mouseMoved();
}

void DescriptionEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    emit mouseReleased();
}

void DescriptionEdit::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popupMenu) {
        m_popupMenu->exec(event->globalPos());
        return;
    }
    if (!m_highlighter)
        return;
    std::unique_ptr<QMenu> menu(createSpellMenu(event->pos()));
    menu->exec(event->globalPos());
}

QMenu *DescriptionEdit::createSpellMenu(const QPoint &viewportPos)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("stavekontrolMenu"));
    const QTextCursor at = cursorForPosition(viewportPos);
    const QTextBlock block = at.block();
    const SpellHighlighter::Word word
        = SpellHighlighter::wordAt(block.text(), at.position() - block.position());
    if (m_highlighter && word.start >= 0 && !m_checker->isCorrect(word.text)) {
        const int position = block.position() + word.start;
        const int length = int(word.text.size());
        const QStringList suggestions = m_checker->suggestions(word.text);
        for (const QString &suggestion : suggestions) {
            QAction *action = menu->addAction(suggestion);
            connect(action, &QAction::triggered, this, [this, position, length, suggestion] {
                replaceWord(position, length, suggestion);
            });
        }
        if (suggestions.isEmpty())
            menu->addAction(QStringLiteral("(ingen forslag)"))->setEnabled(false);
        QAction *add = menu->addAction(QStringLiteral("Tilføj til ordbog"));
        add->setObjectName(QStringLiteral("tilfoejTilOrdbog"));
        const QString text = word.text;
        connect(add, &QAction::triggered, this, [this, text] { emit addWordRequested(text); });
        menu->addSeparator();
    }
    menu->addActions(m_editActions);
    return menu;
}

void DescriptionEdit::replaceWord(int position, int length, const QString &replacement)
{
    QTextCursor cursor(document());
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    // One undo step; the word keeps the format of its first letter.
    cursor.beginEditBlock();
    cursor.insertText(replacement);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

#include "editor/descriptionedit.h"

#include "editor/layoutslicer.h"
#include "editor/liststartlabels.h"
#include "editor/spellchecker.h"
#include "editor/spellhighlighter.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QTextBlock>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QThread>

#include <utility>

DescriptionEdit::DescriptionEdit(QWidget *parent)
    : QTextEdit(parent)
{
}

DescriptionEdit::~DescriptionEdit()
{
    if (m_loader) {
        m_loader->wait();
        delete m_loader;
    }
    if (m_disposer) {
        m_disposer->wait();
        delete m_disposer;
    }
}

void DescriptionEdit::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    QPainter painter(viewport());
    paintListStartLabels(*this, painter, event->rect());
}

bool DescriptionEdit::startSpellChecking(const QString &dictionaryBase, const QStringList &ownWords)
{
    if (!m_checker && !SpellChecker::exists(dictionaryBase))
        return false;
    m_spellWanted = true;
    if (m_checker)
        showSpelling();
    else if (!m_loader)
        loadDictionary(dictionaryBase, ownWords);
    return true;
}

// The dictionary takes a good part of a second to read: it is read beside the window, which
// goes on answering, and the marks come when it is there.
void DescriptionEdit::loadDictionary(const QString &dictionaryBase, const QStringList &ownWords)
{
    auto loaded = std::make_shared<std::unique_ptr<SpellChecker>>();
    m_loader = QThread::create([loaded, dictionaryBase, ownWords] {
        *loaded = SpellChecker::load(dictionaryBase);
        if (*loaded) {
            for (const QString &word : ownWords)
                (*loaded)->addWord(word);
        }
    });
    connect(m_loader, &QThread::finished, this, [this, loaded] {
        m_loader->wait();
        delete std::exchange(m_loader, nullptr);
        m_checker = std::move(*loaded);
        if (m_checker && m_spellWanted)
            showSpelling();
    });
    m_loader->start();
}

void DescriptionEdit::showSpelling()
{
    // Kept from then on: taking it away would clear every paragraph at once.
    if (!m_highlighter)
        m_highlighter = std::make_unique<SpellHighlighter>(m_checker.get(), this);
    m_highlighter->setChecking(true);
}

void DescriptionEdit::stopSpellChecking()
{
    m_spellWanted = false;
    if (m_highlighter)
        m_highlighter->setChecking(false);
}

bool DescriptionEdit::isSpellChecking() const
{
    return m_spellWanted;
}

bool DescriptionEdit::isSpellCheckingBehind() const
{
    return m_loader || (m_highlighter && m_highlighter->isBehind());
}

QTextDocument *DescriptionEdit::newDocumentLikeThis()
{
    const QTextDocument *now = document();
    auto *doc = new QTextDocument;
    doc->setDefaultFont(now->defaultFont());
    doc->setDefaultTextOption(now->defaultTextOption());
    doc->setDocumentMargin(now->documentMargin());
    doc->setIndentWidth(now->indentWidth());
    doc->setDefaultStyleSheet(now->defaultStyleSheet());
    doc->setUseDesignMetrics(now->useDesignMetrics());
    // The highlighter is attached while the document is empty, and nothing reaches it while the
    // text goes in: attached to a long text, it would go through every paragraph at once.
    m_nextHighlighter.reset();
    if (m_highlighter)
        m_nextHighlighter = std::make_unique<SpellHighlighter>(m_checker.get(), this, doc);
    doc->blockSignals(true);
    return doc;
}

void DescriptionEdit::adoptDocument(QTextDocument *doc)
{
    // The first document belongs to the editor's text control, which deletes it when another
    // takes its place; the ones adopted since belong to this editor.
    const QPointer<QTextDocument> old = document();
    doc->blockSignals(false);
    doc->setParent(this);
    setDocument(doc);
    layOutInSlices(doc);
    // A highlighter of its own for the new document: taking the old one off its document
    // clears every paragraph, which goes beside the window with the old document.
    std::unique_ptr<SpellHighlighter> oldHighlighter = std::move(m_highlighter);
    std::unique_ptr<SpellHighlighter> next = std::move(m_nextHighlighter);
    if (oldHighlighter) {
        oldHighlighter->suspend();
        if (next && next->document() == doc) {
            m_highlighter = std::move(next);
            QMetaObject::invokeMethod(m_highlighter.get(), &SpellHighlighter::resume, Qt::QueuedConnection);
        } else {
            m_highlighter = std::make_unique<SpellHighlighter>(m_checker.get(), this);
        }
        m_highlighter->setChecking(m_spellWanted);
    }
    if (old && old->parent() == this)
        disposeBeside(old, oldHighlighter.release());
}

// Taking a long document apart takes as long as building it: that goes beside the window.
void DescriptionEdit::disposeBeside(QTextDocument *doc, QObject *alsoGoes)
{
    if (m_disposer)
        m_disposer->wait();
    delete m_disposer;
    doc->setParent(nullptr);
    doc->documentLayout()->setPaintDevice(nullptr);
    m_disposer = QThread::create([doc, alsoGoes] {
        delete alsoGoes;
        delete doc;
    });
    doc->moveToThread(m_disposer);
    if (alsoGoes)
        alsoGoes->moveToThread(m_disposer);
    m_disposer->start();
}

void DescriptionEdit::beginReplacingText()
{
    if (m_highlighter)
        m_highlighter->suspend();
}

void DescriptionEdit::endReplacingText()
{
    if (m_highlighter)
        m_highlighter->resume();
}

void DescriptionEdit::recheckSpelling()
{
    if (m_highlighter)
        m_highlighter->recheck();
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
    if (!isSpellChecking())
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
    if (m_checker && isSpellChecking() && word.start >= 0 && !m_checker->isCorrect(word.text)) {
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

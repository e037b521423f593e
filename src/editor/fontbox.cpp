#include "editor/fontbox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

FontBox::FontBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(16);
    // The box completes by itself; the toolkit's completer would not move the current entry.
    setCompleter(nullptr);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &FontBox::textTyped);
    connect(this, &QComboBox::activated, this, [this] {
        emit changed();
    });
}

void FontBox::showEntry(const QString &text)
{
    const QSignalBlocker blocker(this);
    const int index = text.isEmpty() ? -1 : findText(text, Qt::MatchFixedString);
    setCurrentIndex(index);
    if (index < 0)
        setEditText(QString());
}

void FontBox::showPopup()
{
    emit aboutToList();
    QComboBox::showPopup();
}

bool FontBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        m_deleting = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete
            || key->matches(QKeySequence::Cut);
    }
    return QComboBox::eventFilter(watched, event);
}

QString FontBox::currentEntry() const
{
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

void FontBox::textTyped(const QString &text)
{
    // A deletion is no reason to complete: the user would never get rid of the completed part.
    const bool grew = !m_deleting && !text.isEmpty();
    emit aboutToList();
    int index = -1;
    if (grew) {
        for (int i = 0; i < count(); ++i) {
            if (itemText(i).startsWith(text, Qt::CaseInsensitive)) {
                index = i;
                break;
            }
        }
    } else if (!text.isEmpty()) {
        index = findText(text, Qt::MatchFixedString);
    }
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
        if (index >= 0 && grew) {
            // The completed part stays selected, so the next character replaces it.
            lineEdit()->setText(itemText(index));
            lineEdit()->setSelection(text.size(), itemText(index).size() - text.size());
        } else {
            const int caret = lineEdit()->cursorPosition();
            setEditText(text);
            lineEdit()->setCursorPosition(caret);
        }
    }
    emit changed();
}

#include "mainwindow/listbox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

ListBox::ListBox(ListItemDelegate::Marker marker, QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new ListItemDelegate(marker, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
}

store::FileResult ListBox::loadFile(const store::Tree &area, const QString &path)
{
    store::ListText list;
    store::FileResult result = store::readListFile(area, path, &list);
    if (result)
        setList(list);
    return result;
}

store::FileResult ListBox::saveFile(const store::Tree &area, const QString &path) const
{
    return store::writeListFile(area, path, entries(), m_encoding);
}

void ListBox::setList(const store::ListText &list)
{
    m_encoding = list.encoding;
    setEntries(list.entries);
}

QStringList ListBox::entries() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->text());
    return result;
}

void ListBox::showAs(int index, const QString &text)
{
    QListWidgetItem *it = item(index);
    if (!it)
        return;
    const bool shown = !text.isEmpty() && text != it->text();
    if (!shown && !it->data(ListItemDelegate::ShownTextRole).isValid())
        return; // as written already: no repaint, no change to announce
    it->setData(ListItemDelegate::ShownTextRole, shown ? QVariant(text) : QVariant());
    it->setData(Qt::AccessibleTextRole, shown ? QVariant(text) : QVariant());
    it->setToolTip(shown ? QStringLiteral("Som skrevet: %1").arg(it->text()) : QString());
}

QStringList ListBox::shownEntries() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i) {
        const QVariant shown = item(i)->data(ListItemDelegate::ShownTextRole);
        result.append(shown.isValid() ? shown.toString() : item(i)->text());
    }
    return result;
}

void ListBox::setEntries(const QStringList &entries)
{
    const QSignalBlocker blocker(this);
    clear();
    addItems(entries);
    m_chosen = -1;
    showChoice();
}

void ListBox::clearEntries()
{
    const QSignalBlocker blocker(this);
    clear();
    m_chosen = -1;
}

void ListBox::clearChoice()
{
    m_chosen = -1;
    showChoice();
}

void ListBox::removeEntry(int index)
{
    const QSignalBlocker blocker(this);
    delete takeItem(index);
    m_chosen = -1;
    showChoice();
}

QString ListBox::entry(int index) const
{
    const QListWidgetItem *it = item(index);
    return it ? it->text() : QString();
}

void ListBox::showChosen(int index)
{
    m_chosen = index;
    showChoice();
}

void ListBox::choose(int index)
{
    m_chosen = index;
    showChoice();
    scrollToItem(item(index));
    emit userSelected(index);
}

// The highlight and the current row follow the chosen entry, never Qt's own idea of them.
void ListBox::showChoice()
{
    const QSignalBlocker blocker(this);
    if (m_chosen >= 0 && m_chosen < count()) {
        setCurrentRow(m_chosen, QItemSelectionModel::ClearAndSelect);
    } else {
        selectionModel()->clear();
    }
    viewport()->update();
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    const int row = indexAt(event->position().toPoint()).row();
    if (event->button() == Qt::LeftButton && row >= 0)
        choose(row);
    event->accept();
}

// Dragging with the button held does not move the choice, as a click below the entries
// does not clear it.
void ListBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    int row = m_chosen;
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(row - 1, 0);
        break;
    case Qt::Key_Down:
        row = std::min(row + 1, count() - 1);
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = count() - 1;
        break;
    default:
        // Tab and the rest go on to the window; typed letters choose nothing.
        if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
            QListWidget::keyPressEvent(event);
        else
            event->ignore();
        return;
    }
    event->accept();
    if (count() > 0 && row != m_chosen)
        choose(row);
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    // Qt makes the first row current when a list gets the focus; that is no choice.
    showChoice();
}

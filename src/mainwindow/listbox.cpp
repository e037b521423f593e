#include "mainwindow/listbox.h"

#include <QMouseEvent>
#include <QSignalBlocker>

ListBox::ListBox(ListItemDelegate::Marker marker, QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new ListItemDelegate(marker, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::currentRowChanged, this, &ListBox::userSelected);
}

store::FileResult ListBox::loadFile(const store::Tree &area, const QString &path)
{
    store::ListText list;
    store::FileResult result = store::readListFile(area, path, &list);
    if (result) {
        m_encoding = list.encoding;
        setEntries(list.entries);
    }
    return result;
}

store::FileResult ListBox::saveFile(const store::Tree &area, const QString &path) const
{
    return store::writeListFile(area, path, entries(), m_encoding);
}

QStringList ListBox::entries() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->text());
    return result;
}

void ListBox::setEntries(const QStringList &entries)
{
    const QSignalBlocker blocker(this);
    clear();
    addItems(entries);
    setCurrentRow(-1);
}

void ListBox::clearEntries()
{
    const QSignalBlocker blocker(this);
    clear();
}

void ListBox::clearChoice()
{
    const QSignalBlocker blocker(this);
    setCurrentRow(-1);
    clearSelection();
}

void ListBox::removeEntry(int index)
{
    const QSignalBlocker blocker(this);
    delete takeItem(index);
    setCurrentRow(-1);
    clearSelection();
}

QString ListBox::entry(int index) const
{
    const QListWidgetItem *it = item(index);
    return it ? it->text() : QString();
}

QString ListBox::selectedText() const
{
    const QListWidgetItem *current = currentItem();
    return current ? current->text() : QString();
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    const int before = currentRow();
    QListWidget::mousePressEvent(event);
    // A click on the entry already chosen counts as choosing it again.
    if (event->button() == Qt::LeftButton && currentRow() == before && before >= 0
        && indexAt(event->position().toPoint()).row() == before)
        emit userSelected(before);
}

#pragma once

#include "mainwindow/listitemdelegate.h"
#include "store/fileresult.h"
#include "store/listfile.h"

#include <QListWidget>

// One of the four lists of the main window. It remembers the encoding of the last file it read,
// so a list found with a byte-order mark is written back with it.
class ListBox : public QListWidget {
    Q_OBJECT

public:
    ListBox(ListItemDelegate::Marker marker, QWidget *parent = nullptr);

    // Replaces the entries by the file's lines. On failure the list stays as it was.
    store::FileResult loadFile(const store::Tree &area, const QString &path);
    store::FileResult saveFile(const store::Tree &area, const QString &path) const;

    QStringList entries() const;
    void setEntries(const QStringList &entries);
    void clearEntries();
    void clearChoice();
    void removeEntry(int index);
    // The text of entry index, empty when there is none.
    QString entry(int index) const;
    int selectedIndex() const { return currentRow(); }
    QString selectedText() const;

signals:
    // The user chose an entry (or chose the same one again), by mouse or keyboard.
    void userSelected(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    store::ListEncoding m_encoding = store::ListEncoding::Windows1252;
};

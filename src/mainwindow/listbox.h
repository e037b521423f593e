#pragma once

#include "mainwindow/listitemdelegate.h"
#include "store/fileresult.h"
#include "store/listfile.h"

#include <QListWidget>

// One of the four lists of the main window. Only the user chooses an entry: a left click on
// an entry (also on the one already chosen) or a key that moves the highlight. Focus, Tab,
// window activation, other clicks and refilling the list never do, and the highlight always
// shows the chosen entry. It remembers the encoding of the last file it read, so a list found
// with a byte-order mark is written back with it.
class ListBox : public QListWidget {
    Q_OBJECT

public:
    ListBox(ListItemDelegate::Marker marker, QWidget *parent = nullptr);

    // Replaces the entries by the file's lines. On failure the list stays as it was.
    store::FileResult loadFile(const store::Tree &area, const QString &path);
    store::FileResult saveFile(const store::Tree &area, const QString &path) const;

    // Shows a list as read from its file; later writes keep its encoding.
    void setList(const store::ListText &list);
    QStringList entries() const;
    // Replaces the entries; nothing is chosen afterwards.
    void setEntries(const QStringList &entries);
    void clearEntries();
    void clearChoice();
    void removeEntry(int index);
    // The text of entry index, empty when there is none.
    QString entry(int index) const;
    int selectedIndex() const { return m_chosen; }
    // Shows index as chosen without announcing it: the same entry moved in a refreshed list.
    void showChosen(int index);
    QString selectedText() const { return entry(m_chosen); }
    // Chooses entry index exactly as a click on it does.
    void chooseAsClicked(int index) { choose(index); }

    // Shows entry index as text, marked as changed from what is written, or as written again
    // when text is empty. The entry itself (what entries() gives and saveFile writes) stays.
    void showAs(int index, const QString &text);
    // The entries as the list shows them.
    QStringList shownEntries() const;

signals:
    // The user chose entry index (or chose the same one again).
    void userSelected(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void choose(int index);
    void showChoice();

    int m_chosen = -1;
    store::ListEncoding m_encoding = store::ListEncoding::Windows1252;
};

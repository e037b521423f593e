#pragma once

#include <QComboBox>

// An editable drop-down list that completes what is typed with the first entry, in list
// order, that begins with it (letter case ignored). Every typed character and every choice
// from the opened list is a change; making an entry current from the program is not.
class FontBox : public QComboBox {
    Q_OBJECT

public:
    explicit FontBox(QWidget *parent = nullptr);

    // Makes the entry equal to text (whole entry, letter case ignored) current without a
    // change; with none, the box has no current entry and shows an empty text.
    void showEntry(const QString &text);
    // The text of the current entry; empty when there is none.
    QString currentEntry() const;

    void showPopup() override;

signals:
    void changed();
    // Before the box lists its entries or completes typed text with them: the moment to add
    // entries that were too dear to find at start.
    void aboutToList();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void textTyped(const QString &text);

    bool m_deleting = false;
};

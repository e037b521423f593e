#pragma once

#include "bigbook.h"
#include "stallmeter.h"

#include <QList>
#include <QString>

#include <functional>

class DescriptionEdit;
class ListBox;
class Tmainform;

struct Row {
    QString action;
    double stallMs = 0;
    double totalMs = 0;
    double inputMs = -1; // key press to paint, where the action is typing
    bool finished = true;
    QString note;        // what went otherwise, when it did not finish
};

// Drives the real main window through what a user does, one row per action.
class Bench {
public:
    explicit Bench(const BigBook &book)
        : m_book(book)
    {
    }

    void run();

private:
    // Browsing, writing, spell checking, saving, searching: the window's own work.
    void inTheBook();
    // Printing, the cookbook, a backup and a restore, and recipes fetched and imported: each
    // runs beside the window behind its progress.
    void outOfTheBook();
    void fetchedPage();
    void folderImport();

    DescriptionEdit *edit() const;
    bool idleEditor() const;
    static void click(ListBox *box, const QString &entry);
    void search(const QString &words);
    void settle();

    void startUp();
    void measure(const QString &action, const std::function<void()> &act, const std::function<bool()> &done);
    // A command that runs to its end inside act (its progress in a loop of its own) and closes
    // with the information message expected, answered as a user would.
    // done, when given, says when work the command started has ended.
    void measureCommand(const QString &action, const std::function<void()> &act, const QString &expected,
                        const std::function<bool()> &done = {});
    void typing(const QString &action);
    void othersWrite(int count);
    void print() const;

    const BigBook &m_book;
    StallMeter m_meter;
    Tmainform *w = nullptr;
    QList<Row> m_rows;
};

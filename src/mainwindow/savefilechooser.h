#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Where the user wants a file saved: the toolkit's file dialog, asking before it replaces a
// file. Empty when the user cancels.
QString askSaveFile(QWidget *parent, const QString &title, const QString &suggested);

// The home folder and name + ".pdf", for the dialog to start from.
QString pdfSuggestion(const QString &name);

// Tests answer the dialog here: given the title and the suggestion, the chosen file.
extern std::function<QString(const QString &title, const QString &suggested)> saveFileAnswer;

// One of items, current chosen at first; -1 when the user cancels.
int chooseOne(QWidget *parent, const QString &title, const QString &label, const QStringList &items, int current);

// Tests answer chooseOne here: given the items, the index chosen.
extern std::function<int(const QStringList &items)> chooseOneAnswer;

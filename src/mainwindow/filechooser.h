#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file dialogs of the backup and share commands. A test queues the names the user would
// choose (an empty one for "Annuller"); each dialog then takes the next instead of opening.
namespace filechooser {

QString saveFile(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter);
QString openFile(QWidget *parent, const QString &caption, const QString &filter);

// Test hook: the answers still to give.
extern QStringList queuedAnswers;

} // namespace filechooser

#include "mainwindow/filechooser.h"

#include <QFileDialog>

namespace filechooser {

QStringList queuedAnswers;

QString saveFile(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter)
{
    if (!queuedAnswers.isEmpty())
        return queuedAnswers.takeFirst();
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

QString openFile(QWidget *parent, const QString &caption, const QString &filter)
{
    if (!queuedAnswers.isEmpty())
        return queuedAnswers.takeFirst();
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

} // namespace filechooser

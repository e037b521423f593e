#include "mainwindow/savefilechooser.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

std::function<QString(const QString &, const QString &)> saveFileAnswer;

QString askSaveFile(QWidget *parent, const QString &title, const QString &suggested)
{
    if (saveFileAnswer)
        return saveFileAnswer(title, suggested);
    QString file = QFileDialog::getSaveFileName(parent, title, suggested, QStringLiteral("PDF (*.pdf)"));
    if (!file.isEmpty() && !file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    return file;
}

QString pdfSuggestion(const QString &name)
{
    QString clean = name;
    clean.replace(u'/', u'-');
    return QDir::home().filePath((clean.isEmpty() ? QStringLiteral("Retterum") : clean) + QStringLiteral(".pdf"));
}

std::function<int(const QStringList &)> chooseOneAnswer;

int chooseOne(QWidget *parent, const QString &title, const QString &label, const QStringList &items, int current)
{
    if (chooseOneAnswer)
        return chooseOneAnswer(items);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, title, label, items, current, false, &ok);
    return ok ? int(items.indexOf(chosen)) : -1;
}

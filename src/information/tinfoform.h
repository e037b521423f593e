#pragma once

#include "dialogs/formslot.h"

#include <QWidget>

class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The help window: a fixed tree of topics and the page of the chosen topic, read from the
// program folder. Not modal; closing it only hides it.
class Tinfoform : public QWidget {
    Q_OBJECT

public:
    // grundDir: the program folder; optDir: the settings folder with its trailing separator,
    // empty when the user has none (then nothing is written).
    Tinfoform(QWidget *mainWindow, const QString &grundDir, const QString &optDir);

    void HentOpt();
    void GemOpt();
    void FormActivate();
    void visHjemmeside(const QString &S);
    void strukturChange(QTreeWidgetItem *node);
    void udfoldButtonClick();
    void sammenfoldButtonClick();

    bool opstart = true;
    QString preUrl;
    QString optFilnavn;

    QWidget *LeftPanel = nullptr;
    QWidget *LpTop = nullptr;
    QToolButton *udfoldButton = nullptr;
    QToolButton *sammenfoldButton = nullptr;
    QTreeWidget *struktur = nullptr;
    QTextBrowser *Web = nullptr;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate(const QString &grundDir, const QString &optDir);
    void buildLayout();
    void buildTree();
    void followPage(const QUrl &source);
};

extern FormSlot<Tinfoform> infoform;

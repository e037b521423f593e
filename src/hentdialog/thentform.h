#pragma once

#include "hentdialog/henttarget.h"

#include <QDialog>

#include <memory>

class FolderRun;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTextEdit;

// "Hent opskrift": a recipe from a web address, a saved page or a schema.org file, shown as
// it will be saved before anything is written; or every recipe of a folder of recipe folders.
class Thentform : public QDialog {
    Q_OBJECT

public:
    explicit Thentform(QWidget *mainWindow);
    ~Thentform() override;

    // Opens the dialog for target. what: an address or a file dropped on the window, fetched at
    // once; otherwise the clipboard's address is offered.
    void start(const HentTarget &target, const QString &what = {});

    void loadAddress();
    void loadFile(const QString &path);
    void importFolder(const QString &path);
    void indfoer();
    void annuller();
    bool isBusy() const;

    // Which file or folder to read; replaced by tests, as the system's dialogs can't be clicked.
    static QString (*chooseFile)(QWidget *parent);
    static QString (*chooseFolder)(QWidget *parent);

    // The first page: where the recipe comes from.
    QStackedWidget *sider = nullptr;
    QLineEdit *adresseEdit = nullptr;
    QPushButton *hentButton = nullptr;
    QPushButton *filButton = nullptr;
    QPushButton *mappeButton = nullptr;
    QProgressBar *hentBar = nullptr;
    QLabel *statusLabel = nullptr;
    QPushButton *annullerButton = nullptr;
    // The second page: the recipe as it will be saved.
    QLineEdit *navnEdit = nullptr;
    QLabel *navnFejl = nullptr;
    QListWidget *ingrediensListe = nullptr;
    QTextEdit *beskrivelseView = nullptr;
    QLabel *noteLabel = nullptr;
    // On by default when the lines use cups, ounces or pounds.
    QCheckBox *omregnCheck = nullptr;
    QPushButton *tilbageButton = nullptr;
    QPushButton *indfoerButton = nullptr;
    QPushButton *annullerButton2 = nullptr;

    // Closing, however it is done, stops what runs; a folder import tells how far it got.
    void done(int result) override;

private:
    QWidget *buildSourcePage();
    QWidget *buildPreviewPage();
    void setBusy(bool busy, const QString &status = {});
    void showProgress(qint64 received, qint64 total);
    void loaded(const webimport::LoadResult &result);
    void showPreview(const webimport::LoadResult &result);
    void checkName();
    void showRecipe();
    // The recipe as it will be saved: in Danish measures when omregnCheck says so.
    webimport::LoadResult toSave() const;
    void showFolderProgress();
    int folderDone(); // the number imported

    HentTarget m_target;
    webimport::RecipeLoad *m_load = nullptr;
    webimport::LoadResult m_loaded;
    std::unique_ptr<FolderRun> m_folder;
};

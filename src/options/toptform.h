#pragma once

#include "dialogs/formslot.h"
#include "options/mainwindowlink.h"
#include "options/optunit.h"
#include "options/startupregistration.h"
#include "store/fileresult.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QTimer;
class QToolButton;

// The options dialog "Egenskaber": design, notification area, minimise at start, start at
// login, and the print and standard-size commands of the main window. Not modal; closing it
// only hides it, and nothing is saved on close.
class Toptform : public QDialog {
    Q_OBJECT

public:
    Toptform(QWidget *mainWindow, const MainWindowLink &link);

    void HentOpt();
    // The notification-area and minimise-at-start choices as they stand: the dialog's when it
    // has been made, else the settings file's.
    static options::OptUnit startOptions(const QString &optDir);
    [[nodiscard]] store::FileResult GemOpt();
    void gemButtonClick();
    void designBoxChange(int index);
    void trayCheckClick();
    void minimerCheckClick();

    // Start at login: a script writes a desktop entry into the settings folder, which the poll
    // then copies into the autostart folder or, when one is there already, removes from it.
    void startProgDoButtonClick();
    void makeOpstartProg();
    void startProgTimerTimer();
    static void ErrorInfo(int Nr);
    static constexpr int kPollsBeforeGivingUp = 10;

    QString optFilnavn;
    QString ProgramDir;
    QString startProgFilename;
    QString SPtimerFilename;
    int SPtimerCount = 0;
    // The executable the entry starts: this program.
    QString programFile;

    QLabel *Label24 = nullptr;
    QComboBox *designBox = nullptr;
    QCheckBox *trayCheck = nullptr;
    QCheckBox *minimerCheck = nullptr;
    QLabel *StaticText15 = nullptr;
    QPushButton *startProgDoButton = nullptr;
    QPushButton *gemButton = nullptr;
    QLabel *Label1 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *infButton = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QToolButton *sikkerhedskopiButton = nullptr;
    QToolButton *indlaesButton = nullptr;
    QTimer *startProgTimer = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void buildLayout(QWidget *mainWindow);
    QWidget *buildSettingsPanel(QWidget *mainWindow);
    QWidget *buildPrintPanel(QWidget *mainWindow);
    QLayout *buildBackupRow(QWidget *panel, QWidget *mainWindow);
    void connectControls();
    void stopPolling();
    void takeFoundEntry();

    MainWindowLink m_link;
    startup::ScriptLauncher m_scripts;
};

extern FormSlot<Toptform> optform;

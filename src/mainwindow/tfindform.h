#pragma once

#include "search/recipeindex.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
namespace search {
class SearchService;
struct SearchResults;
}

// The search window: words typed are looked for in both recipe areas after a short pause, and
// the recipe of a result opens in the main window. Not modal; closing it only hides it.
class Tfindform : public QWidget {
    Q_OBJECT

public:
    // optDir: the settings folder with its trailing separator, empty when the user has none
    // (then nothing is written).
    Tfindform(QWidget *mainWindow, const QString &optDir, QList<search::AreaSource> areas);
    ~Tfindform() override;

    void HentOpt();
    void GemOpt();
    // Shown, in front, with the field ready for new words.
    void start();
    // The program changed the store: the next answer reads the change first.
    void noteChange();
    void openCurrent();
    // The words the results on screen answer, as typed.
    QString answeredText() const { return m_answered; }

    QString optFilnavn;
    QLineEdit *soegEdit = nullptr;
    QProgressBar *byggeBar = nullptr;
    QLabel *statusLabel = nullptr;
    QTreeWidget *resultatListe = nullptr;
    QPushButton *aabnButton = nullptr;
    QPushButton *lukButton = nullptr;

    // How long typing must pause before the search runs.
    static constexpr int kPauseMs = 250;

signals:
    void openRequested(const search::Found &found, const QStringList &words);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void runSearch();
    void showBuilding(int done, int total);
    void showResults(const search::SearchResults &results);
    void enterPressed();

    QList<search::AreaSource> m_areas;
    search::SearchService *m_service = nullptr; // made at the first search
    QTimer m_pause;
    int m_waitingFor = 0; // serial of the answer that counts
    bool m_openWhenAnswered = false;
    QStringList m_words;
    QString m_answered; // the text the results shown are for
    QList<search::Found> m_found;
};

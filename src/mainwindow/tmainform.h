#pragma once

#include "dialogs/formslot.h"
#include "editor/fontlist.h"
#include "mainwindow/drafts.h"
#include "mainwindow/linerewrite.h"
#include "mainwindow/listitemdelegate.h"
#include "mainwindow/mainsettings.h"
#include "mainwindow/servingsbook.h"
#include "store/listchange.h"
#include "store/storepaths.h"

#include <QMainWindow>
#include <QStringList>

#include <optional>

class ActionUpdater;
class Tfindform;
class Thentform;
class DescriptionEdit;
class EditorActions;
class FontPanel;
class HintTracker;
class ListBox;
class PortionControl;
class QAction;
class QButtonGroup;
class QFileSystemWatcher;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QStatusBar;
class QSystemTrayIcon;
class QTextEdit;
class QToolBar;
class QToolButton;
class QTimer;
namespace printing {
struct PrintValues;
}
namespace search {
struct Found;
}
namespace webimport {
struct LoadResult;
}

// The main window: the four lists, the description editor and the bottom row. It owns the
// navigation state; the work itself is done by the store, the RTF code and the dialogs.
class Tmainform : public QMainWindow {
    Q_OBJECT

public:
    explicit Tmainform(const store::StorePaths &paths, QWidget *parent = nullptr);
    ~Tmainform() override;

    static QString GetUserFromWindows();

    // Settings file
    void HentOpt(bool medtagPlacering);
    void defaultOpt();
    void GemOpt();
    void FormActivate();
    // What the first frame does not show (the tray icon, the clipboard's contents) waits for it.
    bool firstFrameOut() const { return m_firstFrameOut; }
    void setProgSizes();
    bool hasStandardSizes() const;

    // Navigation
    void clearElementer(int No);
    void setValues(int No);
    void setDir(bool newDir);
    void setProgramMode(int aModeNumber);
    void hovedKatBoxClick();
    void underKatBoxClick();
    void opskriftBoxClick();
    void loadDescription();
    // Whether a description is still being read in.
    bool isLoadingDescription() const { return m_loadingDescription; }
    void ingrediensBoxClick();
    void opstartValgClick(int index);
    void modeValgClick(int index);
    void XYinfo();
    void readAlleFonte();

    // Store operations; level 1 main category, 2 subcategory, 3 recipe, 4 ingredient line.
    void insertExecute(int level);
    void sletExecute(int level);
    void redigerExecute(int level);
    void editEnter(int level);
    void editKeyPress(int level);
    void AinsertHovedKatExecute() { insertExecute(1); }
    void AinsertUnderKatExecute() { insertExecute(2); }
    void AinsertOpskriftExecute() { insertExecute(3); }
    void AinsertIngrediensExecute() { insertExecute(4); }
    void AsletHovedKatExecute() { sletExecute(1); }
    void AsletUnderKatExecute() { sletExecute(2); }
    void AsletOpskriftExecute() { sletExecute(3); }
    void AsletIngrediensExecute() { sletExecute(4); }
    void AredigerHovedKatExecute() { redigerExecute(1); }
    void AredigerUnderKatExecute() { redigerExecute(2); }
    void AredigerOpskriftExecute() { redigerExecute(3); }
    void AredigerIngrediensExecute() { redigerExecute(4); }
    void AgemBeskrivelseExecute();
    void AreloadExecute();
    static void waitWithWindowAnswering();

    // Description editor: fonts, sizes, colours, format commands, status, hints, spelling.
    void definerName(const QString &aName);
    void definerSize(int aSize);
    void nameBoxChange();
    void sizeBoxChange();
    void sizeButtonClick(int number); // sizeButton1 to sizeButton5
    void osButtonClick();
    void textButtonClick();
    void mFontClick(int number); // mFont1 to mFont8
    void mfontHentClick();
    void mFontGemClick();
    void colorGridClick();
    void udskrivFarve();
    void setStandardOverskrift(QTextEdit *RE);
    void setStandardTekst(QTextEdit *RE);
    void EditorKeyUp();
    void EditorMouseDown(Qt::MouseButton button);
    void EditorMouseMove();
    void EditorMouseUp();
    void HintInfo(const QString &hint);
    void EditStavekontrolExecute();
    DescriptionEdit *descriptionEdit() const;
    bool musNede = false;
    // The dictionary the spelling switch loads; the personal words are kept beside the settings.
    QString stavekontrolOrdbog;
    QString personalWordListPath() const;

    // Web search of the selected text or the word at the caret; each action keeps its address.
    QString FindTekst() const;
    QString getTheWord() const;
    void googleUrlBeforeBrowse(QAction *Sender);
    void bingUrlBeforeBrowse(QAction *Sender);
    void tubeUrlBeforeBrowse(QAction *Sender);
    // Printing: the ingredient list, the description or both, on the default printer.
    void AudskrivIngredienserExecute();
    void AudskrivOpskriftExecute();
    void AudskrivBeggeExecute();
    void AudskrivIngredienserUpdate();
    void AudskrivOpskriftUpdate();
    void AudskrivBeggeUpdate();
    // "Vis udskrift" beside each print command, and the recipe as the PDF "Begge" would print.
    void AvisIngredienserExecute();
    void AvisOpskriftExecute();
    void AvisBeggeExecute();
    void AgemPdfExecute();
    // The chosen subcategory, main category or area as one PDF book.
    void AkogebogExecute();
    void AkogebogUpdate();

    // A backup of the open area, restoring one into it, the chosen recipe as a page to share.
    void AsikkerhedskopiExecute();
    void AindlaesSikkerhedskopiExecute();
    void AdelOpskriftExecute();
    void AdelOpskriftUpdate();

    // Finding a recipe in both areas; a result opens as the user's clicks would open it.
    void AfindExecute();
    void openFound(const search::Found &found, const QStringList &words);
    Tfindform *findform = nullptr; // made at the first search

    // A recipe from a web page, a saved page, a recipe file or a folder of them, into the
    // chosen subcategory. what: an address or file dropped on the window.
    void AhentExecute(const QString &what = {});
    Thentform *hentform = nullptr; // made at its first use

    // Portions in read mode: the ingredient list shown for another number of servings; nothing
    // is saved, and leaving the recipe, write mode or reloading returns to 1x.
    void showPortions();
    void scaleIngredients();
    // "Til 6 personer" while the list is shown scaled, else empty.
    QString scaledFor() const;
    // The ingredient lines in Danish measures and the description's °F in °C, as one edit
    // that "Annuller" in the editor or "Fortryd omregning" takes back.
    void AomregnMaalExecute();
    void AfortrydOmregningExecute();
    void AomregnMaalUpdate();

    void optButtonClick();
    void restoreFromTray();
    void aInformationExecute();
    void aProgSizesExecute();
    // Applies the look DesignName names; an unknown name is told at the first activation.
    void applyDesign();
    void updateActions();

    // Fields read by the other windows.
    QString brugernavn;
    QString grundDir;
    QString optDir;
    QString optfil;
    bool opstart = true;
    QString Mainfont;
    int MainSize = 10;
    QString standardFont;
    int programMode = 0;
    int brugerOpstart = 1;
    QString DesignName;

    // Navigation state
    QString dir;
    QString hovedFile;
    int hovedIndex = -1;
    QString underDir;
    QString underFile;
    int underIndex = -1;
    QString opskriftDir;
    QString opskriftFile;
    int opskriftIndex = -1;
    QString filnavn;
    QString fillistenavn;
    int ingrediensIndex = -1;

    // Controls
    QSplitter *mainSplitter = nullptr;
    QSplitter *mainPanel1 = nullptr;
    QWidget *mainPanel3 = nullptr;
    QSplitter *mainPanel2 = nullptr;
    QWidget *topPanel = nullptr;
    QWidget *bottomPanel = nullptr;
    QWidget *rightPanel1 = nullptr;
    QWidget *rightPanel2 = nullptr;
    ListBox *hovedKatBox = nullptr;
    ListBox *underKatBox = nullptr;
    ListBox *opskriftBox = nullptr;
    ListBox *ingrediensBox = nullptr;
    QLineEdit *hovedKatEdit = nullptr;
    QLineEdit *underKatEdit = nullptr;
    QLineEdit *opskriftEdit = nullptr;
    QLineEdit *ingrediensEdit = nullptr;
    QWidget *newHovedKatPanel = nullptr;
    QWidget *newUnderKatPanel = nullptr;
    QWidget *newOpskriftPanel = nullptr;
    QWidget *newIngrediensPanel = nullptr;
    QLabel *opskriftLabel = nullptr;
    // Only write mode shows these two: they are made the first time write mode is chosen or
    // they are used, and follow the editor from then on.
    FormSlot<FontPanel> fontPanel;
    FormSlot<QToolBar> toolPanel;
    // Made the first time a recipe is read.
    FormSlot<PortionControl> portionPanel;
    QTextEdit *Editor = nullptr;
    QWidget *Panel2 = nullptr;
    QGroupBox *opstartValg = nullptr;
    QGroupBox *modeValg = nullptr;
    QButtonGroup *opstartGroup = nullptr;
    QButtonGroup *modeGroup = nullptr;
    QToolButton *infButton = nullptr;
    QToolButton *optButton = nullptr;
    QToolButton *findButton = nullptr;
    QToolButton *hentOpskriftButton = nullptr;
    QStatusBar *hintBar = nullptr;
    QLabel *hintLabel = nullptr;
    QSystemTrayIcon *TrayIcon = nullptr;

    // Actions
    EditorActions *editorActions = nullptr;
    QAction *aInformation = nullptr;
    QAction *aProgSizes = nullptr;
    QAction *AsletHovedKat = nullptr;
    QAction *AredigerHovedKat = nullptr;
    QAction *AinsertHovedKat = nullptr;
    QAction *AsletUnderKat = nullptr;
    QAction *AredigerUnderKat = nullptr;
    QAction *AinsertUnderKat = nullptr;
    QAction *AsletOpskrift = nullptr;
    QAction *AredigerOpskrift = nullptr;
    QAction *AinsertOpskrift = nullptr;
    QAction *AsletIngrediens = nullptr;
    QAction *AredigerIngrediens = nullptr;
    QAction *AinsertIngrediens = nullptr;
    QAction *AgemBeskrivelse = nullptr;
    QAction *Areload = nullptr;
    QAction *AudskrivIngredienser = nullptr;
    QAction *AudskrivOpskrift = nullptr;
    QAction *AudskrivBegge = nullptr;
    QAction *AvisIngredienser = nullptr;
    QAction *AvisOpskrift = nullptr;
    QAction *AvisBegge = nullptr;
    QAction *AgemPdf = nullptr;
    QAction *Akogebog = nullptr;
    QAction *aFind = nullptr;
    QAction *aHent = nullptr;
    QAction *Asikkerhedskopi = nullptr;
    QAction *AindlaesSikkerhedskopi = nullptr;
    QAction *AdelOpskrift = nullptr;
    QAction *AomregnMaal = nullptr;
    QAction *AfortrydOmregning = nullptr;

signals:
    void closed();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct PanelSizes {
        int mainPanel1Width;
        int mainPanel2Width;
        int bottomPanelHeight;
        int rightPanel1Height;
    };

    void FormCreate();
    void buildLayout();
    void buildActions();
    void buildListBlock(QSplitter *column, QWidget *&block, const QString &blockName,
                        const QString &labelName, const QString &caption, ListBox *&box,
                        ListItemDelegate::Marker marker, const QString &boxName, QLineEdit *&edit,
                        const QString &editName, QWidget *&strip, const QString &stripName,
                        int stripHeight, QAction *slet, QAction *rediger, QAction *indfoer);
    QWidget *buildBottomRow(QWidget *parent);
    void buildWritePanels();
    void showFontList(FontPanel *panel);
    // The name box's entry for a face, empty when it has none; see FontList::entry.
    QString listedFontName(const QString &name);
    void listWindowsFaces();
    QToolBar *buildToolPanel(QWidget *parent);
    void buildTrayIcon();
    struct LevelParts {
        ListBox *box;
        QLineEdit *edit;
        int *index;
        QString listFile;
        QAction *insertAction;
    };

    void connectEditor();
    void connectFontControls();
    void followCaret();
    void formatCommand(void (*apply)(QTextEdit *));
    void addToPersonalWordList(const QString &word);
    void updateEditorActions();
    void connectWebSearch();
    void connectNavigation();
    void connectFolderWatch();
    void watchOpenFolders();
    void followChangesOnDisk();
    int movedEntry(int level, const QStringList &entries) const;
    void rememberChosen(int level);
    void recomposePaths();
    void keepOrphan(int level);
    bool saveOrphan();

    // Drafts of unsaved descriptions
    QString draftKeyOf(int level, const QString &name) const;
    QString openRecipeKey() const;
    void keepDraft();
    void offerDraft();
    void connectPrinting();
    void connectFind();
    void connectHent();
    bool hentAllowed() const;
    bool insertFetched(const QString &name, const webimport::LoadResult &loaded);
    void connectBackup();
    void connectPortions();
    void connectMeasures();
    int recipeServings() const;
    // Rewrites the lines in their places in one write of the list; returns those done, after
    // telling the user why the rest could not be.
    QList<LineRewrite> rewriteLines(const QList<LineRewrite> &rewrites);
    QString openAreaName() const; // "Alle" or the login, as the backup's manifest names it
    void noteOwnChange();
    void printDocumentOf(QTextEdit *edit, const printing::PrintValues &values);
    // The document a print command prints, composed anew.
    using Composer = QTextEdit *(Tmainform::*)();
    QTextEdit *composeIngredienser();
    QTextEdit *composeOpskrift();
    QTextEdit *composeBegge();
    void printCommand(Composer compose);
    void previewCommand(Composer compose);
    void connectCookbook();
    void chooseCategory(int level);
    void connectStoreOperations();
    LevelParts levelParts(int level);
    bool insertEntry(int level, const QString &text);
    store::ListChange listChange(int level);
    void showList(int level, const store::ChangeResult &result);
    void updateStoreActions();
    void applySettings(const MainSettings &settings, bool medtagPlacering);
    void setOuterGeometry(int left, int top, int width, int height);
    void setOuterSize(int width, int height);
    void fitOuterSizeToFrame();
    void setPanelSizes(const PanelSizes &sizes);
    PanelSizes panelSizes() const;
    void loadList(ListBox *box, const QString &path);
    void afterFirstFrame();

    store::StorePaths m_paths;
    store::Tree m_area; // the open area; every path below it goes through this gate
    store::Tree::Stamp m_descriptionStamp; // of filnavn when it was loaded or saved here
    // What the chosen main category, subcategory and recipe are on disk (their inodes), to
    // tell a rename by someone else from a delete.
    quint64 m_chosenInodes[3] = {0, 0, 0};
    // The open recipe was deleted by someone else while its text was unsaved: the editor keeps
    // the text and the paths, and "Gem" makes the recipe anew.
    bool m_orphaned = false;
    bool m_loadingDescription = false;
    Drafts m_drafts;
    ServingsBook m_servings;
    // The last "Omregn til danske mål" is the editor's next undo step.
    bool m_measuresOnTop = false;
    QObject *m_measuresFollower = nullptr; // owns the connections that follow the editor's stack
    QFileSystemWatcher *m_folderWatcher = nullptr;
    QTimer *m_followTimer = nullptr;
    QStringList m_watchedFor; // dir, underDir and opskriftDir when the watch was last set
    bool m_privateUsable = true;
    FontList m_fontList; // the name box's entries, read once at start
    bool m_windowsFacesListed = false;
    bool m_caretFollowed = false; // the status line shows nothing until the caret is followed
    bool m_firstFrameOut = false;
    std::optional<bool> m_trayAfterFirstFrame; // the start's choice, when activation came first
    QStringList m_startMessages; // shown at the first activation, when the dialogs exist
    ActionUpdater *m_actionUpdater = nullptr;
    HintTracker *m_hintTracker = nullptr;
    PanelSizes m_pendingPanelSizes{};
    bool m_panelSizesPending = false;
    QSize m_unframedOuterSize;
};

extern Tmainform *mainform;

#include "mainwindow/tmainform.h"

#include "dialogs/messages.h"
#include "dialogs/onscreen.h"
#include "editor/accessiblenames.h"
#include "editor/fontbox.h"
#include "editor/fontlist.h"
#include "editor/fontpanel.h"
#include "editor/standinfaces.h"
#include "information/tinfoform.h"
#include "mainwindow/actionupdater.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "mainwindow/windowface.h"
#include "options/toptform.h"
#include "store/areascan.h"
#include "store/fileerror.h"
#include "store/listfile.h"
#include "store/privatefolder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <utility>

#include <unistd.h>

Tmainform *mainform = nullptr;

namespace {

// A new user's private area is empty while the example book sits in the shared one.
const QString kEmptyAreaHint = QStringLiteral(
    "Her er endnu ingen opskrifter.\n\n"
    "Under \"For alle\" nederst ligger de opskrifter, der deles på denne pc.\n\n"
    "En hovedkategori laves i \"Skriv\": skriv navnet i feltet under Hovedkategori og tryk \"Indfør\".");

constexpr int kStandardOuterWidth = 1057;
constexpr int kStandardOuterHeight = 678;

} // namespace

Tmainform::Tmainform(const store::StorePaths &paths, QWidget *parent)
    : QMainWindow(parent)
    , m_paths(paths)
{
    setObjectName(QStringLiteral("mainform"));
    // Before any text is drawn in a face a recipe names (the program has added them already).
    standinfaces::addRules();
    // Before any control exists: none is then laid out for another font first.
    setFont(windowFace());
    buildActions();
    buildLayout();
    buildTrayIcon();
    connectNavigation();
    connectStoreOperations();
    connectFolderWatch();
    waitWithWindowAnswering();
    connectEditor();
    connectWebSearch();
    connectPrinting();
    connectCookbook();
    connectFind();
    connectHent();
    connectBackup();
    connectPortions();
    connectMeasures();
    m_actionUpdater = new ActionUpdater(this);
    connect(m_actionUpdater, &ActionUpdater::updateRequested, this, &Tmainform::updateActions);
    FormCreate();
}

Tmainform::~Tmainform()
{
    if (mainform == this)
        mainform = nullptr;
}

QString Tmainform::GetUserFromWindows()
{
    return store::loginName();
}

void Tmainform::FormCreate()
{
    opstart = true;
    brugernavn = GetUserFromWindows();
    grundDir = m_paths.programDir();

    // A private area is private: a folder that is not the user's own is not used, and without
    // it there is neither a private area nor a settings file.
    const store::PrivateFolder privateFolder = store::preparePrivateFolder(m_paths, brugernavn);
    m_privateUsable = privateFolder == store::PrivateFolder::Ready;
    if (!m_privateUsable) {
        const QString folder = m_paths.userFolder(brugernavn);
        m_startMessages << (privateFolder == store::PrivateFolder::NotOwn
                              ? QStringLiteral("Mappen \"%1\" er ikke din egen og bruges derfor ikke.")
                              : QStringLiteral("Mappen \"%1\" kan ikke oprettes."))
                             .arg(folder)
            + QStringLiteral("\rDine private opskrifter og indstillinger kan ikke bruges, men "
                             "opskrifterne for alle kan.");
    }
    optDir = m_privateUsable ? m_paths.settingsDir(brugernavn) : QString();
    if (m_privateUsable)
        store::clearSettingsTemporaries(optDir);
    optfil = m_privateUsable ? optDir + u"indstillinger.txt" : QString();
    m_drafts.setSettingsFolder(optDir);
    m_servings.setFile(optDir.isEmpty() ? QString() : optDir + u"portioner.txt");

    HentOpt(true);

    Editor->document()->setDefaultFont(QFont(Mainfont, MainSize));

    {
        const QSignalBlocker blockArea(opstartGroup);
        const QSignalBlocker blockMode(modeGroup);
        opstartGroup->button(brugerOpstart == 0 ? 0 : 1)->setChecked(true);
        modeGroup->button(programMode == 0 ? 0 : 1)->setChecked(true);
    }
    // The mode costs nothing to apply now; the area is opened at the first activation.
    setProgramMode(programMode);

    readAlleFonte();
}

void Tmainform::readAlleFonte()
{
    m_fontList.readInstalled();
    if (FontPanel *panel = fontPanel.existing())
        showFontList(panel);
}

void Tmainform::showFontList(FontPanel *panel)
{
    FontBox *names = panel->nameBox;
    {
        const QSignalBlocker blocker(names);
        names->clear();
        names->addItems(m_fontList.names());
    }
    // Shown until the first activation applies the font.
    names->showEntry(listedFontName(Mainfont));
    panel->sizeBox->showEntry(QString::number(MainSize));
}

// Some 0.2 ms for each face asked, so not at start but when the box is first opened or typed in.
void Tmainform::listWindowsFaces()
{
    if (m_windowsFacesListed)
        return;
    m_windowsFacesListed = true;
    const QStringList faces = standinfaces::windowsFaces();
    for (const QString &face : faces)
        listedFontName(face);
}

QString Tmainform::listedFontName(const QString &name)
{
    int added = -1;
    const QString entry = m_fontList.entry(name, &added);
    if (FontPanel *panel = fontPanel.existing(); panel && added >= 0) {
        const QSignalBlocker blocker(panel->nameBox);
        panel->nameBox->insertItem(added, entry);
    }
    return entry;
}

void Tmainform::HentOpt(bool medtagPlacering)
{
    std::optional<MainSettings> settings;
    if (!optfil.isEmpty() && store::Tree::aroundFile(optfil).exists(optfil)) {
        store::ListText lines;
        if (store::readListFile(optfil, &lines))
            settings = MainSettings::fromLines(lines.entries);
    }
    if (!settings) {
        defaultOpt();
        return;
    }
    applySettings(*settings, medtagPlacering);
    applyDesign();
}

void Tmainform::defaultOpt()
{
    applySettings(MainSettings(), true);
    applyDesign();
}

void Tmainform::applySettings(const MainSettings &s, bool medtagPlacering)
{
    if (medtagPlacering) {
        setOuterGeometry(s.left, s.top, s.outerWidth, s.outerHeight);
        setPanelSizes({s.mainPanel1Width, s.mainPanel2Width, s.bottomPanelHeight,
                       s.rightPanel1Height});
    }
    Mainfont = s.Mainfont;
    MainSize = s.MainSize;
    programMode = s.programMode;
    brugerOpstart = s.brugerOpstart;
    standardFont = s.standardFont;
    DesignName = s.DesignName;
}

void Tmainform::GemOpt()
{
    if (optfil.isEmpty())
        return;
    const QRect frame = frameGeometry();
    const PanelSizes sizes = panelSizes();
    MainSettings s;
    s.top = frame.top();
    s.left = frame.left();
    s.outerWidth = frame.width();
    s.outerHeight = frame.height();
    s.mainPanel1Width = sizes.mainPanel1Width;
    s.mainPanel2Width = sizes.mainPanel2Width;
    s.bottomPanelHeight = sizes.bottomPanelHeight;
    s.rightPanel1Height = sizes.rightPanel1Height;
    s.Mainfont = Mainfont;
    s.MainSize = MainSize;
    s.programMode = programMode;
    s.brugerOpstart = brugerOpstart;
    s.standardFont = standardFont;
    s.DesignName = DesignName;
    store::throwIfFailed(store::writeListFile(optfil, s.toLines()));
}

void Tmainform::FormActivate()
{
    if (!opstart)
        return;
    opstart = false;

    // Shown when a tray appears later too; minimising asks whether one is there (changeEvent).
    const options::OptUnit options = Toptform::startOptions(optDir);
    // Asking for a notification area takes a while; the window is drawn first, unless it goes
    // straight into the tray.
    if (m_firstFrameOut || options.minimer)
        TrayIcon->setVisible(options.tray);
    else
        m_trayAfterFirstFrame = options.tray;
    if (options.minimer)
        showMinimized();

    setProgramMode(programMode);
    setDir(true);
    definerName(Mainfont);
    definerSize(MainSize);
    for (const QString &message : std::exchange(m_startMessages, {}))
        Messages::information(message);
}

bool Tmainform::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        if (opstart)
            guardedCommand([this] { FormActivate(); });
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        fitOuterSizeToFrame();
        break;
    case QEvent::StatusTip:
        // The hint bar follows the hint tracker, which also knows the hints of controls
        // without a status tip of their own.
        return true;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void Tmainform::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Without a window manager a shown window is never activated; the program starts anyway.
    if (opstart)
        QTimer::singleShot(0, this, [this] {
            if (opstart)
                guardedCommand([this] { FormActivate(); });
        });
    // The frame is known only once the window is on screen; the stored size includes it.
    if (m_panelSizesPending)
        setPanelSizes(m_pendingPanelSizes);
}

void Tmainform::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    // The frame goes to the screen once this pass of paint events is over.
    if (!m_firstFrameOut)
        QTimer::singleShot(0, this, &Tmainform::afterFirstFrame);
}

void Tmainform::afterFirstFrame()
{
    if (std::exchange(m_firstFrameOut, true))
        return;
    if (m_trayAfterFirstFrame)
        TrayIcon->setVisible(*std::exchange(m_trayAfterFirstFrame, std::nullopt));
    m_actionUpdater->schedule(); // the paste command may ask the clipboard now
    AccessibleNames::install(); // screen readers ask once the window is there
}

void Tmainform::closeEvent(QCloseEvent *event)
{
    // Closing asks nothing: unsaved text is kept as a draft.
    guardedCommand([this] { keepDraft(); });
    // The window closes even when the settings can't be written; the user is told why.
    guardedCommand([this] { GemOpt(); });
    event->accept();
    emit closed();
}

void Tmainform::setOuterGeometry(int left, int top, int width, int height)
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        setWindowState(Qt::WindowNoState);
    // Small enough to be of use, never larger than the desktop, and wholly on it.
    const QRect placed = placeOnScreen(left, top, width, height, QSize(320, 240));
    move(placed.topLeft());
    setOuterSize(placed.width(), placed.height());
}

void Tmainform::setOuterSize(int width, int height)
{
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    resize(width - frameExtra.width(), height - frameExtra.height());
    // Until the window manager has framed the window its frame is unknown; the stored size
    // includes it, so the size is fitted again once the frame is there.
    m_unframedOuterSize = frameExtra.isNull() ? QSize(width, height) : QSize();
}

void Tmainform::fitOuterSizeToFrame()
{
    if (!m_unframedOuterSize.isValid() || windowState() != Qt::WindowNoState)
        return;
    if ((frameGeometry().size() - geometry().size()).isNull())
        return;
    const QSize wanted = m_unframedOuterSize;
    setOuterSize(wanted.width(), wanted.height());
}

void Tmainform::setPanelSizes(const PanelSizes &sizes)
{
    m_panelSizesPending = !isVisible();
    if (layout())
        layout()->activate();

    // Sizes from a settings file are bounded by what the window can show: the panel that takes
    // the rest keeps a quarter at least, and the others their least sizes, which the splitter
    // would otherwise take from it. Returns the fixed panels' sizes as placed.
    auto place = [](QSplitter *splitter, const QList<int> &fixed, int flexibleIndex) {
        const bool across = splitter->orientation() == Qt::Horizontal;
        const int handles = (splitter->count() - 1) * splitter->handleWidth();
        const int total = (across ? splitter->width() : splitter->height()) - handles;
        if (total <= 0)
            return fixed; // not laid out yet: placed again when shown
        QList<int> all;
        QList<int> least;
        qint64 sum = 0;
        qint64 leastSum = 0;
        for (int i = 0; i < fixed.size(); ++i) {
            const QWidget *panel = splitter->widget(i < flexibleIndex ? i : i + 1);
            const QSize smallest = panel->minimumSize().expandedTo(panel->minimumSizeHint());
            least.append(std::min(across ? smallest.width() : smallest.height(), total));
            all.append(std::clamp(fixed.at(i), least.last(), total));
            sum += all.last();
            leastSum += least.last();
        }
        const qint64 room = std::max(total - std::max(total / 4, 1), 0);
        if (sum > room) {
            // What each has above its least size shrinks alike.
            const qint64 spare = std::max<qint64>(room - leastSum, 0);
            for (int i = 0; i < all.size(); ++i)
                all[i] = least.at(i) + int((all.at(i) - least.at(i)) * spare / std::max<qint64>(sum - leastSum, 1));
        }
        const QList<int> placed = all;
        int rest = total;
        for (int v : all)
            rest -= v;
        all.insert(flexibleIndex, std::max(rest, 1));
        splitter->setSizes(all);
        return placed;
    };
    const QList<int> columns = place(mainSplitter, {sizes.mainPanel1Width, sizes.mainPanel2Width}, 1);
    const QList<int> left = place(mainPanel1, {sizes.bottomPanelHeight}, 0);
    const QList<int> right = place(mainPanel2, {sizes.rightPanel1Height}, 0);
    // Until the window is shown, what is saved is what will be shown, never the numbers read.
    m_pendingPanelSizes = {columns.at(0), columns.at(1), left.at(0), right.at(0)};
}

Tmainform::PanelSizes Tmainform::panelSizes() const
{
    if (m_panelSizesPending)
        return m_pendingPanelSizes;
    return {mainPanel1->width(), mainPanel2->width(), bottomPanel->height(), rightPanel1->height()};
}

bool Tmainform::hasStandardSizes() const
{
    const QRect frame = frameGeometry();
    const PanelSizes sizes = panelSizes();
    return frame.width() == kStandardOuterWidth && frame.height() == kStandardOuterHeight
        && sizes.mainPanel1Width == 233 && sizes.mainPanel2Width == 200
        && sizes.bottomPanelHeight == 300 && sizes.rightPanel1Height == 300;
}

void Tmainform::setProgSizes()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        setWindowState(Qt::WindowNoState);
    setOuterSize(kStandardOuterWidth, kStandardOuterHeight);
    setPanelSizes({233, 200, 300, 300});
}

void Tmainform::aProgSizesExecute()
{
    setProgSizes();
}

void Tmainform::optButtonClick()
{
    if (!optform)
        return;
    optform->show();
    optform->raise();
    optform->activateWindow();
}

void Tmainform::aInformationExecute()
{
    if (!infoform)
        return;
    if (infoform->isVisible()) {
        infoform->close();
    } else {
        infoform->show();
        infoform->raise();
        infoform->activateWindow();
    }
}

void Tmainform::restoreFromTray()
{
    // Back as it was before it went away: a maximised window comes back maximised.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Tmainform::updateActions()
{
    watchOpenFolders();
    aProgSizes->setEnabled(!hasStandardSizes());
    updateStoreActions();
    updateEditorActions();
    AudskrivIngredienserUpdate();
    AudskrivOpskriftUpdate();
    AudskrivBeggeUpdate();
    AdelOpskriftUpdate();
    AkogebogUpdate();
    AomregnMaalUpdate();
    // Drawn by the editor while it is empty; it is never part of the description.
    Editor->setPlaceholderText(hovedKatBox->count() == 0 ? kEmptyAreaHint : QString());
}

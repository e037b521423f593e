#include "information/tinfoform.h"

#include "dialogs/messages.h"
#include "dialogs/onscreen.h"
#include "information/strukturicons.h"
#include "store/fileerror.h"
#include "store/listfile.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>
#include <optional>

FormSlot<Tinfoform> infoform;

namespace {

constexpr int kDefaultLeft = 30;
constexpr int kDefaultTop = 30;

struct Topic {
    const char16_t *text;
    int icon;
    int parent; // position of the parent in tree order, -1 at the top
};

// The topics in tree order; each names its page, "<topic>.html".
constexpr Topic kTopics[] = {
    {u"Retterum", 0, -1},   {u"Genvejstaster", 2, 0}, {u"Egenskaber", 3, 0}, {u"Funktioner", 0, -1},
    {u"Indfør", 7, 3},      {u"Rediger", 7, 3},       {u"Slet", 7, 3},
    {u"Søg", 7, 3},
};

std::optional<QPoint> positionFromLines(const QStringList &lines)
{
    if (lines.size() < 2)
        return std::nullopt;
    bool leftOk = false;
    bool topOk = false;
    const int left = lines.at(0).toInt(&leftOk, 10);
    const int top = lines.at(1).toInt(&topOk, 10);
    if (!leftOk || !topOk)
        return std::nullopt;
    return QPoint(left, top);
}

} // namespace

Tinfoform::Tinfoform(QWidget *mainWindow, const QString &grundDir, const QString &optDir)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("infoform"));
    setWindowTitle(QStringLiteral("Information"));
    buildLayout();
    FormCreate(grundDir, optDir);
}

void Tinfoform::FormCreate(const QString &grundDir, const QString &optDir)
{
    opstart = true;
    preUrl = grundDir + QStringLiteral("/Information/");
    optFilnavn = optDir.isEmpty() ? QString() : optDir + QStringLiteral("information.txt");
    HentOpt();
}

void Tinfoform::buildLayout()
{
    setFixedSize(617, 409);
    const QList<QIcon> icons = strukturicons::strukturList();

    LeftPanel = new QWidget(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    LeftPanel->setFixedWidth(156);
    LpTop = new QWidget(LeftPanel);
    LpTop->setObjectName(QStringLiteral("LpTop"));
    LpTop->setFixedHeight(29);
    auto flatButton = [this, &icons](const QString &name, const QString &hint, int icon) {
        auto *button = new QToolButton(LpTop);
        button->setObjectName(name);
        button->setAutoRaise(true);
        button->setIcon(icons.at(icon));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(hint);
        button->setStatusTip(hint);
        return button;
    };
    udfoldButton = flatButton(QStringLiteral("udfoldButton"), QStringLiteral("Udfold hele strukturen"), 5);
    sammenfoldButton = flatButton(QStringLiteral("sammenfoldButton"), QStringLiteral("Sammenfold hele strukturen"), 6);
    auto *buttons = new QHBoxLayout(LpTop);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(2);
    buttons->addWidget(udfoldButton);
    buttons->addWidget(sammenfoldButton);
    buttons->addStretch(1);

    struktur = new QTreeWidget(LeftPanel);
    struktur->setObjectName(QStringLiteral("struktur"));
    struktur->setAccessibleName(QStringLiteral("Emner"));
    buildTree();

    auto *left = new QVBoxLayout(LeftPanel);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(LpTop);
    left->addWidget(struktur, 1);

    Web = new QTextBrowser(this);
    Web->setObjectName(QStringLiteral("Web"));
    Web->setAccessibleName(QStringLiteral("Hjælpeside"));
    // Links between the pages stay here; links to the web go to the browser.
    Web->setOpenLinks(true);
    Web->setOpenExternalLinks(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(LeftPanel);
    layout->addWidget(Web, 1);

    connect(struktur, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { strukturChange(current); });
    connect(udfoldButton, &QToolButton::clicked, this, &Tinfoform::udfoldButtonClick);
    connect(sammenfoldButton, &QToolButton::clicked, this, &Tinfoform::sammenfoldButtonClick);
    connect(Web, &QTextBrowser::sourceChanged, this, &Tinfoform::followPage);
}

void Tinfoform::buildTree()
{
    struktur->setHeaderHidden(true);
    struktur->setColumnCount(1);
    struktur->setRootIsDecorated(false);
    struktur->setIndentation(16);
    struktur->setIconSize(QSize(16, 16));
    struktur->setEditTriggers(QAbstractItemView::NoEditTriggers);
    struktur->setSelectionMode(QAbstractItemView::SingleSelection);
    // The chosen topic stays visible while the reader is in the page.
    QPalette palette = struktur->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    struktur->setPalette(palette);

    const QList<QIcon> icons = strukturicons::strukturList();
    QList<QTreeWidgetItem *> nodes;
    for (const Topic &topic : kTopics) {
        auto *node = topic.parent < 0 ? new QTreeWidgetItem(struktur) : new QTreeWidgetItem(nodes.at(topic.parent));
        node->setText(0, QString::fromUtf16(topic.text));
        node->setIcon(0, icons.at(topic.icon));
        node->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        nodes.append(node);
    }
    struktur->collapseAll();
}

void Tinfoform::HentOpt()
{
    std::optional<QPoint> position;
    if (!optFilnavn.isEmpty() && store::Tree::aroundFile(optFilnavn).exists(optFilnavn)) {
        store::ListText lines;
        if (store::readListFile(optFilnavn, &lines))
            position = positionFromLines(lines.entries);
    }
    const QPoint wanted = position.value_or(QPoint(kDefaultLeft, kDefaultTop));
    // A position from another screen, or a hostile one, can't lose the window.
    move(placeOnScreen(wanted.x(), wanted.y(), width(), height(), size()).topLeft());
}

void Tinfoform::GemOpt()
{
    if (optFilnavn.isEmpty())
        return;
    const QPoint at = pos();
    store::throwIfFailed(
        store::writeListFile(optFilnavn, {QString::number(at.x()), QString::number(at.y())}));
}

void Tinfoform::FormActivate()
{
    if (!opstart)
        return;
    opstart = false;
    struktur->setCurrentItem(struktur->topLevelItem(0)->child(0)); // "Genvejstaster"
    struktur->expandAll();
}

void Tinfoform::visHjemmeside(const QString &S)
{
    try {
        const QString page = preUrl + S + QStringLiteral(".html");
        const bool exists = QFileInfo(page).isFile();
        if (!exists && !Web->source().isEmpty())
            return; // a missing page keeps the page shown
        QFile file(page);
        if (!exists || !file.open(QIODevice::ReadOnly)) {
            // A blank view would look like a page without words.
            Web->setPlainText(QStringLiteral("Hjælpesiden \"%1\" kan ikke læses.\n"
                                             "Installer programmet igen for at få den tilbage.")
                                  .arg(S));
            return;
        }
        const QUrl url = QUrl::fromLocalFile(page);
        // After a message the same page must be read again, not taken as already shown.
        if (Web->source() == url)
            Web->reload();
        else
            Web->setSource(url);
    } catch (const std::exception &) {
        Messages::information(QStringLiteral("Vi beklager.\rDer opstod en ukendt fejl."));
    }
}

void Tinfoform::strukturChange(QTreeWidgetItem *node)
{
    if (node)
        visHjemmeside(node->text(0));
}

// A link from one page to another chooses that page's topic, so tree and page agree.
void Tinfoform::followPage(const QUrl &source)
{
    const QString fileName = QFileInfo(source.toLocalFile()).fileName();
    QTreeWidgetItemIterator it(struktur);
    for (; *it; ++it) {
        if ((*it)->text(0) + QStringLiteral(".html") == fileName) {
            if (struktur->currentItem() != *it)
                struktur->setCurrentItem(*it);
            return;
        }
    }
}

void Tinfoform::udfoldButtonClick()
{
    struktur->expandAll();
}

void Tinfoform::sammenfoldButtonClick()
{
    struktur->collapseAll();
}

bool Tinfoform::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && opstart)
        FormActivate();
    return QWidget::event(event);
}

void Tinfoform::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Without a window manager a shown window may never be activated; the help opens anyway.
    if (opstart)
        QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void Tinfoform::closeEvent(QCloseEvent *event)
{
    // The window closes even when its position can't be saved; the user is told why.
    try {
        GemOpt();
    } catch (const store::FileError &e) {
        Messages::error(e.text());
    }
    event->accept();
}

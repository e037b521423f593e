// Building the main window's controls; the pixel sizes are those of the original at 96 dpi.
#include "mainwindow/tmainform.h"

#include "dialogs/drawnpixmap.h"
#include "dialogs/flatbutton.h"
#include "dialogs/pngfile.h"
#include "editor/colorgrid.h"
#include "editor/descriptionedit.h"
#include "editor/editoractions.h"
#include "editor/fontbox.h"
#include "editor/fontpanel.h"
#include "editor/hinttracker.h"
#include "editor/namedaction.h"
#include "editor/toolicons.h"
#include "mainwindow/actionbutton.h"
#include "mainwindow/listbox.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QIcon informationIcon()
{
    return QIcon(drawnPixmap(QSize(32, 32), [](QPainter &p) {
        p.setPen(QPen(QColor(20, 80, 170), 2));
        p.setBrush(QColor(225, 238, 252));
        p.drawEllipse(QRectF(2, 2, 28, 28));
        // The "i" in shapes: a letter would load a font face of its own at start.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 80, 170));
        p.drawEllipse(QRectF(13.5, 6.5, 5, 5));
        p.drawRect(QRectF(14, 13, 4, 10));
        p.drawRect(QRectF(11.5, 13, 3, 2));
        p.drawRect(QRectF(11.5, 22, 9, 2.5));
    }));
}

QIcon optionsIcon()
{
    return QIcon(drawnPixmap(QSize(32, 32), [](QPainter &p) {
        p.setPen(QPen(QColor(90, 90, 90), 5, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(16, 16);
            p.rotate(i * 45.0);
            p.drawLine(0, 9, 0, 14);
            p.restore();
        }
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.setBrush(QColor(200, 200, 200));
        p.drawEllipse(QRectF(7, 7, 18, 18));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(12, 12, 8, 8));
    }));
}

QLabel *caption(QWidget *parent, const QString &name, const QString &text, int points)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setPointSize(points);
    label->setFont(f);
    label->setContentsMargins(0, 3, 0, 3);
    return label;
}

QGroupBox *radioGroup(QWidget *parent, const QString &name, const QString &title,
                      const QString &first, const QString &second, QButtonGroup *&group)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    // 140 pixels wide as designed, wider where the font needs it.
    box->setMinimumWidth(140);
    box->setFixedHeight(50);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    group = new QButtonGroup(box);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(8, 2, 4, 2);
    int id = 0;
    for (const QString &text : {first, second}) {
        auto *radio = new QRadioButton(text, box);
        group->addButton(radio, id++);
        layout->addWidget(radio);
    }
    return box;
}

// A column of two blocks, filled by the caller, then finished; the lower block keeps its
// height when the window grows.
QSplitter *newColumn(const QString &name, QSplitter *parent)
{
    auto *column = new QSplitter(Qt::Vertical, parent);
    column->setObjectName(name);
    column->setHandleWidth(3);
    column->setChildrenCollapsible(false);
    parent->addWidget(column);
    return column;
}

void finishColumn(QSplitter *column, const QString &handleName)
{
    column->setStretchFactor(0, 1);
    column->setStretchFactor(1, 0);
    column->handle(1)->setObjectName(handleName);
}

// The centre column may be narrower than its rows' natural width (a long title, the font panel,
// the tool bar, the bottom row): they are cut off rather than keeping the window wider than a
// small screen.
void cutOffWhenNarrow(QWidget *row)
{
    row->setSizePolicy(QSizePolicy::Ignored, row->sizePolicy().verticalPolicy());
}

} // namespace

void Tmainform::buildActions()
{
    auto make = [this](const char *name, const QString &text, const QString &hint,
                       const QKeySequence &shortcut = {}) {
        QAction *action = namedAction(this, name, text, hint, shortcut);
        addAction(action);
        return action;
    };
    const QString slet = QStringLiteral("Slet");
    const QString rediger = QStringLiteral("Rediger");
    const QString indfoer = QStringLiteral("Indfør");

    aInformation = make("aInformation", QStringLiteral("Information"),
                        QStringLiteral("Åbner eller lukker Informationen: F1"), QKeySequence(Qt::Key_F1));
    aInformation->setShortcutContext(Qt::ApplicationShortcut);
    aInformation->setIcon(informationIcon());
    aProgSizes = make("aProgSizes", QStringLiteral("Standard"), QStringLiteral("Sæt programstørrelser"));

    AsletHovedKat = make("AsletHovedKat", slet, QStringLiteral("Når hovekategorien slettes slettes alle underkategorier samt opskrifter"));
    AsletUnderKat = make("AsletUnderKat", slet, QStringLiteral("Når en underkategori slettes slettes også alle opskrifter i denne kategori"));
    AsletOpskrift = make("AsletOpskrift", slet, QStringLiteral("Opskriften slettes med ingrediensliste samt beskrivelse"));
    AsletIngrediens = make("AsletIngrediens", slet, QStringLiteral("Valgte ingrediens slettes fra listen"));
    AredigerHovedKat = make("AredigerHovedKat", rediger, QStringLiteral("Navnet på hovedkategorien ændres til det nye navn"));
    AredigerUnderKat = make("AredigerUnderKat", rediger, QStringLiteral("Navnet på underkategorien ændres til det nye navn"));
    AredigerOpskrift = make("AredigerOpskrift", rediger, QStringLiteral("Navnet på opskriften ændres til det nye navn"));
    AredigerIngrediens = make("AredigerIngrediens", rediger, QStringLiteral("Den nye ingrediensbeskrivelse erstatter den valgte"));
    AinsertHovedKat = make("AinsertHovedKat", indfoer, QStringLiteral("Opretter en ny hovedkategori med indskrevne navn"));
    AinsertUnderKat = make("AinsertUnderKat", indfoer, QStringLiteral("Opretter en ny underkategori med indskrevne navn"));
    AinsertOpskrift = make("AinsertOpskrift", indfoer, QStringLiteral("Opretter en ny opskrivft med indskrevne navn"));
    AinsertIngrediens = make("AinsertIngrediens", indfoer, QStringLiteral("Indsætter indskrevne ingrediens i listen"));

    AgemBeskrivelse = make("AgemBeskrivelse", QStringLiteral("Gem"), QStringLiteral("Gem opskriften: Ctrl+G"),
                           QKeySequence(Qt::CTRL | Qt::Key_G));
    Areload = make("Areload", QStringLiteral("Genindlæs"),
                   QStringLiteral("Genindlæs opskriften fra sidst den blev gemt: Ctrl+R"),
                   QKeySequence(Qt::CTRL | Qt::Key_R));
    for (QAction *a : {AgemBeskrivelse, Areload})
        a->setShortcutContext(Qt::ApplicationShortcut);
    // Drawn like the other tool icons: the style's own would search the icon theme at start.
    AgemBeskrivelse->setIcon(toolicons::save());
    Areload->setIcon(toolicons::reload());

    editorActions = new EditorActions(this);
}

void Tmainform::buildListBlock(QSplitter *column, QWidget *&block, const QString &blockName,
                               const QString &labelName, const QString &captionText, ListBox *&box,
                               ListItemDelegate::Marker marker, const QString &boxName,
                               QLineEdit *&edit, const QString &editName, QWidget *&strip,
                               const QString &stripName, int stripHeight, QAction *slet,
                               QAction *rediger, QAction *indfoer)
{
    block = new QWidget(column);
    block->setObjectName(blockName);
    column->addWidget(block);
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(caption(block, labelName, captionText, 10));

    box = new ListBox(marker, block);
    box->setObjectName(boxName);
    box->setAccessibleName(captionText); // a list view's interface reads no buddy label
    layout->addWidget(box, 1);

    strip = new QWidget(block);
    strip->setObjectName(stripName);
    strip->setFixedHeight(stripHeight);
    auto *stripLayout = new QVBoxLayout(strip);
    stripLayout->setContentsMargins(2, 3, 2, 3);
    stripLayout->setSpacing(4);
    edit = new QLineEdit(strip);
    edit->setObjectName(editName);
    edit->setAccessibleName(QStringLiteral("Ny tekst til %1").arg(captionText.toLower()));
    stripLayout->addWidget(edit);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (QAction *action : {slet, rediger, indfoer}) {
        auto *button = new ActionButton(action, strip);
        button->setFixedSize(59, 25);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    stripLayout->addLayout(buttons);
    layout->addWidget(strip);
}

QWidget *Tmainform::buildBottomRow(QWidget *parent)
{
    Panel2 = new QWidget(parent);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(56);
    auto *layout = new QHBoxLayout(Panel2);
    layout->setContentsMargins(4, 3, 4, 3);
    layout->setSpacing(6);

    // The Fusion style draws a group box's frame from this picture, which it loads by name.
    cachePng(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    opstartValg = radioGroup(Panel2, QStringLiteral("opstartValg"), QStringLiteral("Opskrifter"),
                             QStringLiteral("For alle"), QStringLiteral("Private"), opstartGroup);
    modeValg = radioGroup(Panel2, QStringLiteral("modeValg"), QStringLiteral("Aktivitet"),
                          QStringLiteral("Læs"), QStringLiteral("Skriv"), modeGroup);

    infButton = flatButton(Panel2, QStringLiteral("infButton"));
    infButton->setDefaultAction(aInformation);
    optButton = flatButton(Panel2, QStringLiteral("optButton"));
    optButton->setText(QStringLiteral("Egenskaber"));
    optButton->setStatusTip(QStringLiteral("Bestem programegenskaber eller udskriv opskrift"));
    optButton->setIcon(optionsIcon());

    layout->addWidget(opstartValg);
    layout->addWidget(modeValg);
    layout->addWidget(infButton);
    layout->addWidget(optButton);
    layout->addStretch(1);
    return Panel2;
}

QToolBar *Tmainform::buildToolPanel(QWidget *parent)
{
    auto *bar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("toolPanel"));
    bar->setFixedHeight(30);
    bar->setIconSize(QSize(20, 20));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    EditorActions *e = editorActions;
    bar->addAction(e->FormatRichEditBullets1);
    bar->addSeparator();
    bar->addActions({e->FormatRichEditAlignLeft1, e->FormatRichEditAlignCenter1, e->FormatRichEditAlignRight1});
    bar->addSeparator();
    bar->addActions({e->FormatRichEditBold1, e->FormatRichEditItalic1, e->FormatRichEditUnderline1,
                     e->FormatRichEditStrikeOut1});
    bar->addSeparator();
    auto *menuButton = new QToolButton(bar);
    menuButton->setObjectName(QStringLiteral("menuButton"));
    menuButton->setIcon(toolicons::menuArrow());
    menuButton->setStatusTip(QStringLiteral("Dropdown menu"));
    menuButton->setMenu(e->EditorPU);
    menuButton->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(menuButton);
    bar->addSeparator();
    bar->addAction(e->EditStavekontrol);
    if (auto *spell = qobject_cast<QToolButton *>(bar->widgetForAction(e->EditStavekontrol)))
        spell->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addSeparator();
    bar->addActions({AgemBeskrivelse, Areload});
    bar->addSeparator();
    bar->addActions({e->bingUrl, e->googleUrl, e->tubeUrl});
    // At the end of the strip, where there is room: the bottom row has none to spare.
    bar->addSeparator();
    Q_ASSERT(aHent); // made with the window, the strip only on the first switch to writing
    bar->addAction(aHent);
    hentOpskriftButton = qobject_cast<QToolButton *>(bar->widgetForAction(aHent));
    if (hentOpskriftButton)
        hentOpskriftButton->setObjectName(QStringLiteral("hentOpskriftButton"));
    return bar;
}

void Tmainform::buildWritePanels()
{
    // Put in before anything else uses them: the slots would otherwise make them again.
    auto *panel = new FontPanel(mainPanel3);
    fontPanel = panel;
    QToolBar *bar = buildToolPanel(mainPanel3);
    toolPanel = bar;
    auto *centre = static_cast<QVBoxLayout *>(mainPanel3->layout());
    centre->insertWidget(1, panel);
    centre->insertWidget(2, bar);
    for (QWidget *row : {static_cast<QWidget *>(panel), static_cast<QWidget *>(bar)}) {
        cutOffWhenNarrow(row);
        row->setVisible(programMode != 0);
    }

    // Made last, their controls would come last in the Tab order; they belong between the
    // left column and the editor.
    // Every control is reached with Tab, in the order the panel and the tool bar show them.
    QList<QWidget *> chain{panel->colorGrid, panel->sizeBox, panel->sizeBox->lineEdit(), panel->nameBox,
                           panel->nameBox->lineEdit(), panel->fontButton};
    for (QToolButton *button : panel->sizeButton)
        chain.append(button);
    chain.append(panel->osButton);
    chain.append(panel->textButton);
    for (QAction *action : bar->actions()) {
        if (QWidget *button = bar->widgetForAction(action); button && !action->isSeparator()) {
            button->setFocusPolicy(Qt::TabFocus);
            if (button->objectName().isEmpty())
                button->setObjectName(action->objectName());
            chain.append(button);
        }
    }
    // After the subcategory's own buttons, which follow its field.
    QWidget *previous = underKatEdit;
    while (newUnderKatPanel->isAncestorOf(previous->nextInFocusChain()))
        previous = previous->nextInFocusChain();
    for (QWidget *next : chain) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }

    m_hintTracker->setTooltipWidget(panel->colorGrid);
    panel->colorGrid->setToolTip(HintTracker::shortPart(statusTip()));
    connectFontControls();
    showFontList(panel);
    // From here on they follow the editor; they show where it stands once it has been followed.
    if (m_caretFollowed)
        XYinfo();
    updateStoreActions();
}

void Tmainform::buildLayout()
{
    // The icon lives in this static library's resources, which are not linked in by themselves.
    Q_INIT_RESOURCE(mainwindow);
    setWindowIcon(QIcon(readPng(QStringLiteral(":/icons/retterum.png"))));

    // Built from the outside in and in the order of the focus chain: every control is born in
    // its place with the window's font, and no splitter measures its columns more than once.
    mainSplitter = new QSplitter(Qt::Horizontal, this);
    mainSplitter->setObjectName(QStringLiteral("mainSplitter"));
    mainSplitter->setHandleWidth(3);
    mainSplitter->setChildrenCollapsible(false);

    // Left column: main categories over subcategories; right: ingredients over recipes.
    mainPanel1 = newColumn(QStringLiteral("mainPanel1"), mainSplitter);
    buildListBlock(mainPanel1, topPanel, QStringLiteral("topPanel"), QStringLiteral("Label1"),
        QStringLiteral("Hovedkategori"), hovedKatBox, ListItemDelegate::Marker::MenuHighlightSquare,
        QStringLiteral("hovedKatBox"), hovedKatEdit, QStringLiteral("hovedKatEdit"), newHovedKatPanel,
        QStringLiteral("newHovedKatPanel"), 60, AsletHovedKat, AredigerHovedKat, AinsertHovedKat);
    buildListBlock(mainPanel1, bottomPanel, QStringLiteral("bottomPanel"), QStringLiteral("Label2"),
        QStringLiteral("Underkategori"), underKatBox, ListItemDelegate::Marker::SkyBlueSquare,
        QStringLiteral("underKatBox"), underKatEdit, QStringLiteral("underKatEdit"), newUnderKatPanel,
        QStringLiteral("newUnderKatPanel"), 60, AsletUnderKat, AredigerUnderKat, AinsertUnderKat);
    bottomPanel->setMinimumHeight(190);
    finishColumn(mainPanel1, QStringLiteral("Splitter1"));

    // Centre: title line, editor, bottom row; the font panel and the tool bar go between the
    // title and the editor when write mode is first chosen.
    mainPanel3 = new QWidget(mainSplitter);
    mainPanel3->setObjectName(QStringLiteral("mainPanel3"));
    mainSplitter->addWidget(mainPanel3);
    auto *centre = new QVBoxLayout(mainPanel3);
    centre->setContentsMargins(0, 0, 0, 0);
    centre->setSpacing(0);

    opskriftLabel = new QLabel(QStringLiteral("Opskrift"), mainPanel3);
    opskriftLabel->setObjectName(QStringLiteral("opskriftLabel"));
    QFont titleFont = opskriftLabel->font();
    titleFont.setPointSize(10);
    titleFont.setBold(true);
    opskriftLabel->setFont(titleFont);
    opskriftLabel->setContentsMargins(8, 3, 8, 3);
    centre->addWidget(opskriftLabel);

    Editor = new DescriptionEdit(mainPanel3);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setAcceptRichText(true);
    Editor->setLineWrapMode(QTextEdit::WidgetWidth);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->document()->setDocumentMargin(8);
    opskriftLabel->setBuddy(Editor); // read as the editor's name: the recipe shown
    centre->addWidget(Editor, 1);
    centre->addWidget(buildBottomRow(mainPanel3));
    for (QWidget *row : {static_cast<QWidget *>(opskriftLabel), Panel2})
        cutOffWhenNarrow(row);
    fontPanel.setMaker([this] {
        buildWritePanels();
        return fontPanel.existing();
    });
    toolPanel.setMaker([this] {
        buildWritePanels();
        return toolPanel.existing();
    });

    mainPanel2 = newColumn(QStringLiteral("mainPanel2"), mainSplitter);
    buildListBlock(mainPanel2, rightPanel2, QStringLiteral("rightPanel2"), QStringLiteral("Label4"),
        QStringLiteral("Ingredienser"), ingrediensBox, ListItemDelegate::Marker::OrangeCircle,
        QStringLiteral("ingrediensBox"), ingrediensEdit, QStringLiteral("ingrediensEdit"),
        newIngrediensPanel, QStringLiteral("newIngrediensPanel"), 64, AsletIngrediens,
        AredigerIngrediens, AinsertIngrediens);
    buildListBlock(mainPanel2, rightPanel1, QStringLiteral("rightPanel1"), QStringLiteral("Label3"),
        QStringLiteral("Opskrifter"), opskriftBox, ListItemDelegate::Marker::MoneyGreenSquare,
        QStringLiteral("opskriftBox"), opskriftEdit, QStringLiteral("opskriftEdit"), newOpskriftPanel,
        QStringLiteral("newOpskriftPanel"), 60, AsletOpskrift, AredigerOpskrift, AinsertOpskrift);
    finishColumn(mainPanel2, QStringLiteral("Splitter4"));

    mainSplitter->setStretchFactor(0, 0);
    mainSplitter->setStretchFactor(1, 1);
    mainSplitter->setStretchFactor(2, 0);
    mainSplitter->handle(1)->setObjectName(QStringLiteral("Splitter3"));
    mainSplitter->handle(2)->setObjectName(QStringLiteral("Splitter2"));
    setCentralWidget(mainSplitter);

    hintBar = new QStatusBar(this);
    hintBar->setObjectName(QStringLiteral("hintBar"));
    hintBar->setSizeGripEnabled(true);
    auto *infoPanel = new QLabel(QStringLiteral("Information"), hintBar);
    infoPanel->setFixedWidth(72);
    hintLabel = new QLabel(hintBar);
    hintLabel->setObjectName(QStringLiteral("hintPanel"));
    hintBar->addWidget(infoPanel);
    hintBar->addWidget(hintLabel, 1);
    setStatusBar(hintBar);

    resize(1041, 639);
}

void Tmainform::buildTrayIcon()
{
    TrayIcon = new QSystemTrayIcon(windowIcon(), this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->setToolTip(QStringLiteral("Retterum"));
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            restoreFromTray();
    });
}

#include "options/toptform.h"

#include "dialogs/drawnpixmap.h"
#include "dialogs/flatbutton.h"
#include "dialogs/glyphs.h"
#include "dialogs/messages.h"
#include "editor/toolicons.h"
#include "options/actionbinding.h"
#include "options/optunit.h"
#include "options/styleregistry.h"
#include "store/listfile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

FormSlot<Toptform> optform;

namespace {

QIcon standardSizesIcon()
{
    return QIcon(drawnPixmap(QSize(24, 24), [](QPainter &p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(3.5, 5.5, 17, 13));
        p.fillRect(QRectF(4, 6, 16, 3), QColor(40, 100, 180));
        p.drawLine(QPointF(9.5, 9), QPointF(9.5, 18));
        p.drawLine(QPointF(14.5, 9), QPointF(14.5, 18));
    }));
}

// A steaming pot: the dialog's picture beside the print commands.
QPixmap potPicture()
{
    return drawnPixmap(QSize(96, 72), [](QPainter &p) {
        p.setPen(QPen(QColor(150, 150, 160), 2, Qt::SolidLine, Qt::RoundCap));
        for (int x : {34, 48, 62}) {
            QPainterPath steam(QPointF(x, 30));
            steam.cubicTo(QPointF(x - 6, 22), QPointF(x + 6, 16), QPointF(x, 6));
            p.drawPath(steam);
        }
        p.setPen(QPen(QColor(70, 70, 80), 2));
        p.setBrush(QColor(196, 64, 48));
        p.drawRoundedRect(QRectF(20, 36, 56, 30), 6, 6);
        p.drawRoundedRect(QRectF(8, 40, 14, 6), 3, 3);
        p.drawRoundedRect(QRectF(74, 40, 14, 6), 3, 3);
        p.setBrush(QColor(90, 90, 100));
        p.drawRoundedRect(QRectF(16, 31, 64, 7), 3, 3);
    });
}

QHBoxLayout *row(QWidget *left, QWidget *right)
{
    auto *layout = new QHBoxLayout;
    layout->addWidget(left);
    layout->addStretch(1);
    layout->addWidget(right);
    return layout;
}

} // namespace

Toptform::Toptform(QWidget *mainWindow, const MainWindowLink &link)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint)
    , m_link(link)
{
    setObjectName(QStringLiteral("optform"));
    setWindowTitle(QStringLiteral("Egenskaber"));
    setModal(false);
    programFile = QCoreApplication::applicationFilePath();
    buildLayout(mainWindow);
    startProgTimer = new QTimer(this);
    startProgTimer->setObjectName(QStringLiteral("startProgTimer"));
    startProgTimer->setInterval(1000);
    connectControls();
    FormCreate();
}

void Toptform::buildLayout(QWidget *mainWindow)
{
    setFixedSize(606, 378);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(buildSettingsPanel(mainWindow), 1);
    layout->addWidget(buildPrintPanel(mainWindow), 1);
}

QWidget *Toptform::buildSettingsPanel(QWidget *mainWindow)
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("settingsPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(panel);
    layout->setSpacing(10);

    Label24 = new QLabel(QStringLiteral("Design"), panel);
    Label24->setObjectName(QStringLiteral("Label24"));
    designBox = new QComboBox(panel);
    designBox->setObjectName(QStringLiteral("designBox"));
    designBox->setStatusTip(QStringLiteral("Vælg programdesign"));
    designBox->setMinimumWidth(190);
    Label24->setBuddy(designBox);
    layout->addLayout(row(Label24, designBox));

    trayCheck = new QCheckBox(QStringLiteral("Minimer til system bakken"), panel);
    trayCheck->setObjectName(QStringLiteral("trayCheck"));
    trayCheck->setStatusTip(QStringLiteral("Fungerer straks"));
    trayCheck->setChecked(true);
    layout->addWidget(trayCheck);
    minimerCheck = new QCheckBox(QStringLiteral("Minimer ved opstart"), panel);
    minimerCheck->setObjectName(QStringLiteral("minimerCheck"));
    minimerCheck->setStatusTip(QStringLiteral("Fungerer ved næste programopstart"));
    layout->addWidget(minimerCheck);

    StaticText15 = new QLabel(QStringLiteral("Startop-program"), panel);
    StaticText15->setObjectName(QStringLiteral("StaticText15"));
    startProgDoButton = new QPushButton(Glyphs::checkMark(),
                                        QStringLiteral("Udfør"), panel);
    startProgDoButton->setObjectName(QStringLiteral("startProgDoButton"));
    startProgDoButton->setStatusTip(QStringLiteral("Tilføj eller fjern programmet som startop-program"));
    startProgDoButton->setMinimumWidth(100);
    startProgDoButton->setAutoDefault(false);
    layout->addLayout(row(StaticText15, startProgDoButton));

    gemButton = new QPushButton(toolicons::save(),
                                QStringLiteral("Gem egenskaber"), panel);
    gemButton->setObjectName(QStringLiteral("gemButton"));
    gemButton->setStatusTip(QStringLiteral("Når egenskaber gemmes virker de ved næste programopstart"));
    gemButton->setAutoDefault(false);
    auto *gemRow = new QHBoxLayout;
    gemRow->addStretch(1);
    gemRow->addWidget(gemButton);
    layout->addLayout(gemRow);
    layout->addLayout(buildBackupRow(panel, mainWindow));

    auto *picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setAlignment(Qt::AlignCenter);
    if (mainWindow)
        picture->setPixmap(mainWindow->windowIcon().pixmap(64, 64));
    layout->addWidget(picture, 1);
    return panel;
}

// The book as a whole: a backup of the open area and restoring one, the main window's commands,
// as wide as their captions.
QLayout *Toptform::buildBackupRow(QWidget *panel, QWidget *mainWindow)
{
    sikkerhedskopiButton = flatButton(panel, QStringLiteral("sikkerhedskopiButton"));
    indlaesButton = flatButton(panel, QStringLiteral("indlaesButton"));
    bindToMainAction(sikkerhedskopiButton, mainWindow, QStringLiteral("Asikkerhedskopi"), QStringLiteral("Sikkerhedskopi…"));
    bindToMainAction(indlaesButton, mainWindow, QStringLiteral("AindlaesSikkerhedskopi"),
                     QStringLiteral("Indlæs sikkerhedskopi…"));
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (QToolButton *button : {sikkerhedskopiButton, indlaesButton}) {
        button->setFixedWidth(std::max(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 16));
        row->addWidget(button);
    }
    row->addStretch(1);
    return row;
}

QWidget *Toptform::buildPrintPanel(QWidget *mainWindow)
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("printPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(panel);

    Label1 = new QLabel(QStringLiteral("Udskriv"), panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont heading = Label1->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    heading.setBold(true);
    Label1->setFont(heading);
    layout->addWidget(Label1);

    SpeedButton3 = flatButton(panel, QStringLiteral("SpeedButton3"));
    SpeedButton1 = flatButton(panel, QStringLiteral("SpeedButton1"));
    infButton = flatButton(panel, QStringLiteral("infButton"));
    bindToMainAction(SpeedButton3, mainWindow, QStringLiteral("AudskrivIngredienser"), QStringLiteral("Ingredienser"));
    bindToMainAction(SpeedButton1, mainWindow, QStringLiteral("AudskrivOpskrift"), QStringLiteral("Opskriften"));
    bindToMainAction(infButton, mainWindow, QStringLiteral("AudskrivBegge"), QStringLiteral("Begge"));
    // "Vis udskrift" under each print command, then the two PDF commands.
    auto *printGrid = new QGridLayout;
    printGrid->setColumnStretch(0, 1);
    printGrid->setColumnStretch(4, 1);
    const QList<std::pair<QToolButton *, const char *>> printCommands{
        {SpeedButton3, "AvisIngredienser"}, {SpeedButton1, "AvisOpskrift"}, {infButton, "AvisBegge"}};
    for (int column = 0; column < printCommands.size(); ++column) {
        const QString action = QString::fromLatin1(printCommands.at(column).second);
        QToolButton *preview = flatButton(panel, action + QStringLiteral("Button"));
        bindToMainAction(preview, mainWindow, action, QStringLiteral("Vis udskrift"));
        printGrid->addWidget(printCommands.at(column).first, 0, column + 1, Qt::AlignHCenter);
        printGrid->addWidget(preview, 1, column + 1, Qt::AlignHCenter);
    }
    auto *pdfRow = new QHBoxLayout;
    pdfRow->addStretch(1);
    for (const char *action : {"AgemPdf", "Akogebog"}) {
        QToolButton *button = flatButton(panel, QString::fromLatin1(action) + QStringLiteral("Button"));
        bindToMainAction(button, mainWindow, QString::fromLatin1(action), QString());
        pdfRow->addWidget(button);
    }
    pdfRow->addStretch(1);
    layout->addLayout(printGrid);
    layout->addLayout(pdfRow);

    auto *separator = new QFrame(panel);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    layout->addWidget(separator);

    auto *picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Animate1"));
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(potPicture());
    layout->addWidget(picture, 1);

    SpeedButton4 = flatButton(panel, QStringLiteral("SpeedButton4"));
    if (QAction *sizes = bindToMainAction(SpeedButton4, mainWindow, QStringLiteral("aProgSizes"),
                                          QStringLiteral("Standard")))
        if (sizes->icon().isNull())
            sizes->setIcon(standardSizesIcon());
    auto *sizesRow = new QHBoxLayout;
    sizesRow->addStretch(1);
    sizesRow->addWidget(SpeedButton4);
    layout->addLayout(sizesRow);
    return panel;
}

void Toptform::connectControls()
{
    connect(designBox, &QComboBox::activated, this, &Toptform::designBoxChange);
    connect(trayCheck, &QCheckBox::clicked, this, &Toptform::trayCheckClick);
    connect(minimerCheck, &QCheckBox::clicked, this, &Toptform::minimerCheckClick);
    connect(gemButton, &QPushButton::clicked, this, &Toptform::gemButtonClick);
    connect(startProgDoButton, &QPushButton::clicked, this, &Toptform::startProgDoButtonClick);
    connect(startProgTimer, &QTimer::timeout, this, &Toptform::startProgTimerTimer);
}

void Toptform::FormCreate()
{
    ProgramDir = m_link.grundDir + u'/';
    // Without a settings folder there is no file: the defaults stay and nothing is written.
    optFilnavn = options::optUnitFile(m_link.optDir);
    HentOpt();

    designBox->addItems(design::styleNames());
    const QString wanted = m_link.DesignName ? *m_link.DesignName : QString();
    int chosen = -1;
    for (int i = 0; i < designBox->count(); ++i)
        if (designBox->itemText(i).compare(wanted, Qt::CaseInsensitive) == 0)
            chosen = i;
    designBox->setCurrentIndex(chosen);
    designBox->setMaxVisibleItems(designBox->count());

    gemButton->setEnabled(false);
}

void Toptform::HentOpt()
{
    const options::OptUnit read = options::readOptUnit(
        optFilnavn, {trayCheck->isChecked(), minimerCheck->isChecked(), startProgFilename});
    trayCheck->setChecked(read.tray);
    minimerCheck->setChecked(read.minimer);
    startProgFilename = read.startProgFilename;
    startProgDoButton->setText(!startProgFilename.isEmpty() && QFileInfo::exists(startProgFilename)
                                   ? QStringLiteral("Fjern")
                                   : QStringLiteral("Udfør"));
}

options::OptUnit Toptform::startOptions(const QString &optDir)
{
    if (Toptform *dialog = optform.existing())
        return {dialog->trayCheck->isChecked(), dialog->minimerCheck->isChecked(),
                dialog->startProgFilename};
    return options::readOptUnit(options::optUnitFile(optDir));
}

store::FileResult Toptform::GemOpt()
{
    const auto bit = [](const QCheckBox *box) {
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    };
    return store::writeListFile(optFilnavn, {bit(trayCheck), bit(minimerCheck), startProgFilename});
}

void Toptform::gemButtonClick()
{
    if (optFilnavn.isEmpty()) {
        Messages::information(QStringLiteral("Egenskaberne kan ikke gemmes, fordi du ikke har "
                                             "nogen mappe til dine indstillinger."));
        return;
    }
    const store::FileResult result = GemOpt();
    if (!result) {
        Messages::error(result.error);
        return;
    }
    gemButton->setEnabled(false);
}

void Toptform::designBoxChange(int index)
{
    if (index < 0)
        return;
    const QString name = designBox->itemText(index);
    if (m_link.DesignName)
        *m_link.DesignName = name;
    if (!design::trySetStyle(name))
        Messages::information(design::unknownDesignMessage(name));
    gemButton->setEnabled(true);
}

void Toptform::trayCheckClick()
{
    if (m_link.TrayIcon)
        m_link.TrayIcon->setVisible(trayCheck->isChecked());
    // Without the icon a window hidden in the tray could never come back.
    if (!trayCheck->isChecked() && m_link.restoreMainWindow && parentWidget() && parentWidget()->isHidden())
        m_link.restoreMainWindow();
    gemButton->setEnabled(true);
}

void Toptform::minimerCheckClick()
{
    gemButton->setEnabled(true);
}

void Toptform::showEvent(QShowEvent *event)
{
    if (QWidget *main = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(main->frameGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

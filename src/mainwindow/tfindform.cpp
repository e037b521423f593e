#include "mainwindow/tfindform.h"

#include "dialogs/messages.h"
#include "mainwindow/excerptdelegate.h"
#include "search/searchservice.h"
#include "store/fileerror.h"
#include "store/listfile.h"
#include "store/tree.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kDefaultLeft = 260;
constexpr int kDefaultTop = 160;
constexpr int kDefaultWidth = 820;
constexpr int kDefaultHeight = 460;

enum Column { Omraade, HovedKat, UnderKat, Opskrift, FundetI, Uddrag };

QString placesText(int places)
{
    QStringList parts;
    if (places & search::InName)
        parts.append(QStringLiteral("navn"));
    if (places & search::InIngredients)
        parts.append(QStringLiteral("ingredienser"));
    if (places & search::InDescription)
        parts.append(QStringLiteral("beskrivelse"));
    QString text = parts.join(QStringLiteral(", "));
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

QString markedHtml(const search::Found &found)
{
    QString html;
    int at = 0;
    for (const auto &[start, length] : found.marks) {
        html += found.excerpt.mid(at, start - at).toHtmlEscaped() + u"<b>"
            + found.excerpt.mid(start, length).toHtmlEscaped() + u"</b>";
        at = start + length;
    }
    return html + found.excerpt.mid(at).toHtmlEscaped();
}

std::optional<QRect> geometryFromLines(const QStringList &lines)
{
    if (lines.size() < 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = lines.at(i).toInt(&ok, 10);
        if (!ok)
            return std::nullopt;
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

// Wholly on the screen, never larger than it.
QRect onScreen(const QRect &wanted, const QRect &available)
{
    const int width = std::clamp(wanted.width(), 320, std::max(320, available.width()));
    const int height = std::clamp(wanted.height(), 200, std::max(200, available.height()));
    return {std::clamp(wanted.left(), available.left(), std::max(available.left(), available.right() + 1 - width)),
            std::clamp(wanted.top(), available.top(), std::max(available.top(), available.bottom() + 1 - height)),
            width, height};
}

} // namespace

Tfindform::Tfindform(QWidget *mainWindow, const QString &optDir, QList<search::AreaSource> areas)
    : QWidget(mainWindow, Qt::Window)
    , m_areas(std::move(areas))
{
    setObjectName(QStringLiteral("findform"));
    setWindowTitle(QStringLiteral("Find opskrift"));
    optFilnavn = optDir.isEmpty() ? QString() : optDir + QStringLiteral("findopskrift.txt");
    buildLayout();
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &Tfindform::runSearch);
    connect(soegEdit, &QLineEdit::textEdited, &m_pause, qOverload<>(&QTimer::start));
    connect(soegEdit, &QLineEdit::returnPressed, this, &Tfindform::enterPressed);
    connect(resultatListe, &QTreeWidget::itemActivated, this, &Tfindform::openCurrent);
    connect(aabnButton, &QPushButton::clicked, this, &Tfindform::openCurrent);
    connect(lukButton, &QPushButton::clicked, this, &QWidget::close);
    HentOpt();
}

Tfindform::~Tfindform() = default;

void Tfindform::buildLayout()
{
    soegEdit = new QLineEdit(this);
    soegEdit->setObjectName(QStringLiteral("soegEdit"));
    soegEdit->setPlaceholderText(QStringLiteral("Navn, ingrediens eller ord fra beskrivelsen"));
    soegEdit->setClearButtonEnabled(true);
    soegEdit->setStatusTip(QStringLiteral("Skriv et eller flere ord; alle ordene skal findes i navn, ingredienser eller beskrivelse. Enter åbner den første opskrift"));
    soegEdit->installEventFilter(this);
    auto *label = new QLabel(QStringLiteral("&Søg:"), this);
    label->setBuddy(soegEdit);

    byggeBar = new QProgressBar(this);
    byggeBar->setObjectName(QStringLiteral("byggeBar"));
    byggeBar->setFormat(QStringLiteral("Læser opskrifterne: %p %"));
    byggeBar->setStatusTip(QStringLiteral("Opskrifterne læses ved første søgning"));
    byggeBar->hide();
    statusLabel = new QLabel(QStringLiteral("Skriv et eller flere ord."), this);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));

    resultatListe = new QTreeWidget(this);
    resultatListe->setAccessibleName(QStringLiteral("Fundne opskrifter"));
    resultatListe->setObjectName(QStringLiteral("resultatListe"));
    resultatListe->setHeaderLabels({QStringLiteral("Område"), QStringLiteral("Hovedkategori"),
                                    QStringLiteral("Underkategori"), QStringLiteral("Opskrift"),
                                    QStringLiteral("Fundet i"), QStringLiteral("Uddrag")});
    resultatListe->setRootIsDecorated(false);
    resultatListe->setUniformRowHeights(true);
    resultatListe->setAllColumnsShowFocus(true);
    resultatListe->setItemDelegateForColumn(Uddrag, new ExcerptDelegate(resultatListe));
    resultatListe->setStatusTip(QStringLiteral("Enter eller dobbeltklik åbner opskriften i hovedvinduet"));
    const int widths[] = {70, 110, 110, 150, 130};
    for (int c = 0; c < 5; ++c)
        resultatListe->setColumnWidth(c, widths[c]);

    aabnButton = new QPushButton(QStringLiteral("Åbn"), this);
    aabnButton->setObjectName(QStringLiteral("aabnButton"));
    aabnButton->setStatusTip(QStringLiteral("Åbner den valgte opskrift i hovedvinduet"));
    aabnButton->setEnabled(false);
    lukButton = new QPushButton(QStringLiteral("Luk"), this);
    lukButton->setObjectName(QStringLiteral("lukButton"));
    lukButton->setStatusTip(QStringLiteral("Lukker søgningen"));

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(soegEdit, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(statusLabel, 1);
    bottom->addWidget(byggeBar);
    bottom->addWidget(aabnButton);
    bottom->addWidget(lukButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(resultatListe, 1);
    layout->addLayout(bottom);
}

void Tfindform::HentOpt()
{
    std::optional<QRect> stored;
    if (!optFilnavn.isEmpty() && store::Tree::aroundFile(optFilnavn).exists(optFilnavn)) {
        store::ListText lines;
        if (store::readListFile(optFilnavn, &lines))
            stored = geometryFromLines(lines.entries);
    }
    const QRect wanted = stored.value_or(QRect(kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight));
    const QScreen *target = screen();
    const QRect placed = target ? onScreen(wanted, target->availableGeometry()) : wanted;
    move(placed.topLeft());
    resize(placed.size());
}

void Tfindform::GemOpt()
{
    if (optFilnavn.isEmpty())
        return;
    store::throwIfFailed(store::writeListFile(
        optFilnavn, {QString::number(pos().x()), QString::number(pos().y()), QString::number(width()),
                     QString::number(height())}));
}

void Tfindform::start()
{
    show();
    raise();
    activateWindow();
    soegEdit->setFocus(Qt::ShortcutFocusReason);
    soegEdit->selectAll();
}

void Tfindform::noteChange()
{
    if (!m_service)
        return;
    m_service->noteChange();
    if (isVisible() && !m_words.isEmpty())
        runSearch();
}

void Tfindform::runSearch()
{
    m_pause.stop();
    if (!m_service) {
        m_service = new search::SearchService(m_areas, this);
        connect(m_service, &search::SearchService::building, this, &Tfindform::showBuilding);
        connect(m_service, &search::SearchService::answered, this, &Tfindform::showResults);
        // What others changed since is shown without the user typing again.
        connect(m_service, &search::SearchService::changedSinceAnswer, this, [this] {
            if (!m_words.isEmpty() && !m_pause.isActive())
                runSearch();
        });
    }
    m_waitingFor = m_service->search(soegEdit->text());
}

void Tfindform::showBuilding(int done, int total)
{
    byggeBar->setVisible(done < total);
    byggeBar->setRange(0, std::max(total, 1));
    byggeBar->setValue(done);
    statusLabel->setText(QStringLiteral("Læser opskrifterne …"));
}

void Tfindform::showResults(const search::SearchResults &results)
{
    if (results.serial != m_waitingFor)
        return;
    byggeBar->hide();
    // The same answer again (after a look at the disk found nothing new for it) keeps the user's place.
    const QString chosen = resultatListe->currentItem() ? resultatListe->currentItem()->text(Opskrift) : QString();
    m_words = results.words;
    m_answered = results.typed;
    m_found = results.shown;
    resultatListe->clear();
    QList<QTreeWidgetItem *> items;
    for (const search::Found &found : results.shown) {
        auto *item = new QTreeWidgetItem;
        item->setText(Omraade, found.recipe.privat ? QStringLiteral("Private") : QStringLiteral("For alle"));
        item->setText(HovedKat, found.recipe.hovedKat);
        item->setText(UnderKat, found.recipe.underKat);
        item->setText(Opskrift, found.recipe.opskrift);
        item->setText(FundetI, placesText(found.places));
        item->setText(Uddrag, markedHtml(found));
        item->setToolTip(Uddrag, found.excerpt);
        item->setData(Uddrag, Qt::AccessibleTextRole, found.excerpt); // the text shown, not its markup
        items.append(item);
    }
    resultatListe->addTopLevelItems(items);
    int current = 0;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i)->text(Opskrift) == chosen) {
            current = i;
            break;
        }
    }
    if (!items.isEmpty())
        resultatListe->setCurrentItem(items.at(current));
    aabnButton->setEnabled(!items.isEmpty());

    QString status;
    if (results.outOfMemory)
        status = QStringLiteral("Der er ikke hukommelse nok til at søge i alle opskrifterne.");
    else if (results.words.isEmpty())
        status = QStringLiteral("Skriv et eller flere ord.");
    else if (results.total == 0)
        status = QStringLiteral("Ingen opskrifter fundet.");
    else if (results.total == 1)
        status = QStringLiteral("1 opskrift fundet.");
    else if (results.total > results.shown.size())
        status = QStringLiteral("%1 opskrifter fundet; de første %2 vises. Skriv flere ord for at finde færre.")
                     .arg(results.total)
                     .arg(results.shown.size());
    else
        status = QStringLiteral("%1 opskrifter fundet.").arg(results.total);
    // Without a word the user would take the count for all there is.
    if (!results.outOfMemory && !results.words.isEmpty() && results.unsearched > 0) {
        status += results.unsearched == 1
            ? QStringLiteral(" Der var ikke hukommelse nok til at søge i 1 beskrivelse.")
            : QStringLiteral(" Der var ikke hukommelse nok til at søge i %1 beskrivelser.").arg(results.unsearched);
    }
    statusLabel->setText(status);

    if (std::exchange(m_openWhenAnswered, false))
        openCurrent();
}

// Enter right after typing opens the first result of those very words.
void Tfindform::enterPressed()
{
    if (m_pause.isActive() || soegEdit->text() != m_answered) {
        m_openWhenAnswered = true;
        runSearch();
        return;
    }
    openCurrent();
}

void Tfindform::openCurrent()
{
    const int row = resultatListe->indexOfTopLevelItem(resultatListe->currentItem());
    if (row < 0 || row >= m_found.size())
        return;
    emit openRequested(m_found.at(row), m_words);
}

bool Tfindform::eventFilter(QObject *watched, QEvent *event)
{
    // The arrow keys move through the results while the words stay in the field.
    if (watched == soegEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            QCoreApplication::sendEvent(resultatListe, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tfindform::closeEvent(QCloseEvent *event)
{
    // The window closes even when its place can't be saved; the user is told why.
    try {
        GemOpt();
    } catch (const store::FileError &e) {
        Messages::error(e.text());
    }
    event->accept();
}

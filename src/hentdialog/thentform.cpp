#include "hentdialog/thentform.h"

#include "hentdialog/folderrun.h"

#include "dialogs/messages.h"
#include "webimport/recipesource.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString systemFileChoice(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Fra fil"), QString(),
                                        QStringLiteral("Gemte sider og opskriftsfiler (*.html *.htm *.mhtml *.mht *.json);;"
                                                       "Alle filer (*)"));
}

QString systemFolderChoice(QWidget *parent)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Mappe med opskriftsmapper"));
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &hint)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    return b;
}

} // namespace

QString (*Thentform::chooseFile)(QWidget *parent) = &systemFileChoice;
QString (*Thentform::chooseFolder)(QWidget *parent) = &systemFolderChoice;

Thentform::Thentform(QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_load(new webimport::RecipeLoad(this))
{
    setObjectName(QStringLiteral("hentform"));
    setWindowTitle(QStringLiteral("Hent opskrift"));
    setWindowModality(Qt::WindowModal);
    sider = new QStackedWidget(this);
    sider->addWidget(buildSourcePage());
    sider->addWidget(buildPreviewPage());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sider);

    connect(m_load, &webimport::RecipeLoad::progress, this, &Thentform::showProgress);
    connect(m_load, &webimport::RecipeLoad::finished, this, &Thentform::loaded);
}

Thentform::~Thentform() = default;

QWidget *Thentform::buildSourcePage()
{
    auto *page = new QWidget(sider);
    auto *layout = new QGridLayout(page);
    auto *intro = new QLabel(QStringLiteral("Skriv eller indsæt adressen på en opskrift på nettet, eller hent den "
                                            "fra en gemt side eller en opskriftsfil."),
                             page);
    intro->setWordWrap(true);
    layout->addWidget(intro, 0, 0, 1, 3);

    auto *adresseLabel = new QLabel(QStringLiteral("&Adresse:"), page);
    adresseEdit = new QLineEdit(page);
    adresseEdit->setObjectName(QStringLiteral("adresseEdit"));
    adresseEdit->setPlaceholderText(QStringLiteral("https://"));
    adresseEdit->setStatusTip(QStringLiteral("Adressen på siden med opskriften; den begynder med http:// eller https://"));
    adresseLabel->setBuddy(adresseEdit);
    hentButton = button(page, "hentButton", QStringLiteral("&Hent"), QStringLiteral("Henter siden og viser opskriften"));
    hentButton->setDefault(true);
    layout->addWidget(adresseLabel, 1, 0);
    layout->addWidget(adresseEdit, 1, 1);
    layout->addWidget(hentButton, 1, 2);

    filButton = button(page, "filButton", QStringLiteral("Fra &fil…"),
                       QStringLiteral("Henter opskriften fra en gemt side (.html, .htm, .mhtml) eller en opskriftsfil (.json)"));
    mappeButton = button(page, "mappeButton", QStringLiteral("Fra &mappe…"),
                         QStringLiteral("Indfører alle opskrifter fra en mappe med en mappe med recipe.json for hver opskrift"));
    auto *files = new QHBoxLayout;
    files->addWidget(filButton);
    files->addWidget(mappeButton);
    files->addStretch(1);
    layout->addLayout(files, 2, 1, 1, 2);

    hentBar = new QProgressBar(page);
    hentBar->setObjectName(QStringLiteral("hentBar"));
    hentBar->setVisible(false);
    statusLabel = new QLabel(page);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setWordWrap(true);
    statusLabel->setTextFormat(Qt::PlainText); // names from a folder or an address are text, never markup
    layout->addWidget(hentBar, 3, 0, 1, 3);
    layout->addWidget(statusLabel, 4, 0, 1, 3);
    layout->setRowStretch(5, 1);

    annullerButton = button(page, "annullerButton", QStringLiteral("Annuller"),
                            QStringLiteral("Stopper hentningen, eller lukker vinduet uden at hente noget"));
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(annullerButton);
    layout->addLayout(bottom, 6, 0, 1, 3);

    connect(hentButton, &QPushButton::clicked, this, &Thentform::loadAddress);
    connect(filButton, &QPushButton::clicked, this, [this] {
        if (const QString path = chooseFile(this); !path.isEmpty())
            loadFile(path);
    });
    connect(mappeButton, &QPushButton::clicked, this, [this] {
        if (const QString path = chooseFolder(this); !path.isEmpty())
            importFolder(path);
    });
    connect(annullerButton, &QPushButton::clicked, this, &Thentform::annuller);
    return page;
}

void Thentform::start(const HentTarget &target, const QString &what)
{
    m_target = target;
    m_loaded = {};
    sider->setCurrentIndex(0);
    hentButton->setDefault(true);
    setBusy(false);
    if (!isVisible())
        resize(640, 300); // the preview makes it larger
    const QString offered = what.isEmpty() ? QGuiApplication::clipboard()->text().trimmed() : what;
    adresseEdit->setText(webimport::isWebAddress(offered) ? offered.trimmed() : QString());
    show();
    raise();
    activateWindow();
    adresseEdit->setFocus();
    adresseEdit->selectAll();
    if (what.isEmpty())
        return;
    if (webimport::isWebAddress(what))
        loadAddress();
    else
        loadFile(what);
}

void Thentform::loadAddress()
{
    if (isBusy())
        return;
    const QString text = adresseEdit->text().trimmed();
    if (!webimport::isWebAddress(text)) {
        QString error;
        webimport::Fetcher::isFetchable(QUrl(), &error); // the fetcher's own words for it
        Messages::information(error);
        return;
    }
    setBusy(true, QStringLiteral("Henter %1 …").arg(text));
    m_load->startAddress(QUrl(text));
}

void Thentform::loadFile(const QString &path)
{
    if (isBusy())
        return;
    setBusy(true, QStringLiteral("Læser %1 …").arg(path));
    m_load->startFile(path);
}

bool Thentform::isBusy() const
{
    return !hentBar->isHidden();
}

void Thentform::setBusy(bool busy, const QString &status)
{
    hentBar->setVisible(busy);
    hentBar->setRange(0, 0); // unknown until the server says
    statusLabel->setText(status);
    for (QWidget *w : {static_cast<QWidget *>(adresseEdit), static_cast<QWidget *>(hentButton),
                       static_cast<QWidget *>(filButton), static_cast<QWidget *>(mappeButton)})
        w->setEnabled(!busy);
}

void Thentform::showProgress(qint64 received, qint64 total)
{
    if (total > 0) {
        hentBar->setRange(0, 1000);
        hentBar->setValue(int(std::min<qint64>(1000, received * 1000 / total)));
    }
}

void Thentform::loaded(const webimport::LoadResult &result)
{
    setBusy(false);
    if (!result.read.ok) {
        Messages::information(result.read.error);
        return;
    }
    showPreview(result);
}

void Thentform::annuller()
{
    if (m_folder) {
        if (folderDone() > 0)
            accept();
        return;
    }
    if (m_load->isRunning()) {
        m_load->cancel();
        setBusy(false, QStringLiteral("Hentningen er annulleret."));
        return;
    }
    reject();
}

void Thentform::done(int result)
{
    m_load->cancel();
    if (m_folder)
        folderDone();
    setBusy(false);
    QDialog::done(result);
}

// "Hent opskrift" end to end in the real window: the button and the key, a page served on
// 127.0.0.1, the preview, "Indfør", the recipe opened and its files read back; taken and refused
// names; failures that write nothing; a saved page; a folder of recipe folders; a drop.
#include "hentdialog/thentform.h"
#include "ingredients/ingredientline.h"
#include "mainwindowfixture.h"
#include "rtf/rtffile.h"
#include "testhttpserver.h"

#include <QAbstractButton>
#include <QAction>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QToolButton>

using Answer = MessageHook::Answer;

namespace {

const QString kExists = QStringLiteral("Navnet eksisterer i forvejen!");
const QString kUnusable = QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!");
const QStringList kIngredients{QStringLiteral("500 g hvedemel"), QStringLiteral("50 g gær"), QStringLiteral("2 dl mælk")};
const QStringList kSteps{QStringLiteral("Rør gæren ud i mælken."), QStringLiteral("Ælt dejen og lad den hæve."),
                         QStringLiteral("Bag ved 200 grader.")};

QByteArray recipeJson(const QString &name, const QString &image = {})
{
    QByteArray json = "{\"@context\":\"https://schema.org\",\"@type\":\"Recipe\",\"name\":\"" + name.toUtf8()
        + "\",\"recipeYield\":\"20 stk\",\"totalTime\":\"PT1H30M\",\"recipeIngredient\":[\"500 g hvedemel\","
          "\"50 g g\\u00e6r\",\"<b>2 dl</b> m&aelig;lk\"],\"recipeInstructions\":["
          "{\"@type\":\"HowToStep\",\"text\":\"Rør gæren ud i mælken.\"},"
          "{\"@type\":\"HowToStep\",\"text\":\"Ælt dejen og lad den hæve.\"},"
          "{\"@type\":\"HowToStep\",\"text\":\"Bag ved 200 grader.\"}]";
    if (!image.isEmpty())
        json += ",\"image\":\"" + image.toUtf8() + '"';
    return json + '}';
}

QByteArray page(const QString &name, const QString &image = {})
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Opskrift</title>"
           "<script type=\"application/ld+json\">"
        + recipeJson(name, image) + "</script></head><body><p>Reklame</p></body></html>";
}

const QStringList kAmerican{QStringLiteral("2 cups flour"), QStringLiteral("8 oz butter"), QStringLiteral("1 tsp salt")};

QByteArray americanPage()
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><script type=\"application/ld+json\">"
           "{\"@context\":\"https://schema.org\",\"@type\":\"Recipe\",\"name\":\"Shortbread\","
           "\"recipeIngredient\":[\"2 cups flour\",\"8 oz butter\",\"1 tsp salt\"],"
           "\"recipeInstructions\":[{\"@type\":\"HowToStep\",\"text\":\"Bake at 350 \u00b0F for 20 minutes.\"}]}"
           "</script></head><body></body></html>";
}

QByteArray pictureBytes(const char *format)
{
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// What a reader sees of a description: its numbered steps, its text and its picture.
struct Described {
    QStringList numbered;
    QString text;
    int pictureWidth = 0;
};

Described described(const QTextDocument &doc)
{
    Described d;
    d.text = doc.toPlainText();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (const QTextList *list = block.textList(); list && list->format().style() == QTextListFormat::ListDecimal)
            d.numbered << block.text();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QVariant image = doc.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
            d.pictureWidth = std::max(d.pictureWidth, qvariant_cast<QImage>(image).width());
        }
    }
    return d;
}

QStringList items(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QString s_chosen; // what the file and folder choices answer
QString chosen(QWidget *)
{
    return s_chosen;
}

} // namespace

class TestHentOpskrift : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void button_onlyInWriteModeWithASubcategory();
    void address_previewedThenInsertedAndOpened();
    void cappedLinesAndBadPicture_areToldAndTheRestGoesIn();
    void refusedName_keepsTheDialogAndWritesNothing_data();
    void refusedName_keepsTheDialogAndWritesNothing();
    void failure_isToldAndWritesNothing_data();
    void failure_isToldAndWritesNothing();
    void annuller_stopsAStalledDownload();
    void savedPage_fromFile();
    void folder_importsEveryRecipeAndSkipsHostileEntries();
    void folder_annullerStopsBetweenTwoRecipes();
    void drop_opensTheDialogWithTheLink();
    void omregn_onForAmericanLines_andGoesInAsShown_data();
    void omregn_onForAmericanLines_andGoesInAsShown();

private:
    Thentform *openDialog();
    Thentform *fetch(const QString &path);
    QString gaerbag(const QString &file = {}) const
    {
        return m_root->file(QStringLiteral("Brugere/Alle/Kager/Gærbag/") + file);
    }
    QStringList recipes() const { return m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt")); }

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
    std::unique_ptr<TestHttpServer> m_server;
    Tmainform *w = nullptr;
};

void TestHentOpskrift::init()
{
    m_server = std::make_unique<TestHttpServer>();
    QVERIFY(m_server->listen());
    m_root = std::make_unique<TestDataRoot>();
    m_root->writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Gærbag")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"), {QStringLiteral("Boller")});
    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
    w->opstartGroup->button(0)->click();
    w->modeGroup->button(1)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    Thentform::chooseFile = &chosen;
    Thentform::chooseFolder = &chosen;
}

void TestHentOpskrift::cleanup()
{
    m_fixture.reset();
    m_root.reset();
    m_server.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

Thentform *TestHentOpskrift::openDialog()
{
    if (!QTest::qWaitFor([this] { return w->aHent->isEnabled(); }))
        return nullptr;
    QTest::mouseClick(w->hentOpskriftButton, Qt::LeftButton);
    return w->hentform && w->hentform->isVisible() ? w->hentform : nullptr;
}

Thentform *TestHentOpskrift::fetch(const QString &path)
{
    Thentform *d = openDialog();
    if (!d)
        return nullptr;
    d->adresseEdit->setText(m_server->url(path).toString());
    QTest::mouseClick(d->hentButton, Qt::LeftButton);
    if (!QTest::qWaitFor([d] { return d->sider->currentIndex() == 1 || MessageHook::shown().size() > 0; }))
        return nullptr;
    return d;
}

void TestHentOpskrift::button_onlyInWriteModeWithASubcategory()
{
    QVERIFY(w->aHent->isVisible());
    QVERIFY(w->toolPanel->isAncestorOf(w->hentOpskriftButton));
    QTRY_VERIFY(w->aHent->isEnabled());
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager")); // no subcategory chosen now
    QTRY_VERIFY(!w->aHent->isEnabled());
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    QTRY_VERIFY(w->aHent->isEnabled());
    w->modeGroup->button(0)->click();
    QVERIFY(!w->aHent->isVisible());
    QTRY_VERIFY(!w->aHent->isEnabled());
    QTest::keyClick(w, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(!w->hentform || !w->hentform->isVisible());

    // The key opens it in write mode, with the clipboard's address ready, nothing fetched yet.
    w->modeGroup->button(1)->click();
    QGuiApplication::clipboard()->setText(QStringLiteral("  https://opskrifter.example/boller  "));
    QTRY_VERIFY(w->aHent->isEnabled());
    QTest::keyClick(w, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(w->hentform && w->hentform->isVisible());
    QCOMPARE(w->hentform->adresseEdit->text(), QStringLiteral("https://opskrifter.example/boller"));
    QVERIFY(!w->hentform->isBusy());
    w->hentform->annullerButton->click();
    QVERIFY(!w->hentform->isVisible());

    QGuiApplication::clipboard()->setText(QStringLiteral("javascript:alert(1)"));
    QTest::keyClick(w, Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(w->hentform->adresseEdit->text(), QString());
    w->hentform->annullerButton->click();
}

void TestHentOpskrift::address_previewedThenInsertedAndOpened()
{
    m_server->serve(QStringLiteral("/snegle"), page(QStringLiteral("Kanelsnegle"), QStringLiteral("/billede.png")));
    m_server->serve(QStringLiteral("/billede.png"), pictureBytes("PNG"), "image/png");
    const QString address = m_server->url(QStringLiteral("/snegle")).toString();
    QGuiApplication::clipboard()->setText(address);
    Thentform *d = openDialog();
    QVERIFY(d);
    QCOMPARE(d->adresseEdit->text(), address);
    QTest::mouseClick(d->hentButton, Qt::LeftButton);
    QTRY_COMPARE(d->sider->currentIndex(), 1);

    // The preview shows what will be saved, and nothing is saved yet.
    QCOMPARE(d->navnEdit->text(), QStringLiteral("Kanelsnegle"));
    QVERIFY(d->navnFejl->isHidden());
    QCOMPARE(items(d->ingrediensListe), kIngredients);
    const Described preview = described(*d->beskrivelseView->document());
    QCOMPARE(preview.numbered, kSteps);
    QCOMPARE(preview.pictureWidth, 480);
    QVERIFY2(preview.text.contains(QStringLiteral("Antal: 20 stk")), qPrintable(preview.text));
    QVERIFY2(preview.text.contains(QStringLiteral("Tid: 1 time 30 min")), qPrintable(preview.text));
    QVERIFY2(preview.text.contains(QStringLiteral("Kilde: ") + address), qPrintable(preview.text));
    QCOMPARE(recipes(), QStringList{QStringLiteral("Boller")});
    QVERIFY(!QFile::exists(gaerbag(QStringLiteral("Kanelsnegle.rtf"))));

    QTest::mouseClick(d->indfoerButton, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(MessageHook::shown(), QStringList());
    QCOMPARE(recipes(), (QStringList{QStringLiteral("Boller"), QStringLiteral("Kanelsnegle")}));
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Kanelsnegleliste.txt")), kIngredients);
    // Opened in the window as a click would open it.
    QCOMPARE(w->opskriftBox->entry(w->opskriftIndex), QStringLiteral("Kanelsnegle"));
    QCOMPARE(items(w->ingrediensBox), kIngredients);
    QTRY_COMPARE(described(*w->Editor->document()).numbered, kSteps);
    // The saved description as the project's reader reads it.
    QTextDocument saved;
    QVERIFY(rtf::loadFile(gaerbag(QStringLiteral("Kanelsnegle.rtf")), &saved));
    const Described file = described(saved);
    QCOMPARE(file.numbered, kSteps);
    QCOMPARE(file.pictureWidth, 480);
}

void TestHentOpskrift::cappedLinesAndBadPicture_areToldAndTheRestGoesIn()
{
    QByteArray lines;
    for (int i = 1; i <= 600; ++i)
        lines += (i > 1 ? "," : "") + QByteArray("\"") + QByteArray::number(i) + " g mel\"";
    m_server->serve(QStringLiteral("/lang"),
                    "<html><head><script type=\"application/ld+json\">{\"@type\":\"Recipe\",\"name\":\"Lang\","
                    "\"image\":\"/ikke-billede.png\",\"recipeIngredient\":["
                        + lines + "],\"recipeInstructions\":\"Bland det hele.\"}</script></head></html>");
    m_server->serve(QStringLiteral("/ikke-billede.png"), "<html>Ikke et billede</html>", "image/png");
    Thentform *d = fetch(QStringLiteral("/lang"));
    QVERIFY(d);
    QCOMPARE(d->sider->currentIndex(), 1);
    QCOMPARE(d->ingrediensListe->count(), 500);
    QCOMPARE(d->noteLabel->text(), QStringLiteral("Opskriften har flere linjer, end der kan indføres; resten er udeladt.\n"
                                                  "Billedet på siden er ikke et billede, som kan vises."));
    QVERIFY(d->noteLabel->isVisible());
    QTest::mouseClick(d->indfoerButton, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Langliste.txt")).size(), 500);
    QTextDocument saved;
    QVERIFY(rtf::loadFile(gaerbag(QStringLiteral("Lang.rtf")), &saved));
    QCOMPARE(described(saved).pictureWidth, 0);
    QVERIFY(described(saved).text.contains(QStringLiteral("Bland det hele.")));
}

void TestHentOpskrift::refusedName_keepsTheDialogAndWritesNothing_data()
{
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<bool>("takenMeanwhile");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("warnedBefore");

    QTest::newRow("taken in the list") << QStringLiteral("Boller") << false << QString() << kExists << true;
    QTest::newRow("taken on disk since the list was read")
        << QStringLiteral("Kringle") << true << QString() << kExists << false;
    QTest::newRow("typed name no file can have")
        << QStringLiteral("Kringle") << false << QStringLiteral("Kringle/..") << kUnusable << true;
    QTest::newRow("emptied") << QStringLiteral("Kringle") << false << QStringLiteral("")
                             << QStringLiteral("Der mangler et navn på den nye opskrift!") << true;
}

void TestHentOpskrift::refusedName_keepsTheDialogAndWritesNothing()
{
    QFETCH(QString, pageName);
    QFETCH(bool, takenMeanwhile);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, warnedBefore);
    m_server->serve(QStringLiteral("/side"), page(pageName));
    Thentform *d = fetch(QStringLiteral("/side"));
    QVERIFY(d);
    QCOMPARE(d->sider->currentIndex(), 1);
    if (!typed.isNull())
        d->navnEdit->setText(typed);
    QStringList before = recipes();
    if (takenMeanwhile) {
        before << pageName;
        m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"), before);
    }
    QCOMPARE(d->navnFejl->isVisible(), warnedBefore);
    if (warnedBefore)
        QCOMPARE(d->navnFejl->text(), message);

    MessageHook::queue(Answer::Ok);
    QTest::mouseClick(d->indfoerButton, Qt::LeftButton);
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Information: ") + message});
    QVERIFY(d->isVisible());
    QCOMPARE(d->sider->currentIndex(), 1);
    QCOMPARE(recipes(), before);
    QCOMPARE(QDir(gaerbag()).entryList(QDir::Files), QStringList{QStringLiteral("Index.txt")});

    // Another name goes in.
    d->navnEdit->setText(QStringLiteral("Fra nettet"));
    QVERIFY(d->navnFejl->isHidden());
    QTest::mouseClick(d->indfoerButton, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QVERIFY(recipes().contains(QStringLiteral("Fra nettet")));
    QCOMPARE(w->opskriftBox->entry(w->opskriftIndex), QStringLiteral("Fra nettet"));
}

void TestHentOpskrift::failure_isToldAndWritesNothing_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("message");

    QTest::newRow("not found") << QStringLiteral("/mangler")
                               << QStringLiteral("Siden kunne ikke hentes (svar 404 fra serveren).");
    QTest::newRow("no recipe") << QStringLiteral("/tom") << QStringLiteral("Siden indeholder ingen opskrift, som kan hentes.");
    QTest::newRow("redirect loop") << QStringLiteral("/rundt")
                                   << QStringLiteral("Siden viderestiller for mange gange og kunne ikke hentes.");
    QTest::newRow("not the web") << QStringLiteral("file:///etc/passwd")
                                 << QStringLiteral("Kun adresser, der begynder med http:// eller https://, kan hentes.");
}

void TestHentOpskrift::failure_isToldAndWritesNothing()
{
    QFETCH(QString, address);
    QFETCH(QString, message);
    m_server->serve(QStringLiteral("/tom"), "<html><body><h1>Boller</h1><p>Ingen opskrift her.</p></body></html>");
    m_server->redirect(QStringLiteral("/rundt"), QStringLiteral("/igen"));
    m_server->redirect(QStringLiteral("/igen"), QStringLiteral("/rundt"));
    Thentform *d = openDialog();
    QVERIFY(d);
    d->adresseEdit->setText(address.startsWith(u'/') ? m_server->url(address).toString() : address);
    MessageHook::queue(Answer::Ok);
    QTest::mouseClick(d->hentButton, Qt::LeftButton);
    QTRY_COMPARE(MessageHook::shown(), QStringList{QStringLiteral("Information: ") + message});
    MessageHook::takeShown();
    QVERIFY(d->isVisible());
    QCOMPARE(d->sider->currentIndex(), 0);
    QVERIFY(!d->isBusy());
    QVERIFY(d->hentButton->isEnabled());
    QCOMPARE(recipes(), QStringList{QStringLiteral("Boller")});
    QCOMPARE(QDir(gaerbag()).entryList(QDir::Files), QStringList{QStringLiteral("Index.txt")});
    d->annullerButton->click();
    QVERIFY(!d->isVisible());
}

void TestHentOpskrift::annuller_stopsAStalledDownload()
{
    m_server->stall(QStringLiteral("/langsom"));
    Thentform *d = openDialog();
    QVERIFY(d);
    d->adresseEdit->setText(m_server->url(QStringLiteral("/langsom")).toString());
    QTest::mouseClick(d->hentButton, Qt::LeftButton);
    QVERIFY(d->isBusy());
    QVERIFY(!d->hentButton->isEnabled());
    QTRY_COMPARE(m_server->requestCount(QStringLiteral("/langsom")), 1);
    QTest::mouseClick(d->annullerButton, Qt::LeftButton);
    QVERIFY(!d->isBusy());
    QVERIFY(d->isVisible());
    QCOMPARE(d->statusLabel->text(), QStringLiteral("Hentningen er annulleret."));
    QTest::mouseClick(d->annullerButton, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(recipes(), QStringList{QStringLiteral("Boller")});
}

void TestHentOpskrift::savedPage_fromFile()
{
    // The saved page names a picture on this machine: a page from here may show it (see above),
    // a file from elsewhere may not, and nothing is asked of this machine for it.
    m_server->serve(QStringLiteral("/billede.png"), pictureBytes("PNG"), "image/png");
    QTemporaryDir saved;
    s_chosen = saved.filePath(QStringLiteral("Kanelsnegle – Opskrift.html"));
    {
        QFile file(s_chosen);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(page(QStringLiteral("Kanelsnegle"), m_server->url(QStringLiteral("/billede.png")).toString()));
    }
    Thentform *d = openDialog();
    QVERIFY(d);
    QTest::mouseClick(d->filButton, Qt::LeftButton);
    QTRY_COMPARE(d->sider->currentIndex(), 1);
    QCOMPARE(d->navnEdit->text(), QStringLiteral("Kanelsnegle"));
    QCOMPARE(described(*d->beskrivelseView->document()).numbered, kSteps);
    QCOMPARE(d->noteLabel->text(), QStringLiteral("Billedet kunne ikke hentes: Adressen peger på denne computer eller det "
                                                  "lokale netværk og hentes ikke."));
    QVERIFY(d->noteLabel->isVisible());
    QCOMPARE(described(*d->beskrivelseView->document()).pictureWidth, 0);
    QCOMPARE(m_server->requests(), QStringList());
    QTest::mouseClick(d->indfoerButton, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Kanelsnegleliste.txt")), kIngredients);
    QTextDocument stored;
    QVERIFY(rtf::loadFile(gaerbag(QStringLiteral("Kanelsnegle.rtf")), &stored));
    QCOMPARE(described(stored).pictureWidth, 0);
}

void TestHentOpskrift::folder_importsEveryRecipeAndSkipsHostileEntries()
{
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(dir.filePath(QStringLiteral("1 boller/recipe.json")), recipeJson(QStringLiteral("Boller")));
    write(dir.filePath(QStringLiteral("2 kringle/recipe.json")), recipeJson(QStringLiteral("Kringle")));
    write(dir.filePath(QStringLiteral("2 kringle/full.jpg")), pictureBytes("JPG"));
    write(dir.filePath(QStringLiteral("5 prikker/recipe.json")), recipeJson(QStringLiteral("..")));
    // A link to a recipe folder elsewhere, a folder no path may be made of, a linked recipe file.
    write(elsewhere.filePath(QStringLiteral("ude/recipe.json")), recipeJson(QStringLiteral("Fra linket")));
    QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("ude")), dir.filePath(QStringLiteral("3 link"))));
    write(dir.filePath(QStringLiteral("4 skr\\aa/recipe.json")), recipeJson(QStringLiteral("Skråstreg")));
    QDir(dir.path()).mkdir(QStringLiteral("6 fil-link"));
    QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("ude/recipe.json")),
                        dir.filePath(QStringLiteral("6 fil-link/recipe.json"))));

    s_chosen = dir.path();
    Thentform *d = openDialog();
    QVERIFY(d);
    MessageHook::queue(Answer::Ok);
    QTest::mouseClick(d->mappeButton, Qt::LeftButton);
    QTRY_VERIFY(!d->isVisible());
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Information: 2 af 3 opskrifter er indført.\r"
                                        "3 mapper eller links blev sprunget over.\r"
                                        "5 prikker/: Opskriften har intet navn, som kan bruges.")});
    const QStringList expected{QStringLiteral("Boller"), QStringLiteral("Boller (2)"), QStringLiteral("Kringle")};
    QCOMPARE(recipes(), expected);
    QTRY_COMPARE(w->opskriftBox->entries(), expected);
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller (2)liste.txt")), kIngredients);
    QTextDocument kringle;
    QVERIFY(rtf::loadFile(gaerbag(QStringLiteral("Kringle.rtf")), &kringle));
    QCOMPARE(described(kringle).numbered, kSteps);
    QCOMPARE(described(kringle).pictureWidth, 480);
}

void TestHentOpskrift::folder_annullerStopsBetweenTwoRecipes()
{
    QTemporaryDir dir;
    constexpr int kFolders = 1000; // far more than go in before "Annuller" is heard
    for (int i = 0; i < kFolders; ++i) {
        const QString folder = dir.filePath(QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')));
        QVERIFY(QDir().mkpath(folder));
        QFile json(folder + QStringLiteral("/recipe.json"));
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(recipeJson(QStringLiteral("Snegl %1").arg(i)));
    }
    s_chosen = dir.path();
    Thentform *d = openDialog();
    QVERIFY(d);
    QTest::mouseClick(d->mappeButton, Qt::LeftButton);
    // The recipes go in beside the window, which shows how far they have come and hears "Annuller".
    QTRY_VERIFY(d->statusLabel->text().startsWith(QStringLiteral("Indfører ")));
    QVERIFY(d->isBusy());
    MessageHook::queue(Answer::Ok);
    QTest::mouseClick(d->annullerButton, Qt::LeftButton);

    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 1);
    static const QRegularExpression summary(QStringLiteral(
        "^Information: (\\d+) af 1000 opskrifter er indført\\.\rIndførelsen blev annulleret; (\\d+) opskrifter blev ikke læst\\.$"));
    const QRegularExpressionMatch told = summary.match(shown.first());
    QVERIFY2(told.hasMatch(), qPrintable(shown.first()));
    const int imported = told.captured(1).toInt();
    QCOMPARE(imported + told.captured(2).toInt(), kFolders);
    QCOMPARE(d->isVisible(), imported == 0);
    // Every recipe the list names went in whole; none is cut off halfway.
    const QStringList inList = recipes();
    QCOMPARE(inList.size(), 1 + imported);
    for (const QString &name : inList.mid(1)) {
        QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/") + name + QStringLiteral("liste.txt")), kIngredients);
        QTextDocument doc;
        QVERIFY(rtf::loadFile(gaerbag(name + QStringLiteral(".rtf")), &doc));
        QCOMPARE(described(doc).numbered, kSteps);
    }
    QCOMPARE(QDir(gaerbag()).entryList(QDir::Files).size(), 1 + 2 * imported);
}

void TestHentOpskrift::drop_opensTheDialogWithTheLink()
{
    m_server->serve(QStringLiteral("/snegle"), page(QStringLiteral("Kanelsnegle")));
    QMimeData link;
    link.setUrls({m_server->url(QStringLiteral("/snegle"))});
    QMimeData textFile;
    textFile.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/noter.txt"))});
    const QPoint at = w->opskriftBox->mapTo(w, w->opskriftBox->rect().center());
    const auto enters = [&](QMimeData *mime) {
        QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        return enter.isAccepted();
    };
    QVERIFY(!enters(&textFile));
    w->modeGroup->button(0)->click();
    QVERIFY(!enters(&link));
    w->modeGroup->button(1)->click();
    QVERIFY(enters(&link));

    QDropEvent drop(QPointF(at), Qt::CopyAction, &link, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_VERIFY(w->hentform && w->hentform->isVisible());
    QCOMPARE(w->hentform->adresseEdit->text(), m_server->url(QStringLiteral("/snegle")).toString());
    QTRY_COMPARE(w->hentform->sider->currentIndex(), 1);
    QCOMPARE(w->hentform->navnEdit->text(), QStringLiteral("Kanelsnegle"));
    w->hentform->annullerButton2->click();
    QVERIFY(!w->hentform->isVisible());
    QCOMPARE(recipes(), QStringList{QStringLiteral("Boller")});
}

void TestHentOpskrift::omregn_onForAmericanLines_andGoesInAsShown_data()
{
    QTest::addColumn<bool>("american");
    QTest::addColumn<bool>("untick");
    QTest::newRow("cups and ounces") << true << false;
    QTest::newRow("cups and ounces, ticked off") << true << true;
    QTest::newRow("Danish lines") << false << false;
}

void TestHentOpskrift::omregn_onForAmericanLines_andGoesInAsShown()
{
    QFETCH(bool, american);
    QFETCH(bool, untick);
    m_server->serve(QStringLiteral("/opskrift"), american ? americanPage() : page(QStringLiteral("Shortbread")));
    Thentform *d = fetch(QStringLiteral("/opskrift"));
    QVERIFY(d);
    QCOMPARE(d->sider->currentIndex(), 1);
    QCOMPARE(d->omregnCheck->isChecked(), american);
    if (untick)
        d->omregnCheck->click();

    const QStringList written = american ? kAmerican : kIngredients;
    QStringList expected = written;
    if (d->omregnCheck->isChecked()) {
        for (QString &line : expected)
            line = ingredients::danishMeasuresLine(line);
        QVERIFY(expected != written);
    }
    // The preview shows what goes in.
    QCOMPARE(items(d->ingrediensListe), expected);
    const QString previewText = d->beskrivelseView->toPlainText();
    QTest::mouseClick(d->indfoerButton, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Shortbreadliste.txt")), expected);
    QTextDocument saved;
    QVERIFY(rtf::loadFile(gaerbag(QStringLiteral("Shortbread.rtf")), &saved));
    QCOMPARE(saved.toPlainText(), previewText);
    if (american) {
        const bool danish = d->omregnCheck->isChecked();
        QVERIFY2(saved.toPlainText().contains(danish ? QStringLiteral("175 °C") : QStringLiteral("350 °F")),
                 qPrintable(saved.toPlainText()));
    }
}

QTEST_MAIN(TestHentOpskrift)
#include "tst_hentopskrift.moc"

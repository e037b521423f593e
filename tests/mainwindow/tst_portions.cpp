// Portions in read mode and "Omregn til danske mål" in write mode, in the real window: what the
// ingredient list shows, what the files hold afterwards, and how each is taken back.
#include "ingredients/ingredientline.h"
#include "mainwindowfixture.h"
#include "mainwindow/filechooser.h"
#include "mainwindow/portioncontrol.h"
#include "rtf/rtffile.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

using Answer = MessageHook::Answer;

namespace {

const QString kRecipe = QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller");
const QString kKey = QStringLiteral("Alle/Kager/Gærbag/Boller");
const QStringList kLines{QStringLiteral("500 g hvedemel"), QStringLiteral("2 æg"), QStringLiteral("salt efter smag"),
                         QStringLiteral("1 dl mælk")};
const QStringList kSixServings{QStringLiteral("750 g hvedemel"), QStringLiteral("3 æg"),
                               QStringLiteral("salt efter smag"), QStringLiteral("1,5 dl mælk")};
const QStringList kAmerican{QStringLiteral("2 cups flour"), QStringLiteral("1 tsp salt"), QStringLiteral("3 æg")};

QByteArray rtfText(const QByteArray &text)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0\\fs20 " + text + "\\par}";
}

} // namespace

class TestPortions : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void servings_showScaledLines_markedAndNothingSaved();
    void factor_whereTheRecipeNamesNoNumber();
    void leavingWriteModeOrReload_returnsTo1x_data();
    void leavingWriteModeOrReload_returnsTo1x();
    void startingNumber_fromTheDescriptionOrTheSettings_data();
    void startingNumber_fromTheDescriptionOrTheSettings();
    void typedNumber_isKeptForTheNextStart();
    void typedNumber_thatCannotBeWritten_isToldAndKeptForTheSession();
    void delOpskrift_sharesTheLinesAsShown();
    void omregn_rewritesMarksChangedAndUndoes();
    void omregn_onlyInWriteMode_andSaysWhenThereIsNothing();

private:
    void start(const QString &mode = QStringLiteral("Læs"));
    void openBoller();
    PortionControl *control() const { return w->portionPanel.existing(); }
    QString settingsFile() const
    {
        return m_root->file(QStringLiteral("Brugere/%1/Indstillinger/portioner.txt").arg(Tmainform::GetUserFromWindows()));
    }

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
    Tmainform *w = nullptr;
};

void TestPortions::init()
{
    m_root = std::make_unique<TestDataRoot>();
    m_root->writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Gærbag")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"), {QStringLiteral("Boller"), QStringLiteral("Kringle")});
    m_root->writeList(kRecipe + u"liste.txt", kLines);
    m_root->writeBytes(kRecipe + u".rtf", rtfText("Antal: 4\\par Dejen h\\'e6ves."));
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Kringleliste.txt"), {QStringLiteral("250 g smør")});
}

void TestPortions::cleanup()
{
    QVERIFY(filechooser::queuedAnswers.isEmpty());
    m_fixture.reset();
    m_root.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestPortions::start(const QString &mode)
{
    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
    w->opstartGroup->button(0)->click();
    w->modeGroup->button(mode == u"Skriv" ? 1 : 0)->click();
}

void TestPortions::openBoller()
{
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
}

void TestPortions::servings_showScaledLines_markedAndNothingSaved()
{
    start();
    QVERIFY(!control()); // nothing is made until a recipe is read
    openBoller();
    QVERIFY(control() && control()->isVisible());
    QCOMPARE(control()->antalBox->value(), 4);
    QCOMPARE(control()->oenskeBox->value(), 4);
    QVERIFY(control()->faktorBox->isHidden());
    QCOMPARE(w->ingrediensBox->shownEntries(), kLines);

    control()->oenskeBox->setValue(6);
    QCOMPARE(w->ingrediensBox->shownEntries(), kSixServings);
    QCOMPARE(w->scaledFor(), QStringLiteral("Til 6 personer"));
    // Scaled lines are marked and tell what is written; lines that do not scale are as they are.
    const QListWidgetItem *flour = w->ingrediensBox->item(0);
    QVERIFY(flour->data(ListItemDelegate::ShownTextRole).isValid());
    QCOMPARE(flour->toolTip(), QStringLiteral("Som skrevet: 500 g hvedemel"));
    QVERIFY(!w->ingrediensBox->item(2)->data(ListItemDelegate::ShownTextRole).isValid());
    // Choosing a line shows it as written: the field is where lines are changed.
    chooseEntry(w->ingrediensBox, QStringLiteral("500 g hvedemel"));
    QCOMPARE(w->ingrediensEdit->text(), QStringLiteral("500 g hvedemel"));

    // Nothing reaches a file.
    QCOMPARE(w->ingrediensBox->entries(), kLines);
    QCOMPARE(m_root->readList(kRecipe + u"liste.txt"), kLines);
    QVERIFY(!w->Editor->document()->isModified());
    QVERIFY(!QFile::exists(settingsFile()));
}

void TestPortions::factor_whereTheRecipeNamesNoNumber()
{
    m_root->writeBytes(kRecipe + u".rtf", rtfText("Dejen h\\'e6ves."));
    start();
    openBoller();
    QCOMPARE(control()->antalBox->value(), 0);
    QCOMPARE(control()->antalBox->text(), QStringLiteral("–"));
    QVERIFY(control()->oenskeBox->isHidden());
    QVERIFY(control()->faktorBox->isVisible());
    QCOMPARE(control()->faktorBox->currentText(), QStringLiteral("1×"));

    control()->faktorBox->setCurrentIndex(control()->faktorBox->findText(QStringLiteral("½×")));
    QCOMPARE(w->ingrediensBox->shownEntries(),
             (QStringList{QStringLiteral("250 g hvedemel"), QStringLiteral("1 æg"), QStringLiteral("salt efter smag"),
                          QStringLiteral("½ dl mælk")}));
    QCOMPARE(w->scaledFor(), QStringLiteral("Halv opskrift"));

    // Giving the recipe's number carries the factor over: 2 servings at ½× are 1.
    control()->antalBox->setValue(2);
    QVERIFY(control()->faktorBox->isHidden());
    QCOMPARE(control()->oenskeBox->value(), 1);
    QCOMPARE(w->scaledFor(), QStringLiteral("Til 1 person"));
    QCOMPARE(w->ingrediensBox->shownEntries().at(0), QStringLiteral("250 g hvedemel"));
}

void TestPortions::leavingWriteModeOrReload_returnsTo1x_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("another recipe and back") << QStringLiteral("recipe");
    QTest::newRow("Skriv") << QStringLiteral("Skriv");
    QTest::newRow("reload") << QStringLiteral("reload");
}

void TestPortions::leavingWriteModeOrReload_returnsTo1x()
{
    QFETCH(QString, how);
    start();
    openBoller();
    control()->oenskeBox->setValue(6);
    QCOMPARE(w->ingrediensBox->shownEntries(), kSixServings);
    if (how == u"recipe") {
        chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
        QCOMPARE(w->ingrediensBox->shownEntries(), QStringList{QStringLiteral("250 g smør")});
        QVERIFY(control()->faktorBox->isVisible()); // Kringle names no number
        chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    } else if (how == u"Skriv") {
        w->modeGroup->button(1)->click();
        QVERIFY(control()->isHidden());
        QCOMPARE(w->ingrediensBox->shownEntries(), kLines);
        QVERIFY(w->scaledFor().isEmpty());
        w->modeGroup->button(0)->click();
    } else {
        // "Genindlæs" can be had when the description has changed; read mode leaves it editable.
        QTest::keyClicks(w->Editor, QStringLiteral("x"));
        w->updateActions();
        QVERIFY(w->Areload->isEnabled());
        w->Areload->trigger();
        QVERIFY(!w->Editor->document()->isModified());
    }
    QVERIFY(control()->isVisible());
    QCOMPARE(control()->oenskeBox->value(), 4);
    QCOMPARE(w->ingrediensBox->shownEntries(), kLines);
    QVERIFY(w->scaledFor().isEmpty());
}

void TestPortions::startingNumber_fromTheDescriptionOrTheSettings_data()
{
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<int>("servings");
    QTest::newRow("Antal:") << QByteArray("Antal: 4") << QStringList() << 4;
    QTest::newRow("personer") << QByteArray("Nok til 6 personer.") << QStringList() << 6;
    QTest::newRow("none") << QByteArray("Dejen h\\'e6ves.") << QStringList() << 0;
    QTest::newRow("kept wins") << QByteArray("Antal: 4") << QStringList{u"8\t" + kKey} << 8;
    QTest::newRow("kept for another recipe")
        << QByteArray("Antal: 4") << QStringList{QStringLiteral("8\tAlle/Kager/Gærbag/Kringle")} << 4;
    QTest::newRow("kept line that is no number")
        << QByteArray("Antal: 4") << QStringList{u"otte\t" + kKey, u"-3\t" + kKey} << 4;
}

void TestPortions::startingNumber_fromTheDescriptionOrTheSettings()
{
    QFETCH(QByteArray, description);
    QFETCH(QStringList, kept);
    QFETCH(int, servings);
    m_root->writeBytes(kRecipe + u".rtf", rtfText(description));
    if (!kept.isEmpty())
        TestDataRoot::writeListAt(settingsFile(), kept);
    start();
    openBoller();
    QCOMPARE(control()->servings(), servings);
    QCOMPARE(control()->factor(), 1.0);
}

void TestPortions::typedNumber_isKeptForTheNextStart()
{
    m_root->writeBytes(kRecipe + u".rtf", rtfText("Dejen h\\'e6ves."));
    start();
    openBoller();
    control()->antalBox->setValue(5);
    QVERIFY(m_root->readList(settingsFile().mid(m_root->path().size() + 1)).contains(u"5\t" + kKey));

    QVERIFY(w->close());
    m_fixture.reset();
    start();
    openBoller();
    QCOMPARE(control()->servings(), 5);
    QCOMPARE(control()->oenskeBox->value(), 5);
}

void TestPortions::typedNumber_thatCannotBeWritten_isToldAndKeptForTheSession()
{
    m_root->writeBytes(kRecipe + u".rtf", rtfText("Dejen h\\'e6ves."));
    QVERIFY(QDir().mkpath(settingsFile())); // a folder where the file must be written
    start();
    openBoller();
    MessageHook::queue(Answer::Ok);
    control()->antalBox->setValue(5);
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Information: Antallet af portioner kan ikke gemmes i indstillingerne.\r"
                                        "Det huskes, til programmet lukkes.")});
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    QCOMPARE(control()->servings(), 5);
    QVERIFY(QFileInfo(settingsFile()).isDir());
}

void TestPortions::delOpskrift_sharesTheLinesAsShown()
{
    start();
    openBoller();
    control()->oenskeBox->setValue(6);
    const QString html = m_root->file(QStringLiteral("boller.html"));
    filechooser::queuedAnswers = {html};
    MessageHook::queue(Answer::Ok);
    w->updateActions();
    w->AdelOpskrift->trigger();
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Information: Opskriften er gemt som \"%1\".").arg(html)});
    QFile page(html);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    QVERIFY2(text.contains(QStringLiteral("<h2>Ingredienser</h2>\n<p><em>Til 6 personer</em></p>\n<ul>\n<li>750 g hvedemel</li>")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("\"750 g hvedemel\"")) && !text.contains(QStringLiteral("500 g hvedemel")));
}

void TestPortions::omregn_rewritesMarksChangedAndUndoes()
{
    m_root->writeList(kRecipe + u"liste.txt", kAmerican);
    m_root->writeBytes(kRecipe + u".rtf", rtfText("{\\b Varm ovnen} op til 350 \\'b0F og bag."));
    start(QStringLiteral("Skriv"));
    openBoller();
    QVERIFY(w->ingrediensBox->actions().contains(w->AomregnMaal));
    QCOMPARE(w->ingrediensBox->contextMenuPolicy(), Qt::ActionsContextMenu);
    w->updateActions();
    QVERIFY(w->AomregnMaal->isEnabled());
    QVERIFY(!w->AfortrydOmregning->isEnabled());

    w->AomregnMaal->trigger();
    QStringList danish;
    for (const QString &line : kAmerican)
        danish << ingredients::danishMeasuresLine(line);
    QVERIFY(danish != kAmerican);
    QCOMPARE(danish.at(2), kAmerican.at(2));
    QCOMPARE(w->ingrediensBox->entries(), danish);
    QCOMPARE(m_root->readList(kRecipe + u"liste.txt"), danish);
    const QString text = w->Editor->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("175 °C")) && !text.contains(u'F'), qPrintable(text));
    // Only the changed characters were replaced: the bold run is still bold, the rest not.
    const QTextBlock block = w->Editor->document()->begin();
    QVERIFY(block.begin().fragment().charFormat().fontWeight() >= QFont::Bold);
    QCOMPARE(block.begin().fragment().text(), QStringLiteral("Varm ovnen"));
    QTextCursor atC(w->Editor->document());
    atC.setPosition(int(text.indexOf(QStringLiteral("°C"))) + 1);
    QVERIFY(atC.charFormat().fontWeight() < QFont::Bold);
    // A change of the recipe like any other: marked, and nothing of the description saved yet.
    QVERIFY(w->Editor->document()->isModified());
    QTextDocument saved;
    QVERIFY(rtf::loadFile(m_root->file(kRecipe + u".rtf"), &saved));
    QVERIFY(saved.toPlainText().contains(QStringLiteral("350 °F")));

    w->updateActions();
    QVERIFY(w->AfortrydOmregning->isEnabled());
    w->AfortrydOmregning->trigger();
    QCOMPARE(w->ingrediensBox->entries(), kAmerican);
    QCOMPARE(m_root->readList(kRecipe + u"liste.txt"), kAmerican);
    QCOMPARE(w->Editor->toPlainText(), saved.toPlainText());
    QVERIFY(!w->Editor->document()->isModified());
    w->updateActions();
    QVERIFY(!w->AfortrydOmregning->isEnabled());

    // Redone and then undone with the editor's own undo, after typing: the typing goes first.
    w->Editor->redo();
    QCOMPARE(m_root->readList(kRecipe + u"liste.txt"), danish);
    w->Editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(w->Editor, QStringLiteral("x"));
    w->updateActions();
    QVERIFY(!w->AfortrydOmregning->isEnabled());
    w->Editor->undo();
    QCOMPARE(m_root->readList(kRecipe + u"liste.txt"), danish);
    w->Editor->undo();
    QCOMPARE(m_root->readList(kRecipe + u"liste.txt"), kAmerican);
    QCOMPARE(MessageHook::shown(), QStringList());
}

void TestPortions::omregn_onlyInWriteMode_andSaysWhenThereIsNothing()
{
    start();
    openBoller();
    QCOMPARE(w->ingrediensBox->contextMenuPolicy(), Qt::PreventContextMenu);
    w->updateActions();
    QVERIFY(!w->AomregnMaal->isEnabled());

    w->modeGroup->button(1)->click();
    w->updateActions();
    QVERIFY(w->AomregnMaal->isEnabled());
    MessageHook::queue(Answer::Ok);
    w->AomregnMaal->trigger();
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Information: Opskriften har ingen amerikanske mål at omregne.")});
    QCOMPARE(m_root->readList(kRecipe + u"liste.txt"), kLines);
    QVERIFY(!w->Editor->document()->isModified());
}

QTEST_MAIN(TestPortions)
#include "tst_portions.moc"

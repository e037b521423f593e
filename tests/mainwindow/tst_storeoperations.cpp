#include "editor/fontpanel.h"
#include "editor/statusline.h"
#include "mainwindow/listbox.h"
#include "mainwindowfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

using Answer = MessageHook::Answer;

namespace {

const QString kUnknown = QStringLiteral("Information: Der opstod en ukendt fejl.\rMåske er mappen i brug.");
const QString kUnusable = QStringLiteral("Information: Navnet kan ikke bruges som mappe- eller filnavn!");
const QString kReserved = QStringLiteral("Information: Navnet er reserveret til programmets indstillinger!");
const QString kExists = QStringLiteral("Information: Navnet eksisterer i forvejen!");

} // namespace

class TestStoreOperations : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void insertMainCategory_data();
    void insertMainCategory();
    void enterWithEmptyField_doesNothing();
    void insertIngredients_keepOrderAndRefuseDuplicates();
    void insertInSharedArea_isWritableByEveryone();
    void deleteRecipe_removesLineAndBothFiles();
    void deleteMainCategory_doesNotFollowLinks();
    void deleteRefused_keepsEverything_data();
    void deleteRefused_keepsEverything();
    void deleteIngredient_writesAtOnceWithoutQuestion();
    void renameMainCategory_movesFolderAndKeepsContent_data();
    void renameMainCategory_movesFolderAndKeepsContent();
    void renameRecipe_renamesBothFiles();
    void renameIngredient_movesItToTheEnd();
    void renameRefused_changesNothing_data();
    void renameRefused_changesNothing();
    void renameOntoExistingFolder_keepsOldName();
    void renameToSettingsFolder_isRefusedInThePrivateArea();
    void stripButtons_haveTheirOrderCaptionsAndHints_data();
    void stripButtons_haveTheirOrderCaptionsAndHints();
    void enableRules_followTheState();
    void enteringAnEditField_startsANewEntry();
    void saveAndReload_description();
    void failedSave_reachesGeneralReportAndKeepsMark();

private:
    void run(QAction *action);
    void typeAndEnter(QLineEdit *edit, const QString &text);
    QString alle(const QString &relative = {}) const
    {
        return m_root->file(QStringLiteral("Brugere/Alle/") + relative);
    }
    QStringList listFile(const QString &relative) const
    {
        return m_root->readList(QStringLiteral("Brugere/Alle/") + relative);
    }
    void openSharedRecipe(const QString &recipe);

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
    Tmainform *w = nullptr;
};

void TestStoreOperations::init()
{
    m_root = std::make_unique<TestDataRoot>();
    m_root->writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"),
                      {QStringLiteral("Supper"), QStringLiteral("Kager")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Gærbag")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"),
                      {QStringLiteral("Boller"), QStringLiteral("Kringle")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Bollerliste.txt"),
                      {QStringLiteral("500 g mel"), QStringLiteral("50 g gær"), QStringLiteral("3 dl mælk")});
    m_root->writeBytes(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller.rtf"),
                       "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 \\'c6lt dejen\\par}");
    QDir().mkpath(alle(QStringLiteral("Supper")));

    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
    w->modeGroup->button(1)->click();
    w->opstartGroup->button(0)->click();
    QCOMPARE(w->windowTitle(), QStringLiteral("Retterum for alle"));
}

void TestStoreOperations::cleanup()
{
    m_fixture.reset();
    m_root.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestStoreOperations::run(QAction *action)
{
    // As a user can: once the update handlers have enabled it.
    QTRY_VERIFY2(action->isEnabled(), qPrintable(action->objectName()));
    action->trigger();
}

void TestStoreOperations::typeAndEnter(QLineEdit *edit, const QString &text)
{
    w->activateWindow();
    QTRY_VERIFY(w->isActiveWindow());
    QTest::mouseClick(edit, Qt::LeftButton);
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void TestStoreOperations::openSharedRecipe(const QString &recipe)
{
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(w->opskriftBox, recipe);
}

void TestStoreOperations::insertMainCategory_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("privateArea");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("listAfter");
    QTest::addColumn<QString>("fieldAfter");

    const QStringList unchanged{QStringLiteral("Supper"), QStringLiteral("Kager")};
    QTest::newRow("new name sorts the whole list")
        << QStringLiteral("Brød") << false << QStringList()
        << QStringList{QStringLiteral("Brød"), QStringLiteral("Kager"), QStringLiteral("Supper")} << QString();
    QTest::newRow("Danish order puts Æ after Z")
        << QStringLiteral("Æbler") << false << QStringList()
        << QStringList{QStringLiteral("Kager"), QStringLiteral("Supper"), QStringLiteral("Æbler")} << QString();
    // Fails where the collation is not Danish: there "Aa" is read as "Å", after Z.
    QTest::newRow("Danish order puts Aa after Z")
        << QStringLiteral("Aalborgkage") << false << QStringList()
        << QStringList{QStringLiteral("Kager"), QStringLiteral("Supper"), QStringLiteral("Aalborgkage")} << QString();
    QTest::newRow("duplicate ignoring case") << QStringLiteral("kager") << false
                                             << QStringList{kExists} << unchanged << QString();
    QTest::newRow("dot dot") << QStringLiteral("..") << false << QStringList{kUnusable} << unchanged
                             << QStringLiteral("..");
    QTest::newRow("dot") << QStringLiteral(".") << false << QStringList{kUnusable} << unchanged
                         << QStringLiteral(".");
    QTest::newRow("slash") << QStringLiteral("Kager/Is") << false << QStringList{kUnusable}
                           << unchanged << QStringLiteral("Kager/Is");
    QTest::newRow("backslash") << QStringLiteral("Is\\Kager") << false << QStringList{kUnusable}
                               << unchanged << QStringLiteral("Is\\Kager");
    // A folder of the name would stand where the store keeps a file of its own.
    for (const QString &own : {QStringLiteral("Hovedkategori.txt"), QStringLiteral("index.txt"),
                               QStringLiteral(".retterum-laas"), QStringLiteral(".Retterum-Aendring")})
        QTest::addRow("the store's own %s", qPrintable(own)) << own << false << QStringList{kUnusable} << unchanged << own;
    QTest::newRow("settings folder in private area") << QStringLiteral("indstillinger") << true
                               << QStringList{kReserved} << QStringList() << QStringLiteral("indstillinger");
    QTest::newRow("settings name is free in the shared area") << QStringLiteral("Indstillinger") << false
        << QStringList() << QStringList{QStringLiteral("Indstillinger"), QStringLiteral("Kager"), QStringLiteral("Supper")}
        << QString();
}

void TestStoreOperations::insertMainCategory()
{
    QFETCH(QString, typed);
    QFETCH(bool, privateArea);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, listAfter);
    QFETCH(QString, fieldAfter);

    if (privateArea)
        w->opstartGroup->button(1)->click();
    const QString area = w->dir;
    const QString listPath = area + QStringLiteral("Hovedkategori.txt");
    const QStringList entriesBefore = w->hovedKatBox->entries();
    const QStringList foldersBefore = QDir(area).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const QStringList usersBefore = QDir(m_root->file(QStringLiteral("Brugere"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    for (int i = 0; i < shown.size(); ++i)
        MessageHook::queue(Answer::Ok);
    typeAndEnter(w->hovedKatEdit, typed);

    QCOMPARE(MessageHook::takeShown(), shown);
    QCOMPARE(w->hovedKatBox->entries(), listAfter);
    QCOMPARE(w->hovedKatEdit->text(), fieldAfter);
    QCOMPARE(w->hovedIndex, -1);
    const bool inserted = listAfter != entriesBefore;
    store::ListText onDisk;
    const bool hasFile = QFileInfo::exists(listPath);
    if (hasFile)
        QVERIFY(store::readListFile(listPath, &onDisk));
    QCOMPARE(onDisk.entries, inserted || hasFile ? (inserted ? listAfter : entriesBefore) : QStringList());
    QStringList folders = foldersBefore;
    if (inserted)
        folders << typed;
    folders.sort();
    QStringList foldersAfter = QDir(area).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    foldersAfter.sort();
    QCOMPARE(foldersAfter, folders);
    QCOMPARE(QDir(m_root->file(QStringLiteral("Brugere"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             usersBefore);
}

void TestStoreOperations::enterWithEmptyField_doesNothing()
{
    typeAndEnter(w->hovedKatEdit, QStringLiteral("Kød"));
    QCOMPARE(listFile(QStringLiteral("Hovedkategori.txt")),
             (QStringList{QStringLiteral("Kager"), QStringLiteral("Kød"), QStringLiteral("Supper")}));
    QVERIFY(w->hovedKatEdit->text().isEmpty());
    QTest::keyClick(w->hovedKatEdit, Qt::Key_Return); // "Indfør" is disabled: nothing happens
    QVERIFY(MessageHook::shown().isEmpty());

    // Run directly, the insertion explains what is missing.
    MessageHook::queue(Answer::Ok);
    w->AinsertHovedKatExecute();
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Information: Der mangler et navn på den nye hovedkategori!")});

    // A folder left from earlier is reused with its content.
    QVERIFY(QDir().mkpath(alle(QStringLiteral("Fisk/Laks"))));
    typeAndEnter(w->hovedKatEdit, QStringLiteral("Fisk"));
    QVERIFY(QFileInfo(alle(QStringLiteral("Fisk/Laks"))).isDir());
    QCOMPARE(w->hovedKatBox->entries().first(), QStringLiteral("Fisk"));
}

void TestStoreOperations::insertIngredients_keepOrderAndRefuseDuplicates()
{
    openSharedRecipe(QStringLiteral("Kringle")); // no ingredient file yet
    typeAndEnter(w->ingrediensEdit, QStringLiteral("Smør"));
    typeAndEnter(w->ingrediensEdit, QStringLiteral("Mel"));
    QCOMPARE(listFile(QStringLiteral("Kager/Gærbag/Kringleliste.txt")),
             (QStringList{QStringLiteral("Smør"), QStringLiteral("Mel")}));

    MessageHook::queue(Answer::Ok);
    typeAndEnter(w->ingrediensEdit, QStringLiteral("mel"));
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Information: Ingrediensen er indført i forvejen!")});
    QVERIFY(w->ingrediensEdit->text().isEmpty());
    // Not a name: slashes and dots are fine in an ingredient line.
    typeAndEnter(w->ingrediensEdit, QStringLiteral("1/2 tsk. salt"));
    QCOMPARE(w->ingrediensBox->entries(),
             (QStringList{QStringLiteral("Smør"), QStringLiteral("Mel"), QStringLiteral("1/2 tsk. salt")}));
    QCOMPARE(w->opskriftIndex, 1);
}

void TestStoreOperations::insertInSharedArea_isWritableByEveryone()
{
    typeAndEnter(w->hovedKatEdit, QStringLiteral("Fisk"));
    chooseEntry(w->hovedKatBox, QStringLiteral("Fisk"));
    typeAndEnter(w->underKatEdit, QStringLiteral("Laks"));
    const QFile::Permissions all = QFile::ReadOther | QFile::WriteOther;
    QCOMPARE(QFileInfo(alle(QStringLiteral("Fisk"))).permissions() & (all | QFile::ExeOther), all | QFile::ExeOther);
    QCOMPARE(QFileInfo(alle(QStringLiteral("Fisk/Laks"))).permissions() & (all | QFile::ExeOther), all | QFile::ExeOther);
    QCOMPARE(QFileInfo(alle(QStringLiteral("Fisk/Index.txt"))).permissions() & all, all);
    QCOMPARE(QFileInfo(alle(QStringLiteral("Hovedkategori.txt"))).permissions() & all, all);
}

void TestStoreOperations::deleteRecipe_removesLineAndBothFiles()
{
    openSharedRecipe(QStringLiteral("Boller"));
    MessageHook::queue(Answer::Yes);
    run(w->AsletOpskrift);
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Question: Skal opskriften \"Boller\"\rslettes totalt?")});
    QCOMPARE(listFile(QStringLiteral("Kager/Gærbag/Index.txt")), QStringList{QStringLiteral("Kringle")});
    QVERIFY(!QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Boller.rtf"))));
    QVERIFY(!QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Bollerliste.txt"))));
    QCOMPARE(w->opskriftIndex, -1);
    QCOMPARE(w->opskriftEdit->text(), QStringLiteral("Boller")); // ready to be inserted again
    QCOMPARE(w->ingrediensBox->count(), 0);
    QVERIFY(w->Editor->toPlainText().isEmpty());
    QVERIFY(w->filnavn.isEmpty());
    QTRY_VERIFY(w->AinsertOpskrift->isEnabled());

    // A recipe without files goes without complaint.
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    MessageHook::queue(Answer::Yes);
    run(w->AsletOpskrift);
    QCOMPARE(MessageHook::takeShown().size(), 1);
    QCOMPARE(w->opskriftBox->count(), 0);
}

void TestStoreOperations::deleteMainCategory_doesNotFollowLinks()
{
    QTemporaryDir outside;
    const QString precious = outside.filePath(QStringLiteral("andres.rtf"));
    QFile(precious).open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(outside.path(), alle(QStringLiteral("Kager/Gærbag/link"))));

    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    MessageHook::queue(Answer::Yes);
    run(w->AsletHovedKat);
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Question: Skal hovedkategorien \"Kager\"\rslettes med alle tilhørende underkategorier samt opskrifter?")});
    QVERIFY(!QFileInfo::exists(alle(QStringLiteral("Kager"))));
    QVERIFY(QFileInfo::exists(precious));
    QCOMPARE(listFile(QStringLiteral("Hovedkategori.txt")), QStringList{QStringLiteral("Supper")});
    QCOMPARE(w->hovedIndex, -1);
    QCOMPARE(w->underKatBox->count(), 0);
    QCOMPARE(w->hovedKatEdit->text(), QStringLiteral("Kager"));
}

void TestStoreOperations::deleteRefused_keepsEverything_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Nej") << int(Answer::No);
    QTest::newRow("close box") << int(Answer::Close);
}

void TestStoreOperations::deleteRefused_keepsEverything()
{
    QFETCH(int, answer);
    openSharedRecipe(QStringLiteral("Boller"));
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    MessageHook::queue(Answer(Answer::Type(answer)));
    run(w->AsletUnderKat);
    QCOMPARE(MessageHook::takeShown(),
             QStringList{QStringLiteral("Question: Skal underkategorien \"Gærbag\"\rslettes med alle tilhørende opskrifter?")});
    QCOMPARE(listFile(QStringLiteral("Kager/Index.txt")), QStringList{QStringLiteral("Gærbag")});
    QVERIFY(QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Boller.rtf"))));
    QCOMPARE(w->underIndex, 0);
    QCOMPARE(w->opskriftBox->count(), 2);
}

void TestStoreOperations::deleteIngredient_writesAtOnceWithoutQuestion()
{
    openSharedRecipe(QStringLiteral("Boller"));
    chooseEntry(w->ingrediensBox, QStringLiteral("50 g gær"));
    run(w->AsletIngrediens);
    QVERIFY(MessageHook::shown().isEmpty());
    QCOMPARE(listFile(QStringLiteral("Kager/Gærbag/Bollerliste.txt")),
             (QStringList{QStringLiteral("500 g mel"), QStringLiteral("3 dl mælk")}));
    QCOMPARE(w->ingrediensIndex, -1);
    QVERIFY(w->ingrediensEdit->text().isEmpty());
    QCOMPARE(w->opskriftIndex, 0);
}

void TestStoreOperations::renameMainCategory_movesFolderAndKeepsContent_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("listAfter");
    QTest::newRow("new name") << QStringLiteral("Bagværk")
                              << QStringList{QStringLiteral("Bagværk"), QStringLiteral("Supper")};
    QTest::newRow("letter case only") << QStringLiteral("kager")
                                      << QStringList{QStringLiteral("kager"), QStringLiteral("Supper")};
}

void TestStoreOperations::renameMainCategory_movesFolderAndKeepsContent()
{
    QFETCH(QString, newName);
    QFETCH(QStringList, listAfter);
    openSharedRecipe(QStringLiteral("Boller"));
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    MessageHook::queue(Answer::rename(newName));
    run(w->AredigerHovedKat);
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Rename: Kager")});
    QCOMPARE(w->hovedKatBox->entries(), listAfter);
    QCOMPARE(listFile(QStringLiteral("Hovedkategori.txt")), listAfter);
    QVERIFY(!QFileInfo::exists(alle(QStringLiteral("Kager"))));
    QVERIFY(QFileInfo::exists(alle(newName + QStringLiteral("/Gærbag/Boller.rtf"))));
    QCOMPARE(w->hovedIndex, -1);
    QVERIFY(w->hovedKatEdit->text().isEmpty());
    QCOMPARE(w->underKatBox->count(), 0);
}

void TestStoreOperations::renameRecipe_renamesBothFiles()
{
    openSharedRecipe(QStringLiteral("Boller"));
    MessageHook::queue(Answer::rename(QStringLiteral("Teboller")));
    run(w->AredigerOpskrift);
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Rename: Boller")});
    QCOMPARE(listFile(QStringLiteral("Kager/Gærbag/Index.txt")),
             (QStringList{QStringLiteral("Kringle"), QStringLiteral("Teboller")}));
    QVERIFY(QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Teboller.rtf"))));
    QVERIFY(QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Tebollerliste.txt"))));
    QVERIFY(!QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Boller.rtf"))));
    QVERIFY(!QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Bollerliste.txt"))));
    QCOMPARE(w->opskriftIndex, -1);
    QVERIFY(w->Editor->toPlainText().isEmpty());
}

void TestStoreOperations::renameIngredient_movesItToTheEnd()
{
    openSharedRecipe(QStringLiteral("Boller"));
    chooseEntry(w->ingrediensBox, QStringLiteral("500 g mel"));
    MessageHook::queue(Answer::rename(QStringLiteral("450 g mel")));
    run(w->AredigerIngrediens);
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Rename: 500 g mel")});
    const QStringList expected{QStringLiteral("50 g gær"), QStringLiteral("3 dl mælk"), QStringLiteral("450 g mel")};
    QCOMPARE(w->ingrediensBox->entries(), expected);
    QCOMPARE(listFile(QStringLiteral("Kager/Gærbag/Bollerliste.txt")), expected);
    QCOMPARE(w->ingrediensIndex, -1);
    QCOMPARE(w->opskriftIndex, 0);
}

void TestStoreOperations::renameRefused_changesNothing_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty recipe name") << 3 << QString()
                                       << QStringLiteral("Information: Der mangler et navn på den nye opskrift!");
    QTest::newRow("other recipe's name") << 3 << QStringLiteral("kringle") << kExists;
    QTest::newRow("recipe named ..") << 3 << QStringLiteral("..") << kUnusable;
    QTest::newRow("subcategory with slash") << 2 << QStringLiteral("a/b") << kUnusable;
    QTest::newRow("subcategory onto its list") << 2 << QStringLiteral("INDEX.TXT") << kUnusable;
    QTest::newRow("main category onto the change record") << 1 << QStringLiteral(".retterum-aendring") << kUnusable;
    QTest::newRow("main category onto other") << 1 << QStringLiteral("SUPPER") << kExists;
    QTest::newRow("empty ingredient") << 4 << QString()
                                      << QStringLiteral("Information: Der mangler en ingrediens beskrivelse!");
    QTest::newRow("ingredient onto other") << 4 << QStringLiteral("3 DL MÆLK")
                                           << QStringLiteral("Information: Ingrediensen er indført i forvejen!");
}

void TestStoreOperations::renameRefused_changesNothing()
{
    QFETCH(int, level);
    QFETCH(QString, newText);
    QFETCH(QString, message);

    openSharedRecipe(QStringLiteral("Boller"));
    chooseEntry(w->ingrediensBox, QStringLiteral("500 g mel"));
    if (level < 3)
        chooseEntry(level == 1 ? w->hovedKatBox : w->underKatBox, level == 1 ? QStringLiteral("Kager") : QStringLiteral("Gærbag"));
    const auto snapshot = [this] {
        QStringList all;
        QDirIterator it(alle(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            all << it.next();
        all.sort();
        for (const QString &list : {QStringLiteral("Hovedkategori.txt"), QStringLiteral("Kager/Index.txt"),
                                    QStringLiteral("Kager/Gærbag/Index.txt"), QStringLiteral("Kager/Gærbag/Bollerliste.txt")})
            all << listFile(list);
        return all;
    };
    const QStringList before = snapshot();
    QAction *rename[4] = {w->AredigerHovedKat, w->AredigerUnderKat, w->AredigerOpskrift, w->AredigerIngrediens};
    ListBox *boxes[4] = {w->hovedKatBox, w->underKatBox, w->opskriftBox, w->ingrediensBox};
    const QStringList shownBefore = boxes[level - 1]->entries();

    MessageHook::queue(Answer::rename(newText));
    MessageHook::queue(Answer::Ok);
    run(rename[level - 1]);
    QCOMPARE(MessageHook::takeShown().value(1), message);
    QCOMPARE(snapshot(), before);
    QCOMPARE(boxes[level - 1]->entries(), shownBefore);
}

void TestStoreOperations::renameOntoExistingFolder_keepsOldName()
{
    QVERIFY(QDir().mkpath(alle(QStringLiteral("Bagværk/Gammelt"))));
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    MessageHook::queue(Answer::rename(QStringLiteral("Bagværk")));
    MessageHook::queue(Answer::Ok);
    run(w->AredigerHovedKat);
    QCOMPARE(MessageHook::takeShown(), (QStringList{QStringLiteral("Rename: Kager"), kUnknown}));
    QCOMPARE(w->hovedKatBox->entries(), (QStringList{QStringLiteral("Supper"), QStringLiteral("Kager")}));
    QCOMPARE(listFile(QStringLiteral("Hovedkategori.txt")), (QStringList{QStringLiteral("Supper"), QStringLiteral("Kager")}));
    QVERIFY(QFileInfo::exists(alle(QStringLiteral("Kager/Gærbag/Boller.rtf"))));
    QVERIFY(QFileInfo::exists(alle(QStringLiteral("Bagværk/Gammelt"))));
}

void TestStoreOperations::enableRules_followTheState()
{
    const auto enabled = [this] {
        QStringList names;
        for (QAction *a : {w->AinsertHovedKat, w->AsletHovedKat, w->AredigerHovedKat, w->AinsertUnderKat,
                           w->AsletUnderKat, w->AredigerUnderKat, w->AinsertOpskrift, w->AsletOpskrift,
                           w->AredigerOpskrift, w->AinsertIngrediens, w->AsletIngrediens,
                           w->AredigerIngrediens, w->AgemBeskrivelse, w->Areload})
            if (a->isEnabled())
                names << a->objectName();
        return names;
    };
    QTRY_COMPARE(enabled(), QStringList());
    QTest::mouseClick(w->hovedKatEdit, Qt::LeftButton);
    QTest::keyClick(w->hovedKatEdit, Qt::Key_Space); // blanks count
    QTRY_COMPARE(enabled(), QStringList{QStringLiteral("AinsertHovedKat")});
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    QTRY_COMPARE(enabled(), (QStringList{QStringLiteral("AsletHovedKat"), QStringLiteral("AredigerHovedKat")}));
    QTest::mouseClick(w->underKatEdit, Qt::LeftButton);
    QTest::keyClicks(w->underKatEdit, QStringLiteral("Is"));
    QTRY_COMPARE(enabled(), (QStringList{QStringLiteral("AsletHovedKat"), QStringLiteral("AredigerHovedKat"),
                                         QStringLiteral("AinsertUnderKat")}));
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    chooseEntry(w->ingrediensBox, QStringLiteral("50 g gær"));
    QTRY_COMPARE(enabled(), (QStringList{QStringLiteral("AsletHovedKat"), QStringLiteral("AredigerHovedKat"),
                                         QStringLiteral("AsletUnderKat"), QStringLiteral("AredigerUnderKat"),
                                         QStringLiteral("AsletOpskrift"), QStringLiteral("AredigerOpskrift"),
                                         QStringLiteral("AsletIngrediens"), QStringLiteral("AredigerIngrediens")}));
    QCOMPARE(w->fontPanel->Info->panelText(7), QString());
    w->Editor->setFocus();
    QTest::keyClicks(w->Editor, QStringLiteral("x"));
    QTRY_VERIFY(w->AgemBeskrivelse->isEnabled());
    QVERIFY(w->Areload->isEnabled());
    QCOMPARE(w->fontPanel->Info->panelText(7), QStringLiteral("Modificeret"));
}

void TestStoreOperations::enteringAnEditField_startsANewEntry()
{
    openSharedRecipe(QStringLiteral("Boller"));
    QTest::mouseClick(w->underKatEdit, Qt::LeftButton);
    QCOMPARE(w->underIndex, -1);
    QCOMPARE(w->underKatBox->currentRow(), -1);
    QVERIFY(w->underKatEdit->text().isEmpty());
    QCOMPARE(w->underKatBox->count(), 1);
    QCOMPARE(w->opskriftBox->count(), 0);
    QCOMPARE(w->hovedIndex, 1);
    QVERIFY(w->opskriftDir.isEmpty());
    QCOMPARE(w->opskriftLabel->text(), QStringLiteral("Opskrift"));
}

void TestStoreOperations::saveAndReload_description()
{
    openSharedRecipe(QStringLiteral("Kringle")); // no description file yet
    QVERIFY(!w->AgemBeskrivelse->isEnabled());
    w->Editor->setFocus();
    QTest::keyClicks(w->Editor, QStringLiteral("Rul dejen ud"));
    QTRY_VERIFY(w->AgemBeskrivelse->isEnabled());
    QTest::keyClick(w->Editor, Qt::Key_G, Qt::ControlModifier);
    const QString rtfPath = alle(QStringLiteral("Kager/Gærbag/Kringle.rtf"));
    QTRY_VERIFY(QFileInfo::exists(rtfPath));
    QVERIFY(!w->Editor->document()->isModified());

    QTest::keyClicks(w->Editor, QStringLiteral(" og fold den"));
    QTRY_VERIFY(w->Areload->isEnabled());
    QTest::keyClick(w->Editor, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(w->Editor->toPlainText(), QStringLiteral("Rul dejen ud"));
    QVERIFY(!w->Editor->document()->isModified());
    QTRY_COMPARE(w->fontPanel->Info->panelText(7), QString());

    // Read mode keeps the editor and its save shortcut.
    w->modeGroup->button(0)->click();
    QTest::keyClicks(w->Editor, QStringLiteral("!"));
    QTRY_VERIFY(w->AgemBeskrivelse->isEnabled());
    QTest::keyClick(w->Editor, Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(!w->Editor->document()->isModified());
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    chooseEntry(w->opskriftBox, QStringLiteral("Kringle"));
    QVERIFY(w->Editor->toPlainText().endsWith(u'!'));
}

void TestStoreOperations::failedSave_reachesGeneralReportAndKeepsMark()
{
    openSharedRecipe(QStringLiteral("Kringle"));
    // Something other than a file now stands where the description should go.
    QVERIFY(QDir().mkpath(alle(QStringLiteral("Kager/Gærbag/Kringle.rtf"))));
    w->Editor->setFocus();
    QTest::keyClicks(w->Editor, QStringLiteral("Tekst"));
    QTRY_VERIFY(w->AgemBeskrivelse->isEnabled());
    // Someone else put it there after the recipe was opened: the user is asked first.
    MessageHook::queue(Answer::Yes);
    MessageHook::queue(Answer::Ok);
    run(w->AgemBeskrivelse);
    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown.last().startsWith(QStringLiteral("Error: Filen")), qPrintable(shown.last()));
    QVERIFY(w->Editor->document()->isModified());
    QVERIFY(QFileInfo(alle(QStringLiteral("Kager/Gærbag/Kringle.rtf"))).isDir());
}

void TestStoreOperations::renameToSettingsFolder_isRefusedInThePrivateArea()
{
    const QString user = Tmainform::GetUserFromWindows();
    m_root->writeList(QStringLiteral("Brugere/%1/Hovedkategori.txt").arg(user), {QStringLiteral("Mine")});
    w->opstartGroup->button(1)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Mine"));
    MessageHook::queue(Answer::rename(QStringLiteral("indstillinger")));
    MessageHook::queue(Answer::Ok);
    run(w->AredigerHovedKat);
    QCOMPARE(MessageHook::takeShown().value(1), kReserved);
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/%1/Hovedkategori.txt").arg(user)), QStringList{QStringLiteral("Mine")});
    QVERIFY(QFileInfo(m_root->file(QStringLiteral("Brugere/%1/Indstillinger").arg(user))).isDir());
}

void TestStoreOperations::stripButtons_haveTheirOrderCaptionsAndHints_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QStringList>("hints"); // Slet, Rediger, Indfør

    QTest::newRow("main categories") << 1 << QStringList{
        QStringLiteral("Når hovekategorien slettes slettes alle underkategorier samt opskrifter"),
        QStringLiteral("Navnet på hovedkategorien ændres til det nye navn"),
        QStringLiteral("Opretter en ny hovedkategori med indskrevne navn")};
    QTest::newRow("subcategories") << 2 << QStringList{
        QStringLiteral("Når en underkategori slettes slettes også alle opskrifter i denne kategori"),
        QStringLiteral("Navnet på underkategorien ændres til det nye navn"),
        QStringLiteral("Opretter en ny underkategori med indskrevne navn")};
    QTest::newRow("recipes") << 3 << QStringList{
        QStringLiteral("Opskriften slettes med ingrediensliste samt beskrivelse"),
        QStringLiteral("Navnet på opskriften ændres til det nye navn"),
        QStringLiteral("Opretter en ny opskrivft med indskrevne navn")};
    QTest::newRow("ingredients") << 4 << QStringList{
        QStringLiteral("Valgte ingrediens slettes fra listen"),
        QStringLiteral("Den nye ingrediensbeskrivelse erstatter den valgte"),
        QStringLiteral("Indsætter indskrevne ingrediens i listen")};
}

// The buttons themselves, clicked with the mouse as a user does.
void TestStoreOperations::stripButtons_haveTheirOrderCaptionsAndHints()
{
    QFETCH(int, level);
    QFETCH(QStringList, hints);

    QWidget *strips[] = {w->newHovedKatPanel, w->newUnderKatPanel, w->newOpskriftPanel, w->newIngrediensPanel};
    QList<QPushButton *> buttons = strips[level - 1]->findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
    QCOMPARE(buttons.size(), 3);
    const QStringList captions{QStringLiteral("Slet"), QStringLiteral("Rediger"), QStringLiteral("Indfør")};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(buttons.at(i)->text(), captions.at(i));
        QCOMPARE(buttons.at(i)->statusTip(), hints.at(i));
    }

    openSharedRecipe(QStringLiteral("Boller"));
    QLineEdit *edits[] = {w->hovedKatEdit, w->underKatEdit, w->opskriftEdit, w->ingrediensEdit};
    QLineEdit *edit = edits[level - 1];
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, QStringLiteral("Ny"));
    QTRY_VERIFY(buttons.at(2)->isEnabled());
    QTest::mouseClick(buttons.at(2), Qt::LeftButton);
    ListBox *boxes[] = {w->hovedKatBox, w->underKatBox, w->opskriftBox, w->ingrediensBox};
    QVERIFY2(boxes[level - 1]->entries().contains(QStringLiteral("Ny")), qPrintable(boxes[level - 1]->entries().join(u',')));

    chooseEntry(boxes[level - 1], QStringLiteral("Ny"));
    if (level < 4)
        MessageHook::queue(Answer::Yes);
    QTRY_VERIFY(buttons.at(0)->isEnabled());
    QTest::mouseClick(buttons.at(0), Qt::LeftButton);
    QVERIFY(!boxes[level - 1]->entries().contains(QStringLiteral("Ny")));
}

QTEST_MAIN(TestStoreOperations)
#include "tst_storeoperations.moc"

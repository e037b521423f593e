// What another local user can plant in the shared area (names, links, pipes) and a full disk,
// driven through the main window as a user clicks: nothing outside the chosen entry may change.
#include "filesnapshot.h"
#include "mainwindowfixture.h"
#include "smalldisk.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLineEdit>
#include <QTextEdit>

#include <sys/stat.h>

using Answer = MessageHook::Answer;

namespace {

const QString kUnknown = QStringLiteral("Information: Der opstod en ukendt fejl.\rMåske er mappen i brug.");
const QString kUnusable = QStringLiteral("Information: Navnet kan ikke bruges som mappe- eller filnavn!");

} // namespace

class TestHostileStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void plantedName_touchesOnlyItsOwnLine_data();
    void plantedName_touchesOnlyItsOwnLine();
    void linkOutOfTheArea_isNeverFollowed_data();
    void linkOutOfTheArea_isNeverFollowed();
    void pipe_isReportedUnreadableAndTheProgramAnswers_data();
    void pipe_isReportedUnreadableAndTheProgramAnswers();
    void plantedChangeRecord_stopsNoChange_data();
    void plantedChangeRecord_stopsNoChange();
    void fullDisk_keepsEveryFileWholeAndSaysSo();
    void foreignPrivateFolder_isNotUsed();
    void openPrivateFolder_isClosed();

private:
    void makeBook(const TestDataRoot &root) const;
    void start(const TestDataRoot &root);
    void runSteps(const QStringList &steps);
    void runStep(const QString &step);
    ListBox *box(int level) const
    {
        return std::array<ListBox *, 4>{w->hovedKatBox, w->underKatBox, w->opskriftBox, w->ingrediensBox}[level - 1];
    }
    QString alle(const QString &relative) const { return m_root->file(u"Brugere/Alle/" + relative); }

    QTemporaryDir m_outside;
    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
    Tmainform *w = nullptr;
};

void TestHostileStore::initTestCase()
{
    // The canary outside the data root: a category folder and a recipe another user aims at.
    QVERIFY(m_outside.isValid());
    const QString out = m_outside.path();
    QVERIFY(QDir().mkpath(out + QStringLiteral("/mappe/Gærbag")));
    TestDataRoot::writeListAt(out + QStringLiteral("/Index.txt"), {QStringLiteral("Hemmelig")});
    TestDataRoot::writeListAt(out + QStringLiteral("/mappe/Index.txt"), {QStringLiteral("Gærbag")});
    TestDataRoot::writeListAt(out + QStringLiteral("/hemmeligliste.txt"), {QStringLiteral("privat")});
    TestDataRoot::writeListAt(out + QStringLiteral("/hemmelig.rtf"), {QStringLiteral("{\\rtf1 privat}")});
    QVERIFY(::chmod(QFile::encodeName(out + QStringLiteral("/hemmeligliste.txt")).constData(), 0600) == 0);
}

void TestHostileStore::cleanup()
{
    m_fixture.reset();
    m_root.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestHostileStore::makeBook(const TestDataRoot &root) const
{
    const QString user = Tmainform::GetUserFromWindows();
    root.writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager"), QStringLiteral("Supper")});
    root.writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Gærbag")});
    root.writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"), {QStringLiteral("Boller")});
    root.writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Bollerliste.txt"), {QStringLiteral("500 g mel")});
    root.writeBytes(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller.rtf"), "{\\rtf1\\ansi \\'c6lt dejen\\par}");
    QDir().mkpath(root.file(QStringLiteral("Brugere/Alle/Supper")));
    root.writeList(QStringLiteral("Brugere/%1/Hovedkategori.txt").arg(user), {QStringLiteral("Mine")});
    root.writeList(QStringLiteral("Brugere/%1/Mine/Index.txt").arg(user), {QStringLiteral("Gode")});
}

void TestHostileStore::start(const TestDataRoot &root)
{
    m_fixture = std::make_unique<MainWindowFixture>(root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
    w->modeGroup->button(1)->click();
}

// One user action per step, written "what:argument"; "=> text" at the end names the message it
// must show (answered with OK). Levels: 1 main category, 2 subcategory, 3 recipe, 4 ingredient.
void TestHostileStore::runSteps(const QStringList &steps)
{
    for (const QString &step : steps) {
        runStep(step);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestHostileStore::runStep(const QString &step)
{
    const qsizetype arrow = step.indexOf(QStringLiteral(" => "));
    const QString action = arrow < 0 ? step : step.left(arrow);
    const QString expected = arrow < 0 ? QString() : step.mid(arrow + 4);
    const QString what = action.section(u':', 0, 0);
    const QString argument = action.section(u':', 1);
    const int level = what.right(1).toInt();
    QLineEdit *edits[] = {w->hovedKatEdit, w->underKatEdit, w->opskriftEdit, w->ingrediensEdit};
    QAction *slet[] = {w->AsletHovedKat, w->AsletUnderKat, w->AsletOpskrift, w->AsletIngrediens};
    QAction *rediger[] = {w->AredigerHovedKat, w->AredigerUnderKat, w->AredigerOpskrift, w->AredigerIngrediens};

    if (what.startsWith(u"rediger"))
        MessageHook::queue(Answer::rename(argument));
    if (what.startsWith(u"slet"))
        MessageHook::queue(Answer::Yes);
    if (!expected.isEmpty())
        MessageHook::queue(Answer::Ok);

    if (what == u"alle") {
        w->opstartGroup->button(0)->click();
    } else if (what.startsWith(u"choose")) {
        chooseEntry(box(level), argument);
    } else if (what.startsWith(u"insert")) {
        QLineEdit *edit = edits[level - 1];
        w->activateWindow();
        QTRY_VERIFY(w->isActiveWindow());
        QTest::mouseClick(edit, Qt::LeftButton);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClicks(edit, argument);
        QTest::keyClick(edit, Qt::Key_Return);
    } else if (what == u"gem") {
        w->Editor->setFocus();
        QTest::keyClicks(w->Editor, QStringLiteral("ny tekst"));
        QTRY_VERIFY(w->AgemBeskrivelse->isEnabled());
        w->AgemBeskrivelse->trigger();
    } else if (what == u"nogem") {
        w->Editor->setFocus();
        QTest::keyClicks(w->Editor, QStringLiteral("ny tekst"));
        w->updateActions();
        QVERIFY(!w->AgemBeskrivelse->isEnabled());
        QVERIFY(!w->Areload->isEnabled());
    } else if (what.startsWith(u"slet") || what.startsWith(u"rediger")) {
        QAction *a = (what.startsWith(u"slet") ? slet : rediger)[level - 1];
        QTRY_VERIFY(a->isEnabled());
        a->trigger();
    } else if (what.startsWith(u"empty")) {
        QCOMPARE(box(level)->count(), 0);
    } else {
        QFAIL(qPrintable(u"unknown step " + step));
    }

    const QStringList shown = MessageHook::takeShown();
    if (expected.isEmpty()) {
        QVERIFY2(shown.isEmpty() || (what.startsWith(u"slet") && shown.size() == 1)
                     || (what.startsWith(u"rediger") && shown.size() == 1),
                 qPrintable(step + u": " + shown.join(u" | ")));
    } else {
        QVERIFY2(!shown.isEmpty() && shown.last().startsWith(expected),
                 qPrintable(step + u": " + shown.join(u" | ")));
    }
}

// A name in a list file that can't name a folder or file, at each level: choosing it shows
// nothing below, nothing can be stored below it, and deleting or renaming it changes its line.
void TestHostileStore::plantedName_touchesOnlyItsOwnLine_data()
{
    QTest::addColumn<QString>("entry"); // <ude>: the canary folder outside, reached from there
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("privateArea");
    QTest::addColumn<QString>("finally"); // slet or rediger

    const QStringList entries{QString(), QStringLiteral("."), QStringLiteral(".."),
                              QStringLiteral("../.."), QStringLiteral("<ude>"), QStringLiteral("<ude-abs>"),
                              QStringLiteral("Kager/Gærbag"), QStringLiteral("Kager\\Gærbag"),
                              QStringLiteral("tab\there"), QString(5000, u'x')};
    for (int level = 1; level <= 3; ++level) {
        for (const QString &entry : entries) {
            for (const QString &finally : {QStringLiteral("slet"), QStringLiteral("rediger")}) {
                const QString name = entry.size() > 100 ? QStringLiteral("5000 tegn") : entry;
                QTest::addRow("level %d '%s' %s", level, qPrintable(name), qPrintable(finally))
                    << entry << level << false << finally;
            }
        }
    }
    // The store's own files, in any letter case: a folder of that name would stand in their place.
    const std::pair<int, QString> ownFiles[] = {
        {1, QStringLiteral("Hovedkategori.txt")}, {1, QStringLiteral(".retterum-laas")},
        {1, QStringLiteral(".retterum-aendring")}, {2, QStringLiteral("Index.txt")}, {2, QStringLiteral("iNDEX.txt")}};
    for (const auto &[level, own] : ownFiles) {
        for (const QString &finally : {QStringLiteral("slet"), QStringLiteral("rediger")})
            QTest::addRow("level %d '%s' %s", level, qPrintable(own), qPrintable(finally)) << own << level << false << finally;
    }
    QTest::newRow("settings folder in the private list, slet")
        << QStringLiteral("Indstillinger") << 1 << true << QStringLiteral("slet");
    QTest::newRow("settings folder in the private list, rediger")
        << QStringLiteral("indstillinger") << 1 << true << QStringLiteral("rediger");
}

void TestHostileStore::plantedName_touchesOnlyItsOwnLine()
{
    QFETCH(QString, entry);
    QFETCH(int, level);
    QFETCH(bool, privateArea);
    QFETCH(QString, finally);

    m_root = std::make_unique<TestDataRoot>();
    makeBook(*m_root);
    const QString user = Tmainform::GetUserFromWindows();
    const QString area = privateArea ? QStringLiteral("Brugere/%1/").arg(user) : QStringLiteral("Brugere/Alle/");
    const QStringList parents{QString(), QStringLiteral("Kager"), QStringLiteral("Kager/Gærbag")};
    const QString parent = parents.at(level - 1);
    // From the list's folder up and out of the data root to the canary.
    const QString up = QStringLiteral("../").repeated(m_root->path().count(u'/') + area.count(u'/') + parent.count(u'/') + (level > 1));
    const QString leaf = level == 3 ? QStringLiteral("/hemmelig") : QString();
    entry.replace(QStringLiteral("<ude-abs>"), m_outside.path() + leaf);
    entry.replace(QStringLiteral("<ude>"), up.chopped(1) + m_outside.path() + leaf);
    const QString listFile = area + (level == 1 ? QStringLiteral("Hovedkategori.txt") : parent + QStringLiteral("/Index.txt"));
    QStringList list = m_root->readList(listFile);
    list.insert(1, entry);
    m_root->writeList(listFile, list);

    start(*m_root);
    if (!privateArea)
        runStep(QStringLiteral("alle"));
    if (level > 1)
        runStep(QStringLiteral("choose1:Kager"));
    if (level > 2)
        runStep(QStringLiteral("choose2:Gærbag"));
    const auto before = fileSnapshot(m_root->path());
    const auto outsideBefore = fileSnapshot(m_outside.path());

    QStringList steps{QStringLiteral("choose%1:%2").arg(level).arg(entry), QStringLiteral("empty%1").arg(level + 1)};
    if (level < 3)
        steps << QStringLiteral("insert%1:Ny => %2").arg(level + 1).arg(kUnusable);
    else
        steps << QStringLiteral("insert4:1 æg => %1").arg(kUnusable) << QStringLiteral("nogem");
    runSteps(steps);
    QCOMPARE(snapshotChanges(before, fileSnapshot(m_root->path())), QStringList());

    runStep(QStringLiteral("%1%2:Nyt").arg(finally).arg(level));
    QStringList changed{u'/' + listFile};
    if (finally == u"slet") {
        list.removeAt(1);
    } else {
        list.removeAt(1);
        list = store::insertSorted(list, QStringLiteral("Nyt"));
        if (level < 3)
            changed << u'/' + area + (parent.isEmpty() ? QString() : parent + u'/') + QStringLiteral("Nyt");
    }
    changed.sort();
    QCOMPARE(snapshotChanges(before, fileSnapshot(m_root->path())), changed);
    QCOMPARE(m_root->readList(listFile), list);
    QCOMPARE(box(level)->entries(), list);
    QCOMPARE(snapshotChanges(outsideBefore, fileSnapshot(m_outside.path())), QStringList());
}

// A link planted in the shared area in place of a file or folder, pointing out of it: each
// row walks as far as a user can and changes what can be changed; nothing outside changes,
// not even a mode.
void TestHostileStore::linkOutOfTheArea_isNeverFollowed_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("steps");

    const QString unreadable = QStringLiteral("Error: Filen ");
    QTest::newRow("description") << QStringLiteral("Kager/Gærbag/Boller.rtf") << QStringLiteral("hemmelig.rtf")
        << QStringList{QStringLiteral("alle"), QStringLiteral("choose1:Kager"), QStringLiteral("choose2:Gærbag"),
                       QStringLiteral("choose3:Boller => ") + unreadable, QStringLiteral("gem"),
                       QStringLiteral("rediger3:Bolle2"), QStringLiteral("choose3:Bolle2"), QStringLiteral("slet3")};
    QTest::newRow("ingredient list") << QStringLiteral("Kager/Gærbag/Bollerliste.txt") << QStringLiteral("hemmeligliste.txt")
        << QStringList{QStringLiteral("alle"), QStringLiteral("choose1:Kager"), QStringLiteral("choose2:Gærbag"),
                       QStringLiteral("choose3:Boller => ") + unreadable, QStringLiteral("insert4:1 æg"),
                       QStringLiteral("rediger3:Bolle2"), QStringLiteral("choose3:Bolle2"), QStringLiteral("slet3")};
    QTest::newRow("recipe index") << QStringLiteral("Kager/Gærbag/Index.txt") << QStringLiteral("Index.txt")
        << QStringList{QStringLiteral("alle"), QStringLiteral("choose1:Kager"),
                       QStringLiteral("choose2:Gærbag => ") + unreadable, QStringLiteral("insert3:Ny"),
                       QStringLiteral("rediger2:Gær2"), QStringLiteral("choose2:Gær2"), QStringLiteral("slet2")};
    QTest::newRow("main category list") << QStringLiteral("Hovedkategori.txt") << QStringLiteral("Index.txt")
        << QStringList{QStringLiteral("alle => ") + unreadable, QStringLiteral("insert1:Ny"), QStringLiteral("choose1:Ny"),
                       QStringLiteral("slet1")};
    QTest::newRow("subcategory folder") << QStringLiteral("Kager/Gærbag") << QStringLiteral("mappe")
        << QStringList{QStringLiteral("alle"), QStringLiteral("choose1:Kager"), QStringLiteral("choose2:Gærbag"),
                       QStringLiteral("empty3"), QStringLiteral("insert3:Ny => ") + kUnknown,
                       QStringLiteral("rediger2:Gær2"), QStringLiteral("choose2:Gær2"), QStringLiteral("slet2")};
    QTest::newRow("main category folder") << QStringLiteral("Kager") << QStringLiteral("mappe")
        << QStringList{QStringLiteral("alle"), QStringLiteral("choose1:Kager"), QStringLiteral("empty2"),
                       QStringLiteral("insert2:Ny => ") + kUnknown, QStringLiteral("rediger1:Kage2"),
                       QStringLiteral("choose1:Kage2"), QStringLiteral("slet1")};
}

void TestHostileStore::linkOutOfTheArea_isNeverFollowed()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    QFETCH(QStringList, steps);

    m_root = std::make_unique<TestDataRoot>();
    makeBook(*m_root);
    const QString planted = alle(link);
    QVERIFY(QFileInfo(planted).isDir() ? QDir(planted).removeRecursively() : QFile::remove(planted));
    QVERIFY(QFile::link(m_outside.path() + u'/' + target, planted));
    const auto outsideBefore = fileSnapshot(m_outside.path());

    start(*m_root);
    runSteps(steps);
    QCOMPARE(snapshotChanges(outsideBefore, fileSnapshot(m_outside.path())), QStringList());
}

void TestHostileStore::pipe_isReportedUnreadableAndTheProgramAnswers_data()
{
    QTest::addColumn<QString>("pipe");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("main category list") << QStringLiteral("Hovedkategori.txt")
        << QStringList{QStringLiteral("alle => Error: Filen \"%1\" kan ikke læses.")};
    QTest::newRow("description") << QStringLiteral("Kager/Gærbag/Boller.rtf")
        << QStringList{QStringLiteral("alle"), QStringLiteral("choose1:Kager"), QStringLiteral("choose2:Gærbag"),
                       QStringLiteral("choose3:Boller => Error: Filen \"%1\" kan ikke læses."), QStringLiteral("gem")};
}

void TestHostileStore::pipe_isReportedUnreadableAndTheProgramAnswers()
{
    QFETCH(QString, pipe);
    QFETCH(QStringList, steps);

    m_root = std::make_unique<TestDataRoot>();
    makeBook(*m_root);
    QVERIFY(QFile::remove(alle(pipe)));
    QVERIFY(::mkfifo(QFile::encodeName(alle(pipe)).constData(), 0666) == 0);
    start(*m_root);
    // A blocking open would hang here for good.
    for (QString &step : steps)
        step = step.arg(alle(pipe));
    runSteps(steps);
}

// Something else than the program's own record of a change, where that record is written: it is
// cleared as a planted lock file is, and a folder with contents is named for the user to remove.
void TestHostileStore::plantedChangeRecord_stopsNoChange_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("empty folder") << QStringLiteral("folder");
    QTest::newRow("link out of the area") << QStringLiteral("link");
    QTest::newRow("pipe") << QStringLiteral("pipe");
    QTest::newRow("folder with contents") << QStringLiteral("full");
}

void TestHostileStore::plantedChangeRecord_stopsNoChange()
{
    QFETCH(QString, kind);
    m_root = std::make_unique<TestDataRoot>();
    makeBook(*m_root);
    const QString record = alle(QStringLiteral(".retterum-aendring"));
    const QByteArray recordName = QFile::encodeName(record);
    if (kind == u"folder")
        QCOMPARE(::mkdir(recordName.constData(), 0777), 0);
    else if (kind == u"link")
        QCOMPARE(::symlink(QFile::encodeName(m_outside.path() + QStringLiteral("/mappe")).constData(), recordName.constData()), 0);
    else if (kind == u"pipe")
        QCOMPARE(::mkfifo(recordName.constData(), 0666), 0);
    else
        TestDataRoot::writeListAt(record + QStringLiteral("/Index.txt"), {QStringLiteral("noget")});
    const auto outsideBefore = fileSnapshot(m_outside.path());
    start(*m_root);
    runStep(QStringLiteral("alle"));

    if (kind == u"full") {
        const QString named = QStringLiteral("Information: Der ligger en mappe, hvor programmets låsefil skal være:\r%1\r").arg(record);
        runSteps({QStringLiteral("insert1:Brød => ") + named, QStringLiteral("choose1:Supper"), QStringLiteral("slet1 => ") + named});
        QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Hovedkategori.txt")),
                 (QStringList{QStringLiteral("Kager"), QStringLiteral("Supper")}));
        QVERIFY(QFileInfo::exists(record + QStringLiteral("/Index.txt")));
        QVERIFY(QDir(record).removeRecursively()); // as the message asks
    }
    runSteps({QStringLiteral("insert1:Brød"), QStringLiteral("choose1:Supper"), QStringLiteral("slet1"),
              QStringLiteral("choose1:Kager"), QStringLiteral("rediger1:Bagværk"), QStringLiteral("choose1:Bagværk"),
              QStringLiteral("choose2:Gærbag"), QStringLiteral("choose3:Boller"), QStringLiteral("rediger3:Bolle2")});
    QCOMPARE(w->hovedKatBox->entries(), (QStringList{QStringLiteral("Bagværk"), QStringLiteral("Brød")}));
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Hovedkategori.txt")), w->hovedKatBox->entries());
    QCOMPARE(m_root->readList(QStringLiteral("Brugere/Alle/Bagværk/Gærbag/Index.txt")), QStringList{QStringLiteral("Bolle2")});
    QVERIFY(QFileInfo::exists(alle(QStringLiteral("Bagværk/Gærbag/Bolle2.rtf"))));
    QVERIFY(!QFileInfo::exists(alle(QStringLiteral("Supper"))));
    QVERIFY(!QFileInfo(record).exists() && !QFileInfo(record).isSymLink());
    QCOMPARE(snapshotChanges(outsideBefore, fileSnapshot(m_outside.path())), QStringList());
}

// On a full disk every write fails; each failure is told and leaves the old files whole.
void TestHostileStore::fullDisk_keepsEveryFileWholeAndSaysSo()
{
    SmallDisk disk;
    REQUIRE_SMALL_DISK(disk);
    m_root = std::make_unique<TestDataRoot>(disk.path());
    makeBook(*m_root);
    start(*m_root);
    const QString settings = m_root->file(QStringLiteral("Brugere/%1/Indstillinger/indstillinger.txt")
                                              .arg(Tmainform::GetUserFromWindows()));
    TestDataRoot::writeListAt(settings, QStringList(14, QStringLiteral("gammel")));
    runSteps({QStringLiteral("alle"), QStringLiteral("choose1:Kager"), QStringLiteral("choose2:Gærbag"),
              QStringLiteral("choose3:Boller")});
    const auto before = fileSnapshot(m_root->path());
    disk.fill();

    runStep(QStringLiteral("gem => Error: Filen \"%1\" kan ikke gemmes.").arg(alle(QStringLiteral("Kager/Gærbag/Boller.rtf"))));
    QVERIFY(w->Editor->document()->isModified());
    runSteps({QStringLiteral("insert4:1 æg => ") + kUnknown, QStringLiteral("insert1:Brød => ") + kUnknown,
              QStringLiteral("choose1:Kager"), QStringLiteral("rediger1:Bagværk => ") + kUnknown});
    // The lists show what the files hold.
    QCOMPARE(w->hovedKatBox->entries(), (QStringList{QStringLiteral("Kager"), QStringLiteral("Supper")}));

    MessageHook::queue(Answer::Ok);
    QVERIFY(w->close());
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Error: Filen \"%1\" kan ikke gemmes.").arg(settings)});
    QCOMPARE(snapshotChanges(before, fileSnapshot(m_root->path())), QStringList());
}

void TestHostileStore::foreignPrivateFolder_isNotUsed()
{
    if (::geteuid() != 0)
        QSKIP("giving a folder to another user needs root");
    m_root = std::make_unique<TestDataRoot>();
    makeBook(*m_root);
    const QString folder = m_root->file(QStringLiteral("Brugere/") + Tmainform::GetUserFromWindows());
    QVERIFY(::chown(QFile::encodeName(folder).constData(), 65534, 65534) == 0);
    const auto before = fileSnapshot(folder);

    MessageHook::queue(Answer::Ok);
    start(*m_root);
    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(QStringLiteral("er ikke din egen")), qPrintable(shown.first()));
    QCOMPARE(w->brugerOpstart, 0);
    QCOMPARE(w->windowTitle(), QStringLiteral("Retterum for alle"));
    QVERIFY(!w->opstartGroup->button(1)->isEnabled());
    QCOMPARE(w->hovedKatBox->entries(), (QStringList{QStringLiteral("Kager"), QStringLiteral("Supper")}));
    QVERIFY(w->close());
    QCOMPARE(snapshotChanges(before, fileSnapshot(folder)), QStringList());
}

void TestHostileStore::openPrivateFolder_isClosed()
{
    m_root = std::make_unique<TestDataRoot>();
    makeBook(*m_root);
    const QByteArray folder = QFile::encodeName(m_root->file(QStringLiteral("Brugere/") + Tmainform::GetUserFromWindows()));
    QVERIFY(::chmod(folder.constData(), 0777) == 0);
    start(*m_root);
    struct stat st {};
    QCOMPARE(::stat(folder.constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0700));
    QCOMPARE(w->hovedKatBox->entries(), QStringList{QStringLiteral("Mine")});
}

QTEST_MAIN(TestHostileStore)
#include "tst_hostilestore.moc"

// A change cut off at any step, a lock file someone planted, a write-protected area: the book
// must still work and show everything it holds.
#include "../common/smalldisk.h"
#include "store/areascan.h"
#include "store/changerecord.h"
#include "store/listchange.h"
#include "store/storepaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

using store::ChangeOutcome;
using store::StorePaths;

namespace {

QStringList listOf(const store::Tree &area, const QString &file)
{
    store::ListText text;
    if (!area.isFile(file))
        return {};
    return store::readListFile(area, file, &text) ? text.entries : QStringList{QStringLiteral("<ulæselig>")};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void changeCutOffAtAnyStep_isFinishedOrTakenBack_data();
    void changeCutOffAtAnyStep_isFinishedOrTakenBack();
    void openingTheArea_finishesACutOffChange();
    void hiddenRecipes_areListedAgain();
    void leftoverTemporaryFiles_goWhenOld();
    void plantedRecord_touchesNothingOutside();
    void recordThatIsNoFile_isClearedAsALockFileIs_data();
    void recordThatIsNoFile_isClearedAsALockFileIs();
    void deleteThatCannotRemoveEverything_saysSo();
    void plantedLockFile_isReplaced_data();
    void plantedLockFile_isReplaced();
    void folderInPlaceOfLockFile_isNamed();
    void writeProtectedArea_isToldAsSuch();

private:
    // An area with Kager/Småkager/Vaniljekranse (description and ingredients) and Supper.
    store::Tree makeBook(const QTemporaryDir &dir);
    // Lists and folders agree at every level, and every recipe's files are listed.
    void checkAgreement(const store::Tree &area);
};

void TestCrashSafety::cleanup()
{
    store::ListChange::stopAfterStep = -1;
}

store::Tree TestCrashSafety::makeBook(const QTemporaryDir &dir)
{
    const store::Tree area(dir.path(), true);
    const QString root = area.root();
    [&] {
        QVERIFY(store::writeListFile(area, root + QStringLiteral("Hovedkategori.txt"), {QStringLiteral("Kager"), QStringLiteral("Supper")}));
        QVERIFY(QDir().mkpath(root + QStringLiteral("Kager/Småkager")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("Supper")));
        QVERIFY(store::writeListFile(area, root + QStringLiteral("Kager/Index.txt"), {QStringLiteral("Småkager")}));
        QVERIFY(store::writeListFile(area, root + QStringLiteral("Kager/Småkager/Index.txt"), {QStringLiteral("Vaniljekranse")}));
        writeFile(root + QStringLiteral("Kager/Småkager/Vaniljekranse.rtf"), "{\\rtf1 Bag dem}");
        writeFile(root + QStringLiteral("Kager/Småkager/Vaniljekranseliste.txt"), "250 g mel\r\n");
    }();
    return area;
}

void TestCrashSafety::checkAgreement(const store::Tree &area)
{
    QVERIFY2(!store::ChangeRecord::exists(area), "the record of a finished change is left");
    const QString root = area.root();
    QStringList mains = listOf(area, StorePaths::mainCategoryFile(root));
    QStringList folders = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    mains.sort();
    folders.sort();
    QCOMPARE(mains, folders);
    for (const QString &main : mains) {
        const QString mainFolder = root + main + u'/';
        QStringList subs = listOf(area, StorePaths::indexFile(mainFolder));
        QStringList subFolders = QDir(mainFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        subs.sort();
        subFolders.sort();
        QCOMPARE(subs, subFolders);
        for (const QString &sub : subs) {
            const QString subFolder = mainFolder + sub + u'/';
            const QStringList recipes = listOf(area, StorePaths::indexFile(subFolder));
            const QStringList files = QDir(subFolder).entryList({QStringLiteral("*.rtf")}, QDir::Files);
            for (const QString &file : files)
                QVERIFY2(recipes.contains(file.chopped(4)), qPrintable(file + QStringLiteral(" er ikke på listen")));
        }
    }
}

void TestCrashSafety::changeCutOffAtAnyStep_isFinishedOrTakenBack_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("step");
    const char *changes[] = {"insert", "remove", "rename"};
    for (const char *change : changes) {
        for (int level = 1; level <= 3; ++level) {
            if (QByteArray(change) == "insert" && level == 3)
                continue; // one write: nothing to cut in two
            for (int step = 1; step <= 5; ++step)
                QTest::addRow("%s level %d after step %d", change, level, step) << QString::fromLatin1(change) << level << step;
        }
    }
}

void TestCrashSafety::changeCutOffAtAnyStep_isFinishedOrTakenBack()
{
    QFETCH(QString, change);
    QFETCH(int, level);
    QFETCH(int, step);
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    const QString root = area.root();
    const QString folders[] = {root, root + QStringLiteral("Kager/"), root + QStringLiteral("Kager/Småkager/")};
    const QString lists[] = {StorePaths::mainCategoryFile(root), StorePaths::indexFile(folders[1]),
                             StorePaths::indexFile(folders[2])};
    const QString names[] = {QStringLiteral("Kager"), QStringLiteral("Småkager"), QStringLiteral("Vaniljekranse")};
    const store::ListChange cut(area, {level, lists[level - 1], folders[level - 1]});

    store::ListChange::stopAfterStep = step;
    if (change == u"insert")
        (void)cut.insert(QStringLiteral("Nyt"));
    else if (change == u"remove")
        (void)cut.remove(names[level - 1], 0);
    else
        (void)cut.rename(names[level - 1], 0, QStringLiteral("Omdøbt"));
    store::ListChange::stopAfterStep = -1;

    // The next change, by anyone, puts the book right before it starts.
    QCOMPARE(store::ListChange(area, {1, lists[0], root}).insert(QStringLiteral("Brød")).outcome, ChangeOutcome::Done);
    checkAgreement(area);

    // The recipe's text is wherever the lists say it is, or gone with a delete that was done.
    const QStringList listed = listOf(area, lists[level - 1]);
    if (change == u"rename") {
        QVERIFY(listed.contains(names[level - 1]) != listed.contains(QStringLiteral("Omdøbt")));
        QString path = root + QStringLiteral("Kager/Småkager/Vaniljekranse.rtf");
        path.replace(names[level - 1], listed.contains(names[level - 1]) ? names[level - 1] : QStringLiteral("Omdøbt"));
        QCOMPARE(readFile(path), QByteArray("{\\rtf1 Bag dem}"));
    } else if (change == u"remove") {
        QVERIFY(listed.contains(names[level - 1]) == QFileInfo::exists(root + QStringLiteral("Kager/Småkager/Vaniljekranse.rtf"))
                || level == 3);
        if (listed.contains(names[level - 1]))
            QCOMPARE(readFile(root + QStringLiteral("Kager/Småkager/Vaniljekranse.rtf")), QByteArray("{\\rtf1 Bag dem}"));
        else
            QVERIFY(!QFileInfo::exists(folders[level - 1] + names[level - 1] + (level == 3 ? QStringLiteral(".rtf") : QString())));
    } else {
        QVERIFY(!listed.contains(QStringLiteral("Nyt")) || QFileInfo(folders[level - 1] + QStringLiteral("Nyt")).isDir());
    }
}

void TestCrashSafety::openingTheArea_finishesACutOffChange()
{
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    const QString kager = area.root() + QStringLiteral("Kager/");
    store::ListChange::stopAfterStep = 2; // the folder has its new name, the list the old one
    (void)store::ListChange(area, {2, StorePaths::indexFile(kager), kager})
        .rename(QStringLiteral("Småkager"), 0, QStringLiteral("Julekager"));
    store::ListChange::stopAfterStep = -1;
    QCOMPARE(listOf(area, StorePaths::indexFile(kager)), QStringList{QStringLiteral("Småkager")});

    store::repairIfInterrupted(area);
    QCOMPARE(listOf(area, StorePaths::indexFile(kager)), QStringList{QStringLiteral("Julekager")});
    QCOMPARE(readFile(kager + QStringLiteral("Julekager/Vaniljekranse.rtf")), QByteArray("{\\rtf1 Bag dem}"));
    checkAgreement(area);
}

void TestCrashSafety::hiddenRecipes_areListedAgain()
{
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    const QString root = area.root();
    // What a crash of an older copy of the program left: a main category, a subcategory and a
    // recipe on disk that no list names; and an empty folder, which holds nothing to show.
    writeFile(root + QStringLiteral("Brød/Rugbrød/Surdej.rtf"), "{\\rtf1 x}");
    writeFile(root + QStringLiteral("Kager/Lagkager/Othellolagkageliste.txt"), "1 bund\r\n");
    writeFile(root + QStringLiteral("Kager/Småkager/Brunkager.rtf"), "{\\rtf1 y}");
    QVERIFY(QDir().mkpath(root + QStringLiteral("Tomt")));

    QVERIFY(store::relistHidden(area));
    QCOMPARE(listOf(area, root + QStringLiteral("Hovedkategori.txt")),
             (QStringList{QStringLiteral("Brød"), QStringLiteral("Kager"), QStringLiteral("Supper")}));
    QCOMPARE(listOf(area, root + QStringLiteral("Brød/Index.txt")), QStringList{QStringLiteral("Rugbrød")});
    QCOMPARE(listOf(area, root + QStringLiteral("Brød/Rugbrød/Index.txt")), QStringList{QStringLiteral("Surdej")});
    QCOMPARE(listOf(area, root + QStringLiteral("Kager/Index.txt")),
             (QStringList{QStringLiteral("Lagkager"), QStringLiteral("Småkager")}));
    QCOMPARE(listOf(area, root + QStringLiteral("Kager/Lagkager/Index.txt")), QStringList{QStringLiteral("Othellolagkage")});
    QCOMPARE(listOf(area, root + QStringLiteral("Kager/Småkager/Index.txt")),
             (QStringList{QStringLiteral("Brunkager"), QStringLiteral("Vaniljekranse")}));
    QVERIFY(!store::relistHidden(area)); // nothing more to find

    // A user's settings folder is never taken for a main category.
    QTemporaryDir userDir;
    const store::Tree privat(userDir.path(), false, store::Reserved::SettingsFolder);
    writeFile(privat.root() + QStringLiteral("Indstillinger/Kladder/x.rtf"), "{\\rtf1 z}");
    QVERIFY(!store::relistHidden(privat));
    QVERIFY(!QFileInfo::exists(privat.root() + QStringLiteral("Hovedkategori.txt")));
}

void TestCrashSafety::leftoverTemporaryFiles_goWhenOld()
{
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    const QString old = area.root() + QStringLiteral("Kager/Småkager/.retterum-1f2e.tmp");
    const QString fresh = area.root() + QStringLiteral("Kager/.retterum-9a9b.tmp");
    writeFile(old, "halv");
    writeFile(fresh, "skrives nu");
    const timeval times[2] = {{std::time(nullptr) - store::kTemporaryFileLifeSecs - 60, 0},
                              {std::time(nullptr) - store::kTemporaryFileLifeSecs - 60, 0}};
    QCOMPARE(::utimes(QFile::encodeName(old).constData(), times), 0);

    store::relistHidden(area);
    QVERIFY(!QFileInfo::exists(old));
    QVERIFY(QFileInfo::exists(fresh)); // may belong to a write going on right now
    QCOMPARE(listOf(area, area.root() + QStringLiteral("Kager/Småkager/Index.txt")), QStringList{QStringLiteral("Vaniljekranse")});
}

void TestCrashSafety::plantedRecord_touchesNothingOutside()
{
    QTemporaryDir outside;
    writeFile(outside.path() + QStringLiteral("/vigtig/fil.rtf"), "behold");
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    // Records naming paths out of the area, or names the gate refuses.
    const QList<QStringList> planted{
        {QStringLiteral("1"), QStringLiteral("remove"), QStringLiteral("1"), QString(), QStringLiteral(".."), QString()},
        {QStringLiteral("1"), QStringLiteral("remove"), QStringLiteral("2"), QStringLiteral(".."), QStringLiteral("vigtig"), QString()},
        {QStringLiteral("1"), QStringLiteral("rename"), QStringLiteral("3"), outside.path(), QStringLiteral("vigtig"), QStringLiteral("x")},
        {QStringLiteral("1"), QStringLiteral("remove"), QStringLiteral("9"), QString(), QStringLiteral("Kager"), QString()},
    };
    for (const QStringList &record : planted) {
        QVERIFY(store::writeListFile(area, area.root() + QStringLiteral(".retterum-aendring"), record));
        QCOMPARE(store::ListChange(area, {1, StorePaths::mainCategoryFile(area.root()), area.root()})
                     .insert(QStringLiteral("Is")).outcome,
                 ChangeOutcome::Done);
        QVERIFY(!store::ChangeRecord::exists(area));
        QCOMPARE(store::ListChange(area, {1, StorePaths::mainCategoryFile(area.root()), area.root()})
                     .remove(QStringLiteral("Is"), -1).outcome,
                 ChangeOutcome::Done);
    }
    QCOMPARE(readFile(outside.path() + QStringLiteral("/vigtig/fil.rtf")), QByteArray("behold"));
    QVERIFY(QFileInfo::exists(area.root() + QStringLiteral("Kager/Småkager/Vaniljekranse.rtf")));
    checkAgreement(area);
}

void TestCrashSafety::recordThatIsNoFile_isClearedAsALockFileIs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("blocks"); // a folder with contents is named, as in place of the lock file
    QTest::newRow("empty folder") << QStringLiteral("folder") << false;
    QTest::newRow("link to a file outside") << QStringLiteral("link") << false;
    QTest::newRow("link to a folder outside") << QStringLiteral("folderlink") << false;
    QTest::newRow("pipe") << QStringLiteral("pipe") << false;
    QTest::newRow("folder with contents") << QStringLiteral("full") << true;
}

void TestCrashSafety::recordThatIsNoFile_isClearedAsALockFileIs()
{
    QFETCH(QString, kind);
    QFETCH(bool, blocks);
    QTemporaryDir outside;
    const QString target = outside.path() + QStringLiteral("/offer");
    writeFile(target, "urørt");
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    const QString record = area.root() + QStringLiteral(".retterum-aendring");
    const QByteArray recordName = QFile::encodeName(record);
    if (kind == u"folder")
        QCOMPARE(::mkdir(recordName.constData(), 0777), 0);
    else if (kind == u"link")
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), recordName.constData()), 0);
    else if (kind == u"folderlink")
        QCOMPARE(::symlink(QFile::encodeName(outside.path()).constData(), recordName.constData()), 0);
    else if (kind == u"pipe")
        QCOMPARE(::mkfifo(recordName.constData(), 0666), 0);
    else
        writeFile(record + QStringLiteral("/indhold"), "x");

    const QString kager = area.root() + QStringLiteral("Kager/");
    const QString smaakager = kager + QStringLiteral("Småkager/");
    const store::ListChange mains(area, {1, StorePaths::mainCategoryFile(area.root()), area.root()});
    const store::ListChange subs(area, {2, StorePaths::indexFile(kager), kager});
    const store::ListChange recipes(area, {3, StorePaths::indexFile(smaakager), smaakager});
    const QList<store::ChangeResult> results{
        mains.insert(QStringLiteral("Is")),
        recipes.rename(QStringLiteral("Vaniljekranse"), 0, QStringLiteral("Kransekager")),
        subs.rename(QStringLiteral("Småkager"), 0, QStringLiteral("Julekager")),
        mains.remove(QStringLiteral("Supper"), -1),
    };
    if (blocks) {
        for (const store::ChangeResult &result : results) {
            QCOMPARE(result.outcome, ChangeOutcome::LockBlocked);
            QCOMPARE(result.blocker, record);
        }
        QCOMPARE(listOf(area, StorePaths::mainCategoryFile(area.root())),
                 (QStringList{QStringLiteral("Kager"), QStringLiteral("Supper")}));
        QCOMPARE(readFile(record + QStringLiteral("/indhold")), QByteArray("x"));
        return;
    }
    for (const store::ChangeResult &result : results)
        QCOMPARE(result.outcome, ChangeOutcome::Done);
    QCOMPARE(listOf(area, StorePaths::mainCategoryFile(area.root())), (QStringList{QStringLiteral("Is"), QStringLiteral("Kager")}));
    QCOMPARE(readFile(kager + QStringLiteral("Julekager/Kransekager.rtf")), QByteArray("{\\rtf1 Bag dem}"));
    QCOMPARE(readFile(target), QByteArray("urørt"));
    QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("offer")});
    checkAgreement(area);
}

void TestCrashSafety::deleteThatCannotRemoveEverything_saysSo()
{
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    const QString stuck = area.root() + QStringLiteral("Kager/Småkager/fast");
    QVERIFY(QDir().mkpath(stuck));
    // A folder that can't be removed: a file system mounted on it (as root), or one whose
    // contents its owner may not delete.
    bool mounted = false;
    if (::geteuid() == 0)
        mounted = ::mount("tmpfs", QFile::encodeName(stuck).constData(), "tmpfs", 0, "size=64k") == 0;
    writeFile(stuck + QStringLiteral("/noget"), "x");
    if (!mounted)
        QVERIFY(QFile::setPermissions(stuck, QFile::ReadOwner | QFile::ExeOwner));

    const store::ListChange mains(area, {1, StorePaths::mainCategoryFile(area.root()), area.root()});
    const store::ChangeResult result = mains.remove(QStringLiteral("Kager"), 0);
    if (mounted)
        ::umount2(QFile::encodeName(stuck).constData(), MNT_DETACH);
    else
        QFile::setPermissions(stuck, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(result.outcome, ChangeOutcome::Incomplete);
    QCOMPARE(result.list.entries, QStringList{QStringLiteral("Supper")});
    QVERIFY(!store::ChangeRecord::exists(area));
}

void TestCrashSafety::plantedLockFile_isReplaced_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << QStringLiteral("pipe");
    QTest::newRow("link to a file outside") << QStringLiteral("link");
    QTest::newRow("dangling link") << QStringLiteral("dangling");
    QTest::newRow("empty folder") << QStringLiteral("folder");
    QTest::newRow("file no one may open") << QStringLiteral("closed");
}

void TestCrashSafety::plantedLockFile_isReplaced()
{
    QFETCH(QString, kind);
    QTemporaryDir outside;
    const QString target = outside.path() + QStringLiteral("/offer");
    writeFile(target, "urørt");
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    const QByteArray lock = QFile::encodeName(area.root() + QStringLiteral(".retterum-laas"));
    if (kind == u"pipe")
        QCOMPARE(::mkfifo(lock.constData(), 0666), 0);
    else if (kind == u"link")
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), lock.constData()), 0);
    else if (kind == u"dangling")
        QCOMPARE(::symlink("/ingen/steder", lock.constData()), 0);
    else if (kind == u"folder")
        QCOMPARE(::mkdir(lock.constData(), 0777), 0);
    else
        writeFile(QFile::decodeName(lock), "");

    const auto change = [&area] {
        return store::ListChange(area, {1, StorePaths::mainCategoryFile(area.root()), area.root()})
            .insert(QStringLiteral("Is"))
            .outcome;
    };
    if (kind == u"closed") {
        // Root opens anything: the user who can't is played by a child process.
        QCOMPARE(::chmod(lock.constData(), 0), 0);
        if (::geteuid() == 0) {
            QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
            const pid_t child = ::fork();
            if (child == 0)
                _exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && change() == ChangeOutcome::Done ? 0 : 1);
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status));
            QCOMPARE(WEXITSTATUS(status), 0);
            QVERIFY(listOf(area, StorePaths::mainCategoryFile(area.root())).contains(QStringLiteral("Is")));
            return;
        }
    }
    QCOMPARE(change(), ChangeOutcome::Done);
    QVERIFY(listOf(area, StorePaths::mainCategoryFile(area.root())).contains(QStringLiteral("Is")));
    QCOMPARE(readFile(target), QByteArray("urørt"));
    struct stat st {};
    QCOMPARE(::lstat(lock.constData(), &st), 0);
    QVERIFY(S_ISREG(st.st_mode));
    QCOMPARE(st.st_mode & 0777, mode_t(0666));
}

void TestCrashSafety::folderInPlaceOfLockFile_isNamed()
{
    QTemporaryDir dir;
    const store::Tree area = makeBook(dir);
    const QString lock = area.root() + QStringLiteral(".retterum-laas");
    writeFile(lock + QStringLiteral("/indhold"), "x");
    const store::ChangeResult result
        = store::ListChange(area, {1, StorePaths::mainCategoryFile(area.root()), area.root()}).insert(QStringLiteral("Is"));
    QCOMPARE(result.outcome, ChangeOutcome::LockBlocked);
    QCOMPARE(result.blocker, lock);
    QVERIFY(!listOf(area, StorePaths::mainCategoryFile(area.root())).contains(QStringLiteral("Is")));
}

void TestCrashSafety::writeProtectedArea_isToldAsSuch()
{
    // A read-only file system as root, whom permission bits don't stop; the bits elsewhere.
    SmallDisk disk;
    const bool asRoot = disk.isMounted();
    const QString folder = (asRoot ? disk.path() : QDir::tempPath()) + QStringLiteral("/beskyttet");
    QVERIFY(QDir().mkpath(folder));
    const store::Tree area(folder, true);
    QVERIFY(store::writeListFile(area, area.root() + QStringLiteral("Hovedkategori.txt"), {QStringLiteral("Kager")}));
    if (asRoot)
        QCOMPARE(::mount("tmpfs", QFile::encodeName(disk.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    else
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

    const store::ChangeResult result
        = store::ListChange(area, {1, StorePaths::mainCategoryFile(area.root()), area.root()}).insert(QStringLiteral("Is"));
    if (!asRoot) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(folder).removeRecursively();
    }
    QCOMPARE(result.outcome, ChangeOutcome::NotAllowed);
    QCOMPARE(listOf(area, area.root() + QStringLiteral("Hovedkategori.txt")), QStringList{QStringLiteral("Kager")});
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"

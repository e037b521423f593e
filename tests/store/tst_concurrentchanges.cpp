// Several users changing one store at once: processes of their own, as other users' programs
// are. No change may be lost, and lists and folders must agree at the end.
#include "store/listchange.h"
#include "store/storepaths.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestConcurrentChanges : public QObject {
    Q_OBJECT

private slots:
    void staleWindow_neitherLosesNorBringsBack();
    void lockHeldElsewhere_changesNothing();
    void manyProcesses_loseNoChange();
    void manyProcesses_leaveListsAndFoldersInAgreement();

private:
    void runWorkers(const QString &area, int changes, const QString &mode);
    static QStringList list(const store::Tree &area, const QString &path);
    static void checkLevel(const store::Tree &area, const QString &folder, const QString &listFile,
                           int depth);
};

QStringList TestConcurrentChanges::list(const store::Tree &area, const QString &path)
{
    store::ListText text;
    if (area.exists(path))
        [&] { QVERIFY2(store::readListFile(area, path, &text), qPrintable(path)); }();
    return text.entries;
}

// Two windows opened on the same list before either changed it: each change is made to the
// list as it is on disk, so neither loses the other's.
void TestConcurrentChanges::staleWindow_neitherLosesNorBringsBack()
{
    QTemporaryDir dir;
    const store::Tree area(dir.path(), true);
    const QString file = store::StorePaths::mainCategoryFile(area.root());
    QVERIFY(store::writeListFile(area, file, {QStringLiteral("Kager"), QStringLiteral("Supper")}));
    const store::ListChange windowA(area, {1, file, area.root()});
    const store::ListChange windowB(area, {1, file, area.root()});

    QCOMPARE(windowA.insert(QStringLiteral("Alpha")).outcome, store::ChangeOutcome::Done);
    const store::ChangeResult b = windowB.insert(QStringLiteral("Beta"));
    QCOMPARE(b.outcome, store::ChangeOutcome::Done);
    const QStringList both{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Kager"), QStringLiteral("Supper")};
    QCOMPARE(b.list.entries, both);
    QCOMPARE(list(area, file), both);

    // B still shows Kager, which A has renamed meanwhile: B's rename and deletion find it gone.
    QCOMPARE(windowA.rename(QStringLiteral("Kager"), 2, QStringLiteral("Bagværk")).outcome, store::ChangeOutcome::Done);
    QCOMPARE(windowB.rename(QStringLiteral("Kager"), 2, QStringLiteral("Kage")).outcome, store::ChangeOutcome::Missing);
    QCOMPARE(windowB.remove(QStringLiteral("Kager"), 2).outcome, store::ChangeOutcome::Missing);
    const store::ChangeResult duplicate = windowB.insert(QStringLiteral("bagværk"));
    QCOMPARE(duplicate.outcome, store::ChangeOutcome::Refused);
    QCOMPARE(duplicate.refusal, store::NameRefusal::Duplicate);
    QCOMPARE(list(area, file), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bagværk"), QStringLiteral("Beta"), QStringLiteral("Supper")}));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Bagværk"))).isDir());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Kager"))));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Kage"))));
}

void TestConcurrentChanges::lockHeldElsewhere_changesNothing()
{
    QTemporaryDir dir;
    const store::Tree area(dir.path(), true);
    const QString file = store::StorePaths::mainCategoryFile(area.root());
    QVERIFY(store::writeListFile(area, file, {QStringLiteral("Kager")}));

    const int saved = store::AreaLock::timeoutMs;
    store::AreaLock::timeoutMs = 50;
    {
        const store::AreaLock other = area.lock(); // another program in the middle of a change
        QVERIFY(other.isHeld());
        const store::ListChange change(area, {1, file, area.root()});
        QCOMPARE(change.insert(QStringLiteral("Supper")).outcome, store::ChangeOutcome::Busy);
        QCOMPARE(change.remove(QStringLiteral("Kager"), 0).outcome, store::ChangeOutcome::Busy);
        QCOMPARE(list(area, file), QStringList{QStringLiteral("Kager")});
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Kager"))).exists() == false);
    }
    store::AreaLock::timeoutMs = saved;
    QCOMPARE(store::ListChange(area, {1, file, area.root()}).insert(QStringLiteral("Supper")).outcome,
             store::ChangeOutcome::Done);
}

// Every listed entry has its folder, every folder is listed once, and no list holds a name
// twice: what a lost update or a torn write would break.
void TestConcurrentChanges::checkLevel(const store::Tree &area, const QString &folder, const QString &listFile,
                                       int depth)
{
    const QStringList entries = list(area, listFile);
    QStringList lower;
    for (const QString &entry : entries)
        lower.append(entry.toLower());
    lower.removeDuplicates();
    QCOMPARE(lower.size(), entries.size());

    QStringList folders = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QStringList listed = entries;
    folders.sort();
    listed.sort();
    QCOMPARE(folders, listed);
    if (depth == 1) {
        for (const QString &entry : entries) {
            const QString sub = area.folder(folder, entry);
            checkLevel(area, sub, store::StorePaths::indexFile(sub), 2);
        }
    }
}

void TestConcurrentChanges::runWorkers(const QString &area, int changes, const QString &mode)
{
    QList<QProcess *> workers;
    for (int seed = 1; seed <= 3; ++seed) {
        auto *worker = new QProcess(this);
        QStringList args{area, QString::number(seed), QString::number(changes)};
        if (!mode.isEmpty())
            args << mode;
        worker->start(QStringLiteral(STOREWORKER), args);
        workers.append(worker);
    }
    for (QProcess *worker : workers) {
        QVERIFY(worker->waitForFinished(120000));
        QCOMPARE(worker->exitStatus(), QProcess::NormalExit);
        QCOMPARE(worker->exitCode(), 0);
    }
    qDeleteAll(workers);
}

void TestConcurrentChanges::manyProcesses_loseNoChange()
{
    QTemporaryDir dir;
    const store::Tree area(dir.path(), true);
    const QString mainFile = store::StorePaths::mainCategoryFile(area.root());
    QVERIFY(store::ListChange(area, {1, mainFile, area.root()}).insert(QStringLiteral("Fælles")).outcome
            == store::ChangeOutcome::Done);
    const QString shared = area.folder(area.root(), QStringLiteral("Fælles"));
    QVERIFY(store::ListChange(area, {2, store::StorePaths::indexFile(shared), shared}).insert(QStringLiteral("Opskrifter")).outcome
            == store::ChangeOutcome::Done);
    constexpr int kChanges = 60;
    runWorkers(dir.path(), kChanges, QStringLiteral("own"));

    QStringList mains{QStringLiteral("Fælles")};
    QStringList subs{QStringLiteral("Opskrifter")};
    QStringList recipes;
    for (int seed = 1; seed <= 3; ++seed) {
        for (int i = 0; i < kChanges; ++i) {
            const QString name = QStringLiteral("P%1-%2").arg(seed).arg(i);
            subs.append(name);
            if (i % 2 == 1) {
                mains.append(name);
                recipes.append(name);
            }
        }
    }
    QStringList listed = list(area, dir.filePath(QStringLiteral("Fælles/Opskrifter/Index.txt")));
    listed.sort();
    recipes.sort();
    QCOMPARE(listed, recipes);
    QStringList onDisk = list(area, mainFile);
    onDisk.sort();
    mains.sort();
    QCOMPARE(onDisk, mains);
    onDisk = list(area, dir.filePath(QStringLiteral("Fælles/Index.txt")));
    onDisk.sort();
    subs.sort();
    QCOMPARE(onDisk, subs);
    checkLevel(area, dir.path(), mainFile, 1);
}

void TestConcurrentChanges::manyProcesses_leaveListsAndFoldersInAgreement()
{
    QTemporaryDir dir;
    const store::Tree area(dir.path(), true);
    runWorkers(dir.path(), 300, QString());
    checkLevel(area, dir.path(), store::StorePaths::mainCategoryFile(area.root()), 1);
}

QTEST_GUILESS_MAIN(TestConcurrentChanges)
#include "tst_concurrentchanges.moc"

// The store's gate on its own: what becomes a path, and that no file operation reaches
// outside the area through a planted name, link or pipe, or loses a file on a full disk.
#include "filesnapshot.h"
#include "smalldisk.h"
#include "store/listfile.h"
#include "store/tree.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using store::Reserved;
using store::Tree;

class TestTree : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void composition_data();
    void composition();
    void linkedPaths_neverReachOutside_data();
    void linkedPaths_neverReachOutside();
    void removeFolder_removesLinksInsideAsLinks();
    void pipeAndFolder_areUnreadable();
    void fileTooLarge_isRefused();
    void write_keepsModeOrSharesIt();
    void renameNeverReplaces();
    void fullDisk_keepsTheOldFileWhole();

private:
    static void write(const QString &path, const QByteArray &bytes);
    static QByteArray read(const QString &path);

    QTemporaryDir *m_area = nullptr;
    QTemporaryDir *m_outside = nullptr;
    QString a(const QString &relative) const { return m_area->path() + u'/' + relative; }
    QString o(const QString &relative) const { return m_outside->path() + u'/' + relative; }
};

void TestTree::write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray TestTree::read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<mangler>");
}

void TestTree::init()
{
    m_area = new QTemporaryDir;
    m_outside = new QTemporaryDir;
    write(o(QStringLiteral("hemmelig.txt")), "privat\r\n");
    write(o(QStringLiteral("mappe/opskrift.rtf")), "{\\rtf1 min}");
    QVERIFY(QFile::setPermissions(o(QStringLiteral("hemmelig.txt")), QFile::ReadOwner | QFile::WriteOwner));
    write(a(QStringLiteral("Kager/Index.txt")), "Boller\r\n");
}

void TestTree::cleanup()
{
    delete m_area;
    delete m_outside;
}

void TestTree::composition_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("firstLevel");
    QTest::addColumn<bool>("usable");

    QTest::newRow("ordinary") << QStringLiteral("Æblekage") << true << true;
    QTest::newRow("blanks and punctuation") << QStringLiteral(" Kage: nr. 2? ") << true << true;
    QTest::newRow("empty") << QString() << true << false;
    QTest::newRow("dot") << QStringLiteral(".") << true << false;
    QTest::newRow("dot dot") << QStringLiteral("..") << true << false;
    QTest::newRow("climbing") << QStringLiteral("../..") << false << false;
    QTest::newRow("absolute") << QStringLiteral("/etc") << false << false;
    QTest::newRow("slash") << QStringLiteral("a/b") << false << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false << false;
    QTest::newRow("control character") << QStringLiteral("a\tb") << false << false;
    QTest::newRow("line feed") << QStringLiteral("a\nb") << false << false;
    QTest::newRow("5000 characters") << QString(5000, u'k') << false << false;
    QTest::newRow("246 bytes fit with liste.txt") << QString(246, u'k') << false << true;
    QTest::newRow("247 bytes do not") << QString(247, u'k') << false << false;
    QTest::newRow("settings folder at the first level") << QStringLiteral("indstillinger") << true << false;
    QTest::newRow("settings name lower down") << QStringLiteral("Indstillinger") << false << true;
}

void TestTree::composition()
{
    QFETCH(QString, entry);
    QFETCH(bool, firstLevel);
    QFETCH(bool, usable);

    const Tree tree(m_area->path(), false, Reserved::SettingsFolder);
    const QString parent = firstLevel ? tree.root() : tree.root() + QStringLiteral("Kager/");
    const QString folder = tree.folder(parent, entry);
    const QString file = tree.file(parent, entry, QStringLiteral("liste.txt"));
    QCOMPARE(folder.isEmpty(), !usable);
    if (usable) {
        QCOMPARE(folder, parent + entry + u'/');
        QVERIFY(tree.makeFolder(folder));
        QVERIFY(tree.writeFile(file, "x\r\n"));
        QCOMPARE(read(file), QByteArray("x\r\n"));
    } else if (!entry.startsWith(u'k')) {
        // Refused at use as well, had a path been made some other way (the length rule is
        // looser there: a file name made from an entry is longer).
        QVERIFY(!tree.makeFolder(parent + entry + u'/'));
        QVERIFY(!tree.writeFile(parent + entry, "x"));
    }
    QVERIFY(tree.folder(QString(), QStringLiteral("Kager")).isEmpty());
    QVERIFY(Tree().folder(QStringLiteral("/"), QStringLiteral("etc")).isEmpty());
}

// Each row plants a link in the area and runs one operation on a path that goes through it.
void TestTree::linkedPaths_neverReachOutside_data()
{
    QTest::addColumn<QString>("link");   // below the area
    QTest::addColumn<QString>("target"); // below the outside folder
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("path");   // below the area
    QTest::addColumn<bool>("succeeds");

    const QString file = QStringLiteral("Kager/Boller/Bollerliste.txt");
    const QString folder = QStringLiteral("Kager/Boller");
    QTest::newRow("read a linked file") << file << QStringLiteral("hemmelig.txt") << "read" << file << false;
    QTest::newRow("write a linked file replaces the link")
        << file << QStringLiteral("hemmelig.txt") << "write" << file << true;
    QTest::newRow("write to a link to nothing")
        << file << QStringLiteral("ny.txt") << "write" << file << true;
    QTest::newRow("delete a linked file removes the link")
        << file << QStringLiteral("hemmelig.txt") << "removeFile" << file << true;
    QTest::newRow("read through a linked folder")
        << folder << QStringLiteral("mappe") << "read" << QStringLiteral("Kager/Boller/opskrift.rtf") << false;
    QTest::newRow("write through a linked folder")
        << folder << QStringLiteral("mappe") << "write" << QStringLiteral("Kager/Boller/opskrift.rtf") << false;
    QTest::newRow("delete a linked folder removes the link")
        << folder << QStringLiteral("mappe") << "removeFolder" << folder << true;
    QTest::newRow("make a folder inside a linked folder")
        << folder << QStringLiteral("mappe") << "makeFolder" << QStringLiteral("Kager/Boller/Ny/") << false;
    QTest::newRow("rename inside a linked folder")
        << folder << QStringLiteral("mappe") << "rename" << QStringLiteral("Kager/Boller/opskrift.rtf") << false;
    QTest::newRow("rename a linked folder moves the link")
        << folder << QStringLiteral("mappe") << "rename" << folder << true;
    QTest::newRow("a folder higher up is a link")
        << QStringLiteral("Kager") << QStringLiteral("mappe") << "removeFolder"
        << QStringLiteral("Kager/opskrift.rtf") << false;
    QTest::newRow("linked folder is no folder") << folder << QStringLiteral("mappe") << "exists" << folder << false;
}

void TestTree::linkedPaths_neverReachOutside()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    QFETCH(QString, operation);
    QFETCH(QString, path);
    QFETCH(bool, succeeds);

    if (link == u"Kager")
        QVERIFY(QDir(a(link)).removeRecursively());
    QDir().mkpath(QFileInfo(a(link)).path());
    QVERIFY(QFile::link(o(target), a(link)));
    const QMap<QString, QString> before = fileSnapshot(m_outside->path());

    const Tree tree(m_area->path(), true);
    bool done = false;
    if (operation == u"read") {
        QByteArray bytes;
        done = tree.readFile(a(path), &bytes, 1000).ok;
    } else if (operation == u"write") {
        done = tree.writeFile(a(path), "ny\r\n").ok;
        if (done) {
            QCOMPARE(read(a(path)), QByteArray("ny\r\n"));
            QVERIFY(!QFileInfo(a(path)).isSymLink());
        }
    } else if (operation == u"removeFile") {
        done = tree.removeFile(a(path));
    } else if (operation == u"removeFolder") {
        done = tree.removeFolder(a(path));
    } else if (operation == u"makeFolder") {
        done = tree.makeFolder(a(path));
    } else if (operation == u"rename") {
        done = tree.rename(a(path), a(path) + QStringLiteral("2"));
    } else if (operation == u"exists") {
        done = tree.folderExists(a(path));
    }
    QCOMPARE(done, succeeds);
    QCOMPARE(snapshotChanges(before, fileSnapshot(m_outside->path())), QStringList());
}

void TestTree::removeFolder_removesLinksInsideAsLinks()
{
    write(a(QStringLiteral("Kager/Boller/Bollerliste.txt")), "mel\r\n");
    QVERIFY(QFile::link(o(QStringLiteral("mappe")), a(QStringLiteral("Kager/Boller/ud"))));
    QVERIFY(QFile::link(o(QStringLiteral("hemmelig.txt")), a(QStringLiteral("Kager/hemmelig"))));
    const QMap<QString, QString> before = fileSnapshot(m_outside->path());

    const Tree tree(m_area->path(), true);
    QVERIFY(tree.removeFolder(a(QStringLiteral("Kager/"))));
    QVERIFY(!QFileInfo::exists(a(QStringLiteral("Kager"))));
    QCOMPARE(snapshotChanges(before, fileSnapshot(m_outside->path())), QStringList());
}

void TestTree::pipeAndFolder_areUnreadable()
{
    QVERIFY(::mkfifo(QFile::encodeName(a(QStringLiteral("Hovedkategori.txt"))).constData(), 0666) == 0);
    const Tree tree(m_area->path(), true);
    QByteArray bytes;
    // A blocking open would never return here.
    const store::FileResult pipe = tree.readFile(a(QStringLiteral("Hovedkategori.txt")), &bytes, 1000);
    QVERIFY(!pipe.ok);
    QVERIFY2(pipe.error.endsWith(QStringLiteral("Hovedkategori.txt\" kan ikke læses")), qPrintable(pipe.error));
    QVERIFY(!tree.readFile(a(QStringLiteral("Kager")), &bytes, 1000).ok);
    QVERIFY(tree.exists(a(QStringLiteral("Hovedkategori.txt"))));
    // Writing replaces the pipe by a file.
    QVERIFY(tree.writeFile(a(QStringLiteral("Hovedkategori.txt")), "Kager\r\n").ok);
    QCOMPARE(read(a(QStringLiteral("Hovedkategori.txt"))), QByteArray("Kager\r\n"));
}

void TestTree::fileTooLarge_isRefused()
{
    write(a(QStringLiteral("Kager/Index.txt")), QByteArray(2000, 'k'));
    const Tree tree(m_area->path(), false);
    QByteArray bytes;
    const store::FileResult result = tree.readFile(a(QStringLiteral("Kager/Index.txt")), &bytes, 1999);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(QStringLiteral("er for stor")), qPrintable(result.error));
    QVERIFY(tree.readFile(a(QStringLiteral("Kager/Index.txt")), &bytes, 2000).ok);
    QCOMPARE(bytes.size(), 2000);
}

void TestTree::write_keepsModeOrSharesIt()
{
    const QString file = a(QStringLiteral("Kager/Index.txt"));
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0640) == 0);
    QVERIFY(Tree(m_area->path(), false).writeFile(file, "a\r\n"));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0640));

    const Tree shared(m_area->path(), true);
    QVERIFY(shared.writeFile(file, "b\r\n"));
    QVERIFY(shared.makeFolder(a(QStringLiteral("Supper/"))));
    QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0666));
    QCOMPARE(::stat(QFile::encodeName(a(QStringLiteral("Supper"))).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0777));
    // No temporary file is left beside it.
    QCOMPARE(QDir(a(QStringLiteral("Kager"))).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Index.txt")});
}

void TestTree::renameNeverReplaces()
{
    write(a(QStringLiteral("Kager/Boller.rtf")), "boller");
    write(a(QStringLiteral("Kager/Teboller.rtf")), "teboller");
    const Tree tree(m_area->path(), false);
    QVERIFY(!tree.rename(a(QStringLiteral("Kager/Boller.rtf")), a(QStringLiteral("Kager/Teboller.rtf"))));
    QCOMPARE(read(a(QStringLiteral("Kager/Teboller.rtf"))), QByteArray("teboller"));
    QVERIFY(tree.rename(a(QStringLiteral("Kager/")), a(QStringLiteral("kager/"))));
    QCOMPARE(read(a(QStringLiteral("kager/Boller.rtf"))), QByteArray("boller"));
}

void TestTree::fullDisk_keepsTheOldFileWhole()
{
    SmallDisk disk;
    REQUIRE_SMALL_DISK(disk);
    const QString file = disk.path() + QStringLiteral("/Hovedkategori.txt");
    write(file, "Kager\r\nSupper\r\n");
    disk.fill();

    const Tree tree(disk.path(), true);
    const store::FileResult result = store::writeListFile(tree, file, QStringList(3000, QStringLiteral("Brød")));
    QVERIFY(!result.ok);
    QVERIFY2(result.error.endsWith(QStringLiteral("Hovedkategori.txt\" kan ikke gemmes")), qPrintable(result.error));
    QCOMPARE(read(file), QByteArray("Kager\r\nSupper\r\n"));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left
}

QTEST_GUILESS_MAIN(TestTree)
#include "tst_tree.moc"

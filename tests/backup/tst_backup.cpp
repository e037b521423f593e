// Backup and restore of an area: the round trip, merging into a full area, hostile and damaged
// archives, a full disk.
#include "../common/filesnapshot.h"
#include "../common/smalldisk.h"
#include "../common/testdataroot.h"
#include "bookmaker.h"
#include "zipmaker.h"

#include "backup/backupwriter.h"
#include "backup/restore.h"

#include <QtTest>

#include <sys/stat.h>

using backup::RestoreResult;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A book with what a real one holds: Danish letters, a list that needs UTF-8, an empty
// subcategory, a recipe without a description.
void makeSmallBook(const BookMaker &book)
{
    book.recipe(QStringLiteral("Kager"), QStringLiteral("Småkager"), QStringLiteral("Brunkager"),
                BookMaker::rtf(QStringLiteral("Rør smør og sukker.")), {QStringLiteral("250 g smør"), QStringLiteral("1 tsk potaske")});
    book.recipe(QStringLiteral("Kager"), QStringLiteral("Småkager"), QStringLiteral("Æbleskiver"),
                BookMaker::rtf(QStringLiteral("Vend dem.")), {QStringLiteral("3 æg"), QStringLiteral("1 knivspids Őrség-salt")});
    book.recipe(QStringLiteral("Kager"), QStringLiteral("Lagkager"), QStringLiteral("Othellolagkage"),
                BookMaker::noise(40000, 7), {QStringLiteral("1 l fløde")});
    book.recipe(QStringLiteral("Middag"), QStringLiteral("Fisk"), QStringLiteral("Rødspætte"), {},
                {QStringLiteral("4 rødspætter")});
    book.sub(QStringLiteral("Middag"), QStringLiteral("Kød"));
}

// The area's recipes as "Hoved/Under/Navn" with each file's bytes, read through the lists.
QMap<QString, QByteArray> recipesOf(const store::Tree &area)
{
    QMap<QString, QByteArray> result;
    store::ListText mains;
    (void)store::readListFile(area, store::StorePaths::mainCategoryFile(area.root()), &mains);
    for (const QString &main : mains.entries) {
        const QString mainFolder = area.folder(area.root(), main);
        store::ListText subs;
        (void)store::readListFile(area, store::StorePaths::indexFile(mainFolder), &subs);
        for (const QString &sub : subs.entries) {
            const QString subFolder = area.folder(mainFolder, sub);
            store::ListText recipes;
            if (!area.isFile(store::StorePaths::indexFile(subFolder)))
                continue;
            (void)store::readListFile(area, store::StorePaths::indexFile(subFolder), &recipes);
            for (const QString &recipe : recipes.entries) {
                for (const QString &file : {store::StorePaths::descriptionFile(area, subFolder, recipe),
                                            store::StorePaths::ingredientFile(area, subFolder, recipe)}) {
                    QByteArray bytes;
                    const QString id = main + u'/' + sub + u'/' + file.mid(subFolder.size());
                    result.insert(id, area.isFile(file) && area.readFile(file, &bytes, 1 << 26) ? bytes : QByteArray("-"));
                }
            }
        }
    }
    return result;
}

// A valid book's entries, to stand before a hostile one.
QList<ZipEntry> goodEntries()
{
    return {ZipEntry::file(QStringLiteral("Hovedkategori.txt"), "Kager\r\n"),
            ZipEntry::file(QStringLiteral("Kager/Index.txt"), "Boller\r\n"),
            ZipEntry::file(QStringLiteral("Kager/Boller/Index.txt"), "Hveder\r\n"),
            ZipEntry::file(QStringLiteral("Kager/Boller/Hveder.rtf"), "{\\rtf1 Bag dem.}"),
            ZipEntry::file(QStringLiteral("Kager/Boller/Hvederliste.txt"), "500 g mel\r\n")};
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void backupThenRestoreIntoEmptyArea_givesTheSameTree();
    void restoreIntoFullArea_numbersTakenNamesAndSaysSo();
    void hostileArchive_isRefusedWithNothingWritten_data();
    void hostileArchive_isRefusedWithNothingWritten();
    void damagedArchive_keepsWholeRecipesBeforeTheDamage_data();
    void damagedArchive_keepsWholeRecipesBeforeTheDamage();
    void damagedFile_isToldAsDamagedWithNothingWritten_data();
    void damagedFile_isToldAsDamagedWithNothingWritten();
    void namesDifferingInCase_eachKeepItsOwnFiles();
    void cancel_leavesNoHalfBackupAndNoHalfRecipe();
    void fullDisk_leavesNoHalfBackup();
};

void TestBackup::backupThenRestoreIntoEmptyArea_givesTheSameTree()
{
    TestDataRoot from;
    const store::Tree area = from.paths().areaTree(false, {});
    makeSmallBook(BookMaker(area));
    const QString zip = from.file(QStringLiteral("kopi.zip"));
    const backup::BackupResult saved = backup::writeBackup(area, QStringLiteral("Alle"), zip);
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(saved.recipes, 4);
    QCOMPARE(saved.subcategories, 4);

    const QMap<QString, QByteArray> entries = readZip(zip);
    const QString manifest = QString::fromLatin1(entries.value(QStringLiteral("Retterum-sikkerhedskopi.txt")));
    QVERIFY2(manifest.contains(QStringLiteral("Område: Alle\r\n")) && manifest.contains(QStringLiteral("Opskrifter: 4\r\n"))
                 && manifest.contains(QStringLiteral("Program: Retterum ")) && manifest.contains(QStringLiteral("Dato: ")),
             qPrintable(manifest));
    // Lists and recipe files byte for byte: the UTF-8 list too.
    QCOMPARE(entries.value(QStringLiteral("Kager/Småkager/Æbleskiverliste.txt")),
             readAll(from.file(QStringLiteral("Brugere/Alle/Kager/Småkager/Æbleskiverliste.txt"))));
    QVERIFY(entries.value(QStringLiteral("Kager/Småkager/Æbleskiverliste.txt")).startsWith("\xEF\xBB\xBF"));

    TestDataRoot to;
    const store::Tree empty = to.paths().areaTree(false, {});
    const RestoreResult restored = backup::restoreBackup(empty, zip);
    QVERIFY2(restored.outcome == RestoreResult::Outcome::Done, qPrintable(restored.error));
    QCOMPARE(restored.recipes, 4);
    QVERIFY(restored.renamed.isEmpty());
    QFile::remove(zip);
    QCOMPARE(fileSnapshot(to.file(QStringLiteral("Brugere/Alle"))), fileSnapshot(from.file(QStringLiteral("Brugere/Alle"))));
}

void TestBackup::restoreIntoFullArea_numbersTakenNamesAndSaysSo()
{
    TestDataRoot root;
    const store::Tree area = root.paths().areaTree(false, {});
    makeSmallBook(BookMaker(area));
    const QString zip = root.file(QStringLiteral("kopi.zip"));
    QVERIFY(backup::writeBackup(area, QStringLiteral("Alle"), zip).ok);
    const QMap<QString, QByteArray> before = recipesOf(area);

    for (const QString &number : {QStringLiteral(" (2)"), QStringLiteral(" (3)")}) {
        const RestoreResult result = backup::restoreBackup(area, zip);
        QVERIFY2(result.outcome == RestoreResult::Outcome::Done, qPrintable(result.error));
        QCOMPARE(result.recipes, 4);
        QCOMPARE(result.newCategories, 0); // categories of the same name are merged
        QCOMPARE(result.renamed.size(), 4);
        QVERIFY(result.renamed.contains(QStringLiteral("Kager/Småkager/Æbleskiver → Æbleskiver") + number));
        const QString summary = backup::restoreSummary(result);
        QVERIFY2(summary.contains(QStringLiteral("4 fik et nyt navn, fordi navnet var taget"))
                     && summary.contains(QStringLiteral("Middag/Fisk/Rødspætte → Rødspætte") + number),
                 qPrintable(summary));
    }
    const QMap<QString, QByteArray> after = recipesOf(area);
    QCOMPARE(after.size(), before.size() * 3);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        QCOMPARE(after.value(it.key()), it.value()); // nothing that was there is overwritten
        const QString numbered = QString(it.key()).replace(QStringLiteral("/Brunkager"), QStringLiteral("/Brunkager (3)"));
        QCOMPARE(after.value(numbered), it.value());
    }
    QCOMPARE(root.readList(QStringLiteral("Brugere/Alle/Hovedkategori.txt")),
             (QStringList{QStringLiteral("Kager"), QStringLiteral("Middag")}));
}

void TestBackup::hostileArchive_isRefusedWithNothingWritten_data()
{
    QTest::addColumn<QList<ZipEntry>>("hostile");
    QTest::addColumn<quint32>("mode"); // a kind given to the last entry afterwards, 0 for none
    QTest::addColumn<bool>("privat");
    QTest::addColumn<QString>("message");
    using K = ZipEntry::Kind;
    const auto file = ZipEntry::file;
    QTest::newRow("..") << QList<ZipEntry>{file(QStringLiteral("Kager/../../../ude.rtf"), "x")} << 0u << false
                        << QStringLiteral("\"Kager/../../../ude.rtf\" er en sti ud af området");
    QTest::newRow("absolut") << QList<ZipEntry>{file(QStringLiteral("/tmp/ude.rtf"), "x")} << 0u << false
                             << QStringLiteral("\"/tmp/ude.rtf\" er en absolut sti");
    QTest::newRow("symbolsk lænke") << QList<ZipEntry>{{QStringLiteral("Kager/Boller/Snegle.rtf"), {}, K::Symlink, QStringLiteral("/etc/passwd")}}
                                    << 0u << false << QStringLiteral("er en symbolsk lænke");
    QTest::newRow("enhed") << QList<ZipEntry>{file(QStringLiteral("Kager/Boller/Snegle.rtf"), "x")} << quint32(S_IFCHR | 0644)
                           << false << QStringLiteral("er en enhed eller anden særlig fil");
    QTest::newRow("styretegn") << QList<ZipEntry>{file(QStringLiteral("Kager/Bol\x1b[2Jler/Index.txt"), "x")} << 0u << false
                               << QStringLiteral("\"Kager/Bol?[2Jler/Index.txt\" er et navn, der ikke kan bruges");
    // libarchive reads a Windows path's "\" as "/".
    QTest::newRow("omvendte skråstreger") << QList<ZipEntry>{file(QStringLiteral("Kager\\..\\..\\ude.rtf"), "x")} << 0u << false
                                          << QStringLiteral("\"Kager/../../ude.rtf\" er en sti ud af området");
    QTest::newRow("indstillinger") << QList<ZipEntry>{file(QStringLiteral("indstillinger/Index.txt"), "x")} << 0u << true
                                   << QStringLiteral("reserveret til programmets indstillinger");
    QTest::newRow("ændringsmappe") << QList<ZipEntry>{file(QStringLiteral(".retterum-aendring/Index.txt"), "x")} << 0u << false
                                   << QStringLiteral("\".retterum-aendring/Index.txt\" er et navn, der ikke kan bruges");
    QTest::newRow("liste som mappe") << QList<ZipEntry>{file(QStringLiteral("Kager/INDEX.TXT/Snegle.rtf"), "x")} << 0u << false
                                     << QStringLiteral("\"Kager/INDEX.TXT/Snegle.rtf\" er et navn, der ikke kan bruges");
    QTest::newRow("bombe") << QList<ZipEntry>{file(QStringLiteral("Kager/Boller/Snegle.rtf"), QByteArray(16 * 1024 * 1024, '\0'))}
                           << 0u << false << QStringLiteral("pakket mere end 200 gange sammen");
    QTest::newRow("for stor") << QList<ZipEntry>{file(QStringLiteral("Kager/Boller/Snegle.rtf"), QByteArray(21 * 1024 * 1024, '\0'))}
                              << 0u << false << QStringLiteral("\"Kager/Boller/Snegle.rtf\" er for stor");
    QList<ZipEntry> many;
    for (int i = 0; i <= 100'000; ++i)
        many.append(file(QStringLiteral("Andet/%1").arg(i), {}));
    QTest::newRow("for mange filer") << many << 0u << false << QStringLiteral("den har flere end 100.000 filer");
    // A few hundred kilobytes of lines, each of which would be a recipe or a category.
    QByteArray lines;
    for (int i = 0; i <= 100'000; ++i)
        lines += "R" + QByteArray::number(i) + "\r\n";
    QTest::newRow("for mange linjer") << QList<ZipEntry>{file(QStringLiteral("Kager/Boller/Index.txt"), lines)} << 0u
                                      << false << QStringLiteral("den har flere end 100.000 filer og linjer i listerne");
    QByteArray categories;
    for (int i = 0; i <= 5'000; ++i)
        categories += "K" + QByteArray::number(i) + "\r\n";
    QTest::newRow("for mange kategorier") << QList<ZipEntry>{file(QStringLiteral("Kager/Index.txt"), categories)} << 0u
                                          << false << QStringLiteral("den har flere end 5.000 kategorier");
}

void TestBackup::hostileArchive_isRefusedWithNothingWritten()
{
    QFETCH(QList<ZipEntry>, hostile);
    QFETCH(quint32, mode);
    QFETCH(bool, privat);
    QFETCH(QString, message);
    TestDataRoot root;
    const QString login = QStringLiteral("bruger");
    QDir().mkpath(root.file(QStringLiteral("Brugere/bruger/Indstillinger")));
    const store::Tree area = root.paths().areaTree(privat, login);
    BookMaker(area).recipe(QStringLiteral("Kager"), QStringLiteral("Boller"), QStringLiteral("Hveder"),
                           BookMaker::rtf(QStringLiteral("Vores egne.")), {QStringLiteral("1 kg mel")});
    const QString zip = root.file(QStringLiteral("fremmed.zip"));
    QVERIFY(writeZip(zip, goodEntries() + hostile));
    if (mode != 0)
        writeAll(zip, withUnixMode(readAll(zip), hostile.last().path, mode));
    const auto before = fileSnapshot(root.path());

    const RestoreResult result = backup::restoreBackup(area, zip);
    QCOMPARE(result.outcome, RestoreResult::Outcome::Refused);
    QVERIFY2(result.error.contains(message) && result.error.endsWith(QStringLiteral("Intet er indlæst.")),
             qPrintable(result.error));
    const QStringList changed = snapshotChanges(before, fileSnapshot(root.path()));
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(u' ')));
}

void TestBackup::damagedArchive_keepsWholeRecipesBeforeTheDamage_data()
{
    QTest::addColumn<bool>("truncate"); // else one byte in the middle is changed
    QTest::newRow("afkortet") << true;
    QTest::newRow("ændret byte") << false;
}

void TestBackup::damagedArchive_keepsWholeRecipesBeforeTheDamage()
{
    QFETCH(bool, truncate);
    TestDataRoot from;
    const store::Tree area = from.paths().areaTree(false, {});
    const BookMaker book(area);
    for (int i = 0; i < 8; ++i)
        book.recipe(QStringLiteral("Brød"), QStringLiteral("Boller"), QStringLiteral("Bolle %1").arg(i),
                    BookMaker::noise(30000, quint32(i)), {QStringLiteral("%1 g mel").arg(100 * i)});
    const QString zip = from.file(QStringLiteral("kopi.zip"));
    QVERIFY(backup::writeBackup(area, QStringLiteral("Alle"), zip).ok);
    QByteArray bytes = readAll(zip);
    if (truncate) {
        bytes.truncate(bytes.size() / 2);
    } else {
        // Inside the fifth recipe's description: the first pass reads only headers, the second
        // finds the damage.
        const qsizetype at = bytes.indexOf("Bolle 4.rtf");
        QVERIFY(at > 0);
        bytes[at + 2000] = char(bytes[at + 2000] ^ 0x55);
    }
    writeAll(zip, bytes);

    TestDataRoot to;
    const store::Tree target = to.paths().areaTree(false, {});
    const RestoreResult result = backup::restoreBackup(target, zip);
    QCOMPARE(result.outcome, RestoreResult::Outcome::Stopped);
    QVERIFY2(result.error.contains(QStringLiteral("Sikkerhedskopien er beskadiget efter \"Brød/Boller/Bolle "))
                 && result.error.contains(QStringLiteral("Opskrifterne før er indlæst hele")),
             qPrintable(result.error));
    QVERIFY2(result.recipes >= 2 && result.recipes < 8, qPrintable(QString::number(result.recipes)));
    // Every recipe the list names is whole and as it was; nothing else is there.
    const QMap<QString, QByteArray> original = recipesOf(area);
    const QMap<QString, QByteArray> restored = recipesOf(target);
    QCOMPARE(restored.size(), result.recipes * 2);
    for (auto it = restored.cbegin(); it != restored.cend(); ++it)
        QCOMPARE(it.value(), original.value(it.key()));
    QDir subFolder(to.file(QStringLiteral("Brugere/Alle/Brød/Boller")));
    QCOMPARE(int(subFolder.entryList(QDir::Files).size()), result.recipes * 2 + 1);
}

void TestBackup::damagedFile_isToldAsDamagedWithNothingWritten_data()
{
    QTest::addColumn<QByteArray>("bytes");
    TestDataRoot from;
    const store::Tree area = from.paths().areaTree(false, {});
    makeSmallBook(BookMaker(area));
    const QString zip = from.file(QStringLiteral("kopi.zip"));
    QVERIFY(backup::writeBackup(area, QStringLiteral("Alle"), zip).ok);
    const QByteArray whole = readAll(zip);
    const qsizetype directory = whole.indexOf("PK\x01\x02");
    const qsizetype end = whole.lastIndexOf("PK\x05\x06");
    QVERIFY(directory > 0 && end > directory);

    QTest::newRow("tom fil") << QByteArray();
    QTest::newRow("affald") << QByteArray(4096, 'x');
    QTest::newRow("kun begyndelsen") << whole.left(20);
    QTest::newRow("afkortet i den første fil") << whole.left(120);
    QTest::newRow("afkortet til det halve") << whole.left(whole.size() / 2);
    QByteArray directoryGone = whole;
    directoryGone.replace(directory, 4, "XXXX");
    QTest::newRow("ødelagt indholdsfortegnelse") << directoryGone;
    QTest::newRow("fortegnelsen peger ud af filen") << withDirectoryOutside(whole);
    QTest::newRow("uden fortegnelse") << whole.left(directory);
    QByteArray firstHeader = whole;
    firstHeader.replace(0, 4, "XXXX");
    QTest::newRow("første hoved ødelagt") << firstHeader;
    QTest::newRow("kun fortegnelsens slutning") << whole.mid(end);
    QTest::newRow("affald foran fortegnelsen") << QByteArray(directory, 'x') + whole.mid(directory);
}

void TestBackup::damagedFile_isToldAsDamagedWithNothingWritten()
{
    QFETCH(QByteArray, bytes);
    TestDataRoot root;
    const store::Tree area = root.paths().areaTree(false, {});
    BookMaker(area).recipe(QStringLiteral("Kager"), QStringLiteral("Boller"), QStringLiteral("Hveder"),
                           BookMaker::rtf(QStringLiteral("Vores egne.")), {QStringLiteral("1 kg mel")});
    const QString zip = root.file(QStringLiteral("kopi.zip"));
    writeAll(zip, bytes);
    const auto before = fileSnapshot(root.path());

    const RestoreResult result = backup::restoreBackup(area, zip);
    QVERIFY2(result.outcome != RestoreResult::Outcome::Done, qPrintable(backup::restoreSummary(result)));
    QVERIFY2(result.error.contains(QStringLiteral("beskadiget")), qPrintable(result.error));
    if (result.outcome == RestoreResult::Outcome::Refused) {
        QVERIFY2(result.error.endsWith(QStringLiteral("Intet er indlæst.")), qPrintable(result.error));
        const QStringList changed = snapshotChanges(before, fileSnapshot(root.path()));
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(u' ')));
        return;
    }
    // The files before the damage were read whole (each checked against its sum): they are in,
    // byte for byte, and the message says the rest may be missing.
    QCOMPARE(result.outcome, RestoreResult::Outcome::Stopped);
    QVERIFY2(result.error.contains(QStringLiteral("Opskrifterne før er indlæst hele")), qPrintable(result.error));
    TestDataRoot from;
    makeSmallBook(BookMaker(from.paths().areaTree(false, {})));
    const QMap<QString, QByteArray> original = recipesOf(from.paths().areaTree(false, {}));
    QMap<QString, QByteArray> restored = recipesOf(area);
    restored.remove(QStringLiteral("Kager/Boller/Hveder.rtf"));
    restored.remove(QStringLiteral("Kager/Boller/Hvederliste.txt"));
    QCOMPARE(restored.size(), result.recipes * 2);
    for (auto it = restored.cbegin(); it != restored.cend(); ++it)
        QCOMPARE(it.value(), original.value(it.key()));
}

// A stranger's list names one recipe in several letter cases: the store knows one name, so a
// line without files of its own is that recipe again, and twins with files keep theirs.
void TestBackup::namesDifferingInCase_eachKeepItsOwnFiles()
{
    TestDataRoot root;
    const store::Tree area = root.paths().areaTree(false, {});
    BookMaker(area).recipe(QStringLiteral("Kager"), QStringLiteral("Gær"), QStringLiteral("Boller"),
                           BookMaker::rtf(QStringLiteral("Vores egne.")), {QStringLiteral("1 kg mel")});
    const QString zip = root.file(QStringLiteral("fremmed.zip"));
    const auto file = ZipEntry::file;
    QVERIFY(writeZip(zip, {file(QStringLiteral("Hovedkategori.txt"), "Kager\r\n"),
                           file(QStringLiteral("Kager/Index.txt"), "Gær\r\n"),
                           file(QStringLiteral("Kager/Gær/Index.txt"), "Boller\r\nBOLLER\r\nboller\r\nHveder\r\nHVEDER\r\n"),
                           file(QStringLiteral("Kager/Gær/Boller.rtf"), "{\\rtf1 Boller}"),
                           file(QStringLiteral("Kager/Gær/Bollerliste.txt"), "500 g mel\r\n"),
                           file(QStringLiteral("Kager/Gær/BOLLER.rtf"), "{\\rtf1 STORE}")}));

    const RestoreResult result = backup::restoreBackup(area, zip);
    QVERIFY2(result.outcome == RestoreResult::Outcome::Done, qPrintable(result.error));
    QCOMPARE(result.recipes, 3); // Boller, BOLLER and one empty Hveder
    QCOMPARE(result.leftOut, 2); // "boller" and "HVEDER": the same names again, without files
    const QString folder = QStringLiteral("Brugere/Alle/Kager/Gær/");
    QCOMPARE(root.readList(folder + QStringLiteral("Index.txt")),
             (QStringList{QStringLiteral("Boller"), QStringLiteral("Boller (2)"), QStringLiteral("BOLLER (3)"),
                          QStringLiteral("Hveder")}));
    QCOMPARE(readAll(root.file(folder + QStringLiteral("Boller (2).rtf"))), QByteArray("{\\rtf1 Boller}"));
    QCOMPARE(readAll(root.file(folder + QStringLiteral("Boller (2)liste.txt"))), QByteArray("500 g mel\r\n"));
    QCOMPARE(readAll(root.file(folder + QStringLiteral("BOLLER (3).rtf"))), QByteArray("{\\rtf1 STORE}"));
    QVERIFY(!QFile::exists(root.file(folder + QStringLiteral("BOLLER (3)liste.txt"))));
    QCOMPARE(readAll(root.file(folder + QStringLiteral("Boller.rtf"))), BookMaker::rtf(QStringLiteral("Vores egne.")));
    QCOMPARE(QDir(root.file(folder)).entryList(QDir::Files).size(), 6); // the list, our two, three restored
}

void TestBackup::cancel_leavesNoHalfBackupAndNoHalfRecipe()
{
    TestDataRoot root;
    const store::Tree area = root.paths().areaTree(false, {});
    makeSmallBook(BookMaker(area));
    const QString zip = root.file(QStringLiteral("kopi.zip"));
    const backup::BackupResult cancelled = backup::writeBackup(area, QStringLiteral("Alle"), zip,
                                                               [](int done, int) { return done < 4; });
    QVERIFY(!cancelled.ok && cancelled.cancelled);
    QCOMPARE(QDir(root.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

    QVERIFY(backup::writeBackup(area, QStringLiteral("Alle"), zip).ok);
    TestDataRoot to;
    const store::Tree target = to.paths().areaTree(false, {});
    // Stops after the first of Brunkager's two files has been written.
    const RestoreResult result = backup::restoreBackup(target, zip, [](int done, int) { return done < 1; });
    QCOMPARE(result.outcome, RestoreResult::Outcome::Cancelled);
    QVERIFY2(result.error.startsWith(QStringLiteral("Indlæsningen blev annulleret.")), qPrintable(result.error));
    QCOMPARE(result.recipes, 0);
    QCOMPARE(recipesOf(target), (QMap<QString, QByteArray>{}));
    QDirIterator files(to.file(QStringLiteral("Brugere/Alle")), {QStringLiteral("*.rtf"), QStringLiteral("*liste.txt")},
                       QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QVERIFY2(!files.hasNext(), qPrintable(files.next()));
}

void TestBackup::fullDisk_leavesNoHalfBackup()
{
    SmallDisk disk;
    REQUIRE_SMALL_DISK(disk);
    TestDataRoot root;
    const store::Tree area = root.paths().areaTree(false, {});
    const BookMaker book(area);
    for (int i = 0; i < 6; ++i)
        book.recipe(QStringLiteral("Brød"), QStringLiteral("Boller"), QStringLiteral("Bolle %1").arg(i),
                    BookMaker::noise(200000, quint32(i)), {QStringLiteral("mel")});
    const QString zip = disk.path() + QStringLiteral("/kopi.zip");
    writeAll(zip, "den gamle kopi");

    const backup::BackupResult result = backup::writeBackup(area, QStringLiteral("Alle"), zip);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(QStringLiteral("Der er ikke plads nok på disken til sikkerhedskopien"))
                 && result.error.endsWith(QStringLiteral("Intet er gemt.")),
             qPrintable(result.error));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kopi.zip")});
    QCOMPARE(readAll(zip), QByteArray("den gamle kopi"));
}

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"

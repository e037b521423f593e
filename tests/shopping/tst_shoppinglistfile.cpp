// The user's shopping list on disk: read back exactly as it was saved, and a file that is no
// list (garbage, far too large, another encoding) put aside with a Danish message, never
// written over.
#include "shopping/listfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace shopping;
using namespace Qt::StringLiterals;

namespace {

ShoppingState aFullList()
{
    ShoppingState state;
    state.recipes.append({u"Alle/Middag/Supper/Løgsuppe"_s, u"Løgsuppe"_s, 1.5,
                          {u"1 kg løg"_s, u"Suppe:"_s, u""_s, u"2 dl fløde\t(eller mælk)"_s, u"salt \\ peber"_s}});
    state.recipes.append({u"anna/Kager/Småkager/Vaniljekranse"_s, u"Vaniljekranse"_s, 0.25, {}});
    state.ticked = {u"løg\tg"_s, u"flød\tml"_s};
    state.groups = {{u"køkkenrul"_s, Group::Andet}, {u"kokosmælk"_s, Group::Kolonial}};
    state.freeLines = {{u"køkkenrulle\t2 ruller"_s, true, Group::Andet}, {u"2 liter\nmælk"_s, false, Group::Mejeri}};
    return state;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(kan ikke læses)");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestShoppingListFile : public QObject {
    Q_OBJECT

private slots:
    void save_readsBackExactly();
    void load_putsABadFileAside_data();
    void load_putsABadFileAside();
    void load_leavesAnUnreadableFileAlone();
    void save_reportsAFailedWrite();
};

void TestShoppingListFile::save_readsBackExactly()
{
    QTemporaryDir dir;
    const QString settings = dir.path() + u'/';
    ShoppingListFile file(settings);
    QVERIFY(file.load().message.isEmpty()); // no list yet: an empty one, no message
    const ShoppingState state = aFullList();
    QVERIFY(file.save(state).ok);
    const QByteArray saved = contentsOf(file.path());
    QVERIFY(saved.startsWith("Retterum indk\xC3\xB8" "bsliste 1\n"));

    ShoppingListFile again(settings);
    const ShoppingListFile::Loaded loaded = again.load();
    QCOMPARE(loaded.message, QString());
    QVERIFY(loaded.state == state);
    QCOMPARE(loaded.state.recipes.at(0).lines, state.recipes.at(0).lines);
    QCOMPARE(loaded.state.freeLines.at(1).text, u"2 liter\nmælk"_s);
    // The same list is the same file.
    QVERIFY(again.save(loaded.state).ok);
    QCOMPARE(contentsOf(file.path()), saved);
}

void TestShoppingListFile::load_putsABadFileAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size"); // a file of this many bytes instead, when above 0
    const QByteArray good = encodeShoppingList(aFullList());
    QTest::newRow("garbage") << QByteArray("\x7F" "ELF\x02\x01\x01\x00\x00\x00", 10) << qint64(0);
    QTest::newRow("100 MB") << QByteArray() << qint64(100) * 1024 * 1024;
    QTest::newRow("Windows-1252") << QByteArray("Retterum indk\xF8" "bsliste 1\nfri\t0\tandet\tk\xF8kkenrulle\n")
                                  << qint64(0);
    QTest::newRow("Windows-1252 below a good first line")
        << QByteArray("Retterum indk\xC3\xB8" "bsliste 1\nfri\t0\tandet\tk\xF8kkenrulle\n") << qint64(0);
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE" "R\0e\0t\0", 8) << qint64(0);
    QTest::newRow("cut off") << good.left(good.size() - 5) << qint64(0);
    QTest::newRow("unknown record") << QByteArray(good + "slet\talt\n") << qint64(0);
    QTest::newRow("factor no number") << QByteArray("Retterum indk\xC3\xB8" "bsliste 1\nopskrift\tnan\tA\tB\n")
                                      << qint64(0);
    QTest::newRow("line before any recipe") << QByteArray("Retterum indk\xC3\xB8" "bsliste 1\n\t1 l\xC3\xB8g\n")
                                            << qint64(0);
    QTest::newRow("bad escape") << QByteArray("Retterum indk\xC3\xB8" "bsliste 1\nfri\t0\tandet\ta\\x\n")
                                << qint64(0);
}

void TestShoppingListFile::load_putsABadFileAside()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QTemporaryDir dir;
    const QString settings = dir.path() + u'/';
    ShoppingListFile file(settings);
    if (size > 0) {
        QFile big(file.path());
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(size));
    } else {
        QVERIFY(writeBytes(file.path(), bytes));
    }
    const ShoppingListFile::Loaded loaded = file.load();
    const QString aside = settings + u"indkøbsliste.ødelagt.txt"_s;
    QCOMPARE(loaded.message, u"Indkøbslisten \"%1\" er ikke en indkøbsliste fra Retterum. Den er lagt til side som "
                             u"\"%2\", og en ny liste er begyndt."_s.arg(file.path(), aside));
    QVERIFY(loaded.state == ShoppingState());
    QVERIFY(!QFile::exists(file.path()));
    if (size > 0)
        QCOMPARE(QFileInfo(aside).size(), size);
    else
        QCOMPARE(contentsOf(aside), bytes);
    // The new list goes beside it, and a second bad file does not take its place.
    QVERIFY(file.save(aFullList()).ok);
    QVERIFY(writeBytes(file.path(), "noget andet"));
    QVERIFY(!file.load().message.isEmpty());
    QCOMPARE(contentsOf(settings + u"indkøbsliste.ødelagt 2.txt"_s), QByteArray("noget andet"));
    QCOMPARE(size > 0 ? QFileInfo(aside).size() : contentsOf(aside).size(), size > 0 ? size : bytes.size());
}

void TestShoppingListFile::load_leavesAnUnreadableFileAlone()
{
    // A folder where the list should be: nothing can be read, so nothing is put aside or saved.
    QTemporaryDir dir;
    const QString settings = dir.path() + u'/';
    ShoppingListFile file(settings);
    QVERIFY(QDir().mkdir(file.path()));
    QVERIFY(QFile::exists(file.path() + u"/"_s));
    const ShoppingListFile::Loaded loaded = file.load();
    QCOMPARE(loaded.message, u"Indkøbslisten \"%1\" kan ikke læses. Den bliver ikke gemt, før filen kan læses igen."_s
                                 .arg(file.path()));
    const store::FileResult saved = file.save(aFullList());
    QVERIFY(!saved.ok);
    QCOMPARE(saved.error, u"Indkøbslisten \"%1\" kan ikke læses og bliver derfor ikke gemt over."_s.arg(file.path()));
    QVERIFY(QFileInfo(file.path()).isDir());
}

void TestShoppingListFile::save_reportsAFailedWrite()
{
    // The settings folder is a file: the write fails, and says so.
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath(u"Indstillinger"_s), "x"));
    ShoppingListFile file(dir.filePath(u"Indstillinger/"_s));
    const store::FileResult saved = file.save(aFullList());
    QVERIFY(!saved.ok);
    QVERIFY(!saved.error.isEmpty());
    QCOMPARE(contentsOf(dir.filePath(u"Indstillinger"_s)), QByteArray("x"));
}

QTEST_GUILESS_MAIN(TestShoppingListFile)
#include "tst_shoppinglistfile.moc"

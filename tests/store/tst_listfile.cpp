#include "store/listfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using store::ListEncoding;
using store::ListText;

Q_DECLARE_METATYPE(store::ListEncoding)

class TestListFile : public QObject {
    Q_OBJECT

private slots:
    void readAndWriteBack_data();
    void readAndWriteBack();
    void listBeyondWindows1252_isWrittenAsUtf8WithMark();
    void writtenList_readsBackTheSame_data();
    void writtenList_readsBackTheSame();
    void missingFile_isReadError();
    void unwritablePath_isWriteErrorAndOldFileStays();

private:
    static QByteArray readBytes(const QString &path);
    static void writeBytes(const QString &path, const QByteArray &bytes);
};

QByteArray TestListFile::readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestListFile::writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

void TestListFile::readAndWriteBack_data()
{
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<ListEncoding>("encoding");
    QTest::addColumn<QByteArray>("writtenBack");

    const QStringList kager{QStringLiteral("Kager"), QStringLiteral("Æblekage")};

    QTest::newRow("LF only is written back with CR LF")
        << QByteArray("Kager\n\xC6" "blekage\n") << kager << ListEncoding::Windows1252
        << QByteArray("Kager\r\n\xC6" "blekage\r\n");
    QTest::newRow("lone CR and text after the last line end")
        << QByteArray("Kager\r\xC6" "blekage") << kager << ListEncoding::Windows1252
        << QByteArray("Kager\r\n\xC6" "blekage\r\n");
    QTest::newRow("two CR LF give an empty second entry")
        << QByteArray("Kager\r\n\r\n") << QStringList{QStringLiteral("Kager"), QString()}
        << ListEncoding::Windows1252 << QByteArray("Kager\r\n\r\n");
    QTest::newRow("empty file is an empty list")
        << QByteArray() << QStringList() << ListEncoding::Windows1252 << QByteArray();
    QTest::newRow("Windows-1252 letters round trip")
        << QByteArray("\xE6\xF8\xE5 \x80\r\n\xC6\xD8\xC5\r\n")
        << QStringList{QStringLiteral("æøå €"), QStringLiteral("ÆØÅ")} << ListEncoding::Windows1252
        << QByteArray("\xE6\xF8\xE5 \x80\r\n\xC6\xD8\xC5\r\n");
    {
        // Every byte of 0x80-0x9F, the five unassigned ones as the C1 controls of that value.
        QByteArray high;
        for (int b = 0x80; b < 0xA0; ++b)
            high.append(char(b));
        const QString expected = QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
        QTest::newRow("the whole 0x80-0x9F range") << high + "\r\n" << QStringList{expected}
                                                  << ListEncoding::Windows1252 << high + "\r\n";
    }
    QTest::newRow("UTF-8 with mark keeps its mark")
        << QByteArray("\xEF\xBB\xBF" "Kager\r\n\xC3\x86" "blekage\r\n") << kager
        << ListEncoding::Utf8Bom << QByteArray("\xEF\xBB\xBF" "Kager\r\n\xC3\x86" "blekage\r\n");
    QTest::newRow("UTF-8 without mark is read as 8-bit")
        << QByteArray("\xC3\x86" "blekage\r\n")
        << QStringList{QStringLiteral("Ã†blekage")} << ListEncoding::Windows1252
        << QByteArray("\xC3\x86" "blekage\r\n");
    QTest::newRow("UTF-16 LE with mark keeps its mark")
        << QByteArray("\xFF\xFE" "K\0a\0\r\0\n\0\xC6\0b\0\r\0\n\0", 18)
        << QStringList{QStringLiteral("Ka"), QStringLiteral("Æb")} << ListEncoding::Utf16LeBom
        << QByteArray("\xFF\xFE" "K\0a\0\r\0\n\0\xC6\0b\0\r\0\n\0", 18);
    QTest::newRow("UTF-16 BE with mark keeps its mark")
        << QByteArray("\xFE\xFF\0K\0a\0\r\0\n\0\xC6\0b\0\r\0\n", 18)
        << QStringList{QStringLiteral("Ka"), QStringLiteral("Æb")} << ListEncoding::Utf16BeBom
        << QByteArray("\xFE\xFF\0K\0a\0\r\0\n\0\xC6\0b\0\r\0\n", 18);
}

void TestListFile::readAndWriteBack()
{
    QFETCH(QByteArray, onDisk);
    QFETCH(QStringList, entries);
    QFETCH(ListEncoding, encoding);
    QFETCH(QByteArray, writtenBack);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Index.txt"));
    writeBytes(path, onDisk);

    ListText list;
    QVERIFY(store::readListFile(path, &list));
    QCOMPARE(list.entries, entries);
    QCOMPARE(list.encoding, encoding);

    QVERIFY(store::writeListFile(path, list.entries, list.encoding));
    QCOMPARE(readBytes(path), writtenBack);
}

void TestListFile::listBeyondWindows1252_isWrittenAsUtf8WithMark()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Hovedkategori.txt"));
    const QStringList entries{QStringLiteral("Brød"), QStringLiteral("Pierogi z łososiem"),
                              QStringLiteral("寿司")};

    QVERIFY(store::writeListFile(path, entries, ListEncoding::Windows1252));
    QVERIFY(readBytes(path).startsWith("\xEF\xBB\xBF"));

    ListText list;
    QVERIFY(store::readListFile(path, &list));
    QCOMPARE(list.entries, entries);
    QCOMPARE(list.encoding, ListEncoding::Utf8Bom);
}

// Found by fuzzing: text that begins like a byte-order mark.
void TestListFile::writtenList_readsBackTheSame_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<ListEncoding>("encoding");
    QTest::addColumn<ListEncoding>("readBackAs");

    QTest::newRow("8-bit text like a UTF-8 mark")
        << QStringList{QStringLiteral("ï»¿Kage"), QStringLiteral("Brød")} << ListEncoding::Windows1252 << ListEncoding::Utf8Bom;
    QTest::newRow("8-bit text like a UTF-16 mark")
        << QStringList{QStringLiteral("ÿþ")} << ListEncoding::Windows1252 << ListEncoding::Utf8Bom;
    QTest::newRow("a second mark belongs to the entry")
        << QStringList{QStringLiteral("\uFEFFKage")} << ListEncoding::Utf16BeBom << ListEncoding::Utf16BeBom;
    QTest::newRow("a second UTF-8 mark too")
        << QStringList{QStringLiteral("\uFEFF")} << ListEncoding::Utf8Bom << ListEncoding::Utf8Bom;
}

void TestListFile::writtenList_readsBackTheSame()
{
    QFETCH(QStringList, entries);
    QFETCH(ListEncoding, encoding);
    QFETCH(ListEncoding, readBackAs);

    const ListText list = store::parseList(store::encodeList(entries, encoding));
    QCOMPARE(list.entries, entries);
    QCOMPARE(list.encoding, readBackAs);
}

void TestListFile::missingFile_isReadError()
{
    QTemporaryDir dir;
    ListText list{{QStringLiteral("urørt")}, ListEncoding::Utf8Bom};
    const store::FileResult result =
        store::readListFile(dir.filePath(QStringLiteral("findes-ikke.txt")), &list);
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(QStringLiteral("kan ikke læses")));
    QCOMPARE(list.entries, QStringList{QStringLiteral("urørt")});
}

void TestListFile::unwritablePath_isWriteErrorAndOldFileStays()
{
    QTemporaryDir dir;
    // A folder standing where the file should be: permission bits do not stop root.
    const QString folderPath = dir.filePath(QStringLiteral("Index.txt"));
    QVERIFY(QDir().mkdir(folderPath));
    const store::FileResult result = store::writeListFile(folderPath, {QStringLiteral("Kager")});
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(QStringLiteral("kan ikke gemmes")));
    QVERIFY(QFileInfo(folderPath).isDir());

    const store::FileResult noParent = store::writeListFile(
        dir.filePath(QStringLiteral("mangler/Index.txt")), {QStringLiteral("Kager")});
    QVERIFY(!noParent.ok);
}

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"

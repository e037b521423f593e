#include "rtf/rtffile.h"
#include "rtf/rtfreader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRtfFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void load_readsFileAndClearsModified();
    void load_failure_leavesDocumentUnchanged_data();
    void load_failure_leavesDocumentUnchanged();
    void save_writesFileAndClearsModified();
    void save_failure_keepsMarkAndWhatWasThere_data();
    void save_failure_keepsMarkAndWhatWasThere();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRtfFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRtfFile::load_readsFileAndClearsModified()
{
    const QString path = m_dir->filePath(u"opskrift.rtf"_s);
    writeFile(path, "{\\rtf1\\ansi bl\\'e5b\\'e6r}");
    QTextDocument doc;
    doc.setPlainText(u"gammel"_s);
    doc.setModified(true);
    const store::FileResult result = rtf::loadFile(path, &doc);
    QVERIFY(result.ok);
    QVERIFY(result.error.isEmpty());
    QCOMPARE(doc.toPlainText(), u"blåbær"_s);
    QVERIFY(!doc.isModified());
}

void TestRtfFile::load_failure_leavesDocumentUnchanged_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << u"findes-ikke.rtf"_s;
    QTest::newRow("folder in place of the file") << u"mappe"_s;
}

void TestRtfFile::load_failure_leavesDocumentUnchanged()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkdir(u"mappe"_s));
    const QString path = m_dir->filePath(name);
    QTextDocument doc;
    doc.setPlainText(u"gammel"_s);
    doc.setModified(true);
    const store::FileResult result = rtf::loadFile(path, &doc);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, store::FileResult::readFailed(path).error);
    QCOMPARE(doc.toPlainText(), u"gammel"_s);
    QVERIFY(doc.isModified());
}

void TestRtfFile::save_writesFileAndClearsModified()
{
    const QString path = m_dir->filePath(u"opskrift.rtf"_s);
    writeFile(path, "old content");
    QTextDocument doc;
    doc.setPlainText(u"Rødgrød"_s);
    doc.setModified(true);
    QVERIFY(rtf::saveFile(&doc, path).ok);
    QVERIFY(!doc.isModified());
    const QByteArray saved = readFile(path);
    QVERIFY(saved.startsWith("{\\rtf1"));
    QTextDocument back;
    rtf::read(saved, &back);
    QCOMPARE(back.toPlainText(), u"Rødgrød"_s);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"opskrift.rtf"_s});
}

void TestRtfFile::save_failure_keepsMarkAndWhatWasThere_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing parent folder") << u"mangler/opskrift.rtf"_s;
    QTest::newRow("folder in place of the file") << u"mappe"_s;
    QTest::newRow("file in place of the parent folder") << u"fil/opskrift.rtf"_s;
}

void TestRtfFile::save_failure_keepsMarkAndWhatWasThere()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkdir(u"mappe"_s));
    writeFile(m_dir->filePath(u"mappe/indhold.txt"_s), "bliver");
    writeFile(m_dir->filePath(u"fil"_s), "bliver");
    const QString path = m_dir->filePath(name);
    QTextDocument doc;
    doc.setPlainText(u"ny tekst"_s);
    doc.setModified(true);
    const store::FileResult result = rtf::saveFile(&doc, path);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, store::FileResult::writeFailed(path).error);
    QVERIFY(doc.isModified());
    QCOMPARE(readFile(m_dir->filePath(u"mappe/indhold.txt"_s)), QByteArray("bliver"));
    QCOMPARE(readFile(m_dir->filePath(u"fil"_s)), QByteArray("bliver"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"fil"_s});
}

QTEST_MAIN(TestRtfFile)
#include "tst_rtffile.moc"

#include "bookfixture.h"
#include "pdftools.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// retterum-kopi pdf as a script runs it: exit code, the summary on standard output and the
// Danish messages on standard error.
class TestKopiPdf : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pdf_exitCodeMessagesAndFile_data();
    void pdf_exitCodeMessagesAndFile();

private:
    std::unique_ptr<BookFixture> m_book;
    std::unique_ptr<QTemporaryDir> m_out;
};

void TestKopiPdf::init()
{
    m_book = std::make_unique<BookFixture>();
    m_out = std::make_unique<QTemporaryDir>();
}

void TestKopiPdf::cleanup()
{
    m_book.reset();
    m_out.reset();
}

void TestKopiPdf::pdf_exitCodeMessagesAndFile_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");     // the summary, %1 the file
    QTest::addColumn<QString>("err");     // a line of standard error, %1 the file
    QTest::addColumn<QString>("inBook");  // a line of the book's text; empty: no book

    QTest::newRow("subcategory") << QStringList{u"--kategori"_qs, u"Bagværk/Brød"_qs} << 0
                                 << u"%1: 2 opskrifter på 5 sider, 0 kunne ikke læses."_qs << QString()
                                 << u"500 g hvedemel"_qs;
    QTest::newRow("main category, letter case as typed")
        << QStringList{u"--område"_qs, u"Alle"_qs, u"--kategori"_qs, u"desserter"_qs} << 0
        << u"%1: 61 opskrifter på 64 sider, 0 kunne ikke læses."_qs << QString() << u"5 æggeblommer"_qs;
    QTest::newRow("an unreadable recipe: the book all the same, exit 1")
        << QStringList{u"--kategori"_qs, u"Bagværk/Kager"_qs} << 1
        << u"%1: 2 opskrifter på 4 sider, 1 kunne ikke læses."_qs
        << u"Kan ikke læses: Bagværk / Kager / Ulæselig: "_qs << u"1 kg æbler"_qs;
    QTest::newRow("unknown main category") << QStringList{u"--kategori"_qs, u"Supper"_qs} << 1 << QString()
                                           << u"Hovedkategorien \"Supper\" findes ikke."_qs << QString();
    QTest::newRow("unknown subcategory") << QStringList{u"--kategori"_qs, u"Bagværk/Is"_qs} << 1 << QString()
                                         << u"Underkategorien \"Is\" findes ikke i \"Bagværk\"."_qs << QString();
    QTest::newRow("three levels") << QStringList{u"--kategori"_qs, u"Bagværk/Brød/Boller"_qs} << 1 << QString()
                                  << u"--kategori skal være \"Hovedkategori\" eller \"Hovedkategori/Underkategori\"."_qs
                                  << QString();
    QTest::newRow("an area that leads out of the users root") << QStringList{u"--område"_qs, u".."_qs} << 1
                                                              << QString()
                                                              << u"Området \"..\" kan ikke bruges som mappenavn."_qs
                                                              << QString();
    QTest::newRow("a user without an area") << QStringList{u"--område"_qs, u"ingen"_qs} << 1 << QString()
                                            << u"Området \"ingen\" findes ikke under"_qs << QString();
}

void TestKopiPdf::pdf_exitCodeMessagesAndFile()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QString, inBook);
    const QString file = m_out->filePath(u"bog.pdf"_qs);
    QProcess tool;
    tool.start(QStringLiteral(RETTERUM_KOPI), QStringList{u"--rod"_qs, m_book->root.path(), u"pdf"_qs, file} + options);
    QVERIFY(tool.waitForFinished(120000));
    const QString stdOut = QString::fromUtf8(tool.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(tool.readAllStandardError());
    QCOMPARE(tool.exitCode(), exitCode);
    QCOMPARE(stdOut, out.isEmpty() ? QString() : out.arg(file) + u'\n');
    if (err.isEmpty())
        QCOMPARE(stdErr, QString());
    else
        QVERIFY2(stdErr.startsWith(err), qPrintable(stdErr));
    QCOMPARE(QFileInfo::exists(file), !inBook.isEmpty());
    if (!inBook.isEmpty())
        QVERIFY(pdftools::lines(file).contains(inBook));
    QCOMPARE(QDir(m_out->path()).entryList(QDir::Files).size(), inBook.isEmpty() ? 0 : 1);
}

QTEST_MAIN(TestKopiPdf)
#include "tst_kopipdf.moc"

// retterum-kopi gem and indlæs: exit codes, the summary on standard output, Danish messages on
// standard error.
#include "../backup/bookmaker.h"
#include "../backup/zipmaker.h"
#include "../common/testdataroot.h"

#include "store/privatefolder.h"
#include "tools/kopicommand.h"

#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run kopi(const QStringList &arguments)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = runKopi(arguments, out, err);
    out.flush();
    err.flush();
    return run;
}

} // namespace

class TestKopi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void command_givesExitCodeAndMessages_data();
    void command_givesExitCodeAndMessages();
    void program_takesItsDanishCommandFromTheTerminal();

private:
    TestDataRoot m_root;
};

void TestKopi::initTestCase()
{
    const BookMaker book(m_root.paths().areaTree(false, {}));
    book.recipe(QStringLiteral("Kager"), QStringLiteral("Småkager"), QStringLiteral("Brunkager"),
                BookMaker::rtf(QStringLiteral("Rør.")), {QStringLiteral("250 g smør")});
    QVERIFY(writeZip(m_root.file(QStringLiteral("fremmed.zip")),
                     {ZipEntry::file(QStringLiteral("Hovedkategori.txt"), "Kager\r\n"),
                      ZipEntry::file(QStringLiteral("../ude.txt"), "x")}));
    QVERIFY(writeZip(m_root.file(QStringLiteral("beskadiget.zip")),
                     {ZipEntry::file(QStringLiteral("Kager/Boller/Hveder.rtf"), BookMaker::noise(20000, 1)),
                      ZipEntry::file(QStringLiteral("Kager/Boller/Snegle.rtf"), BookMaker::noise(20000, 2))}));
    QFile damaged(m_root.file(QStringLiteral("beskadiget.zip")));
    QVERIFY(damaged.resize(damaged.size() * 3 / 4));
    const QString directory = m_root.file(QStringLiteral("fortegnelse.zip"));
    QVERIFY(writeZip(directory, {ZipEntry::file(QStringLiteral("Kager/Rugbrød/Surdej.rtf"), "{\\rtf1 Surdej}")}));
    QFile outside(directory);
    QVERIFY(outside.open(QIODevice::ReadWrite));
    const QByteArray bytes = withDirectoryOutside(outside.readAll());
    QVERIFY(outside.seek(0) && outside.write(bytes) == bytes.size());
    QFile garbage(m_root.file(QStringLiteral("affald.zip")));
    QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(1000, 'x')) == 1000);
}

void TestKopi::command_givesExitCodeAndMessages_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString root = m_root.path();
    const QString own = store::loginName();
    const QString zip = m_root.file(QStringLiteral("kopi.zip"));
    // In order: the backup made by the first row is read back by the second.
    QTest::newRow("gem")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("gem"), zip} << 0
        << QStringLiteral("Sikkerhedskopien er gemt i \"%1\": 1 hovedkategori, 1 underkategori, 1 opskrift.\n").arg(zip)
        << QString();
    QTest::newRow("indlæs i fuldt område")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("indlæs"), zip, QStringLiteral("--område"), QStringLiteral("Alle")}
        << 0
        << QStringLiteral("1 opskrift er indlæst.\n1 fik et nyt navn, fordi navnet var taget:\n"
                          "  Kager/Småkager/Brunkager → Brunkager (2)\n")
        << QString();
    QTest::newRow("indlæs i eget område")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("indlæs"), zip, QStringLiteral("--område"), own} << 0
        << QStringLiteral("1 opskrift er indlæst, 2 nye kategorier.\n") << QString();
    QTest::newRow("fremmed zip")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("indlæs"), m_root.file(QStringLiteral("fremmed.zip"))} << 1
        << QString()
        << QStringLiteral("Sikkerhedskopien kan ikke indlæses: \"../ude.txt\" er en sti ud af området. Intet er indlæst.\n");
    QTest::newRow("beskadiget")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("indlæs"), m_root.file(QStringLiteral("beskadiget.zip"))} << 1
        << QStringLiteral("1 opskrift er indlæst, 1 nye kategorier.\n")
        << QStringLiteral("Sikkerhedskopien er beskadiget efter \"Kager/Boller/Hveder.rtf\"");
    QTest::newRow("ødelagt fortegnelse")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("indlæs"), m_root.file(QStringLiteral("fortegnelse.zip"))} << 1
        << QStringLiteral("1 opskrift er indlæst, 1 nye kategorier.\n")
        << QStringLiteral("Sikkerhedskopien er beskadiget efter \"Kager/Rugbrød/Surdej.rtf\" (indholdsfortegnelsen sidst i "
                          "filen mangler eller er beskadiget). Opskrifterne før er indlæst hele, resten ikke.\n");
    QTest::newRow("affald")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("indlæs"), m_root.file(QStringLiteral("affald.zip"))} << 1
        << QString()
        << QStringLiteral("Filen \"%1\" er ikke en sikkerhedskopi (et zip-arkiv), eller den er beskadiget. Intet er indlæst.\n")
               .arg(m_root.file(QStringLiteral("affald.zip")));
    QTest::newRow("ingen fil")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("indlæs"), m_root.file(QStringLiteral("findes-ikke.zip"))} << 1
        << QString() << QStringLiteral("Filen \"%1\" kan ikke læses. Intet er indlæst.\n").arg(m_root.file(QStringLiteral("findes-ikke.zip")));
    QTest::newRow("mappe findes ikke")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("gem"), m_root.file(QStringLiteral("ingen/kopi.zip"))} << 1
        << QString()
        << QStringLiteral("Sikkerhedskopien kan ikke gemmes som \"%1\". Mappen \"%2\" findes ikke.\n")
               .arg(m_root.file(QStringLiteral("ingen/kopi.zip")), m_root.file(QStringLiteral("ingen")));
    QTest::newRow("en mappe")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("gem"), root} << 1 << QString()
        << QStringLiteral("Sikkerhedskopien kan ikke gemmes som \"%1\". \"%1\" er en mappe.\n").arg(root);
    QTest::newRow("ingen kommando") << QStringList{QStringLiteral("--rod"), root} << 1 << QString()
                                    << QStringLiteral("Angiv en kommando: gem, indlæs, pdf eller web.\nBrug: retterum-kopi");
    QTest::newRow("ukendt kommando") << QStringList{QStringLiteral("--rod"), root, QStringLiteral("slet"), zip} << 1
                                     << QString() << QStringLiteral("Ukendt kommando: slet\nBrug: retterum-kopi");
    QTest::newRow("kommando uden fil") << QStringList{QStringLiteral("--rod"), root, QStringLiteral("gem")} << 1
                                       << QString() << QStringLiteral("Kommandoen gem mangler en fil.\nBrug: retterum-kopi");
    QTest::newRow("andens område")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("gem"), zip, QStringLiteral("--område"), QStringLiteral("en-anden")}
        << 1 << QString() << QStringLiteral("Kun \"Alle\" eller dit eget brugernavn kan bruges som område.\n");
    QTest::newRow("ingen data-rod")
        << QStringList{QStringLiteral("--rod"), m_root.file(QStringLiteral("intet")), QStringLiteral("gem"), zip} << 1 << QString()
        << QStringLiteral("Området \"Alle\" findes ikke under \"%1\".\n").arg(m_root.file(QStringLiteral("intet")));
    // After the rows above, the shared area holds Brunkager and Brunkager (2).
    const QString side = m_root.file(QStringLiteral("side"));
    const QStringList web{QStringLiteral("--rod"), root, QStringLiteral("web"), side, QStringLiteral("--kategori"),
                          QStringLiteral("Kager/Småkager")};
    QTest::newRow("web") << web << 0
                         << QStringLiteral("%1: 2 opskrifter; 6 filer skrevet, 0 uændrede, 0 fjernet; 0 kunne ikke læses.\n").arg(side)
                         << QString();
    QTest::newRow("web igen") << web << 0
                              << QStringLiteral("%1: 2 opskrifter; 0 filer skrevet, 6 uændrede, 0 fjernet; 0 kunne ikke læses.\n").arg(side)
                              << QString();
    QTest::newRow("web i fremmed mappe")
        << QStringList{QStringLiteral("--rod"), root, QStringLiteral("web"), root} << 1 << QString()
        << QStringLiteral("Mappen \"%1\" er hverken tom eller en hjemmeside, Retterum har lavet før. Vælg en tom mappe.\n").arg(root);
}

void TestKopi::command_givesExitCodeAndMessages()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run run = kopi(arguments);
    QCOMPARE(run.out, out);
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.startsWith(err), qPrintable(run.err));
    QCOMPARE(run.code, code);
}

void TestKopi::program_takesItsDanishCommandFromTheTerminal()
{
    const QString zip = m_root.file(QStringLiteral("terminal.zip"));
    QVERIFY(kopi({QStringLiteral("--rod"), m_root.path(), QStringLiteral("gem"), zip}).code == 0);
    QProcess process;
    process.start(QStringLiteral(RETTERUM_KOPI),
                  {QStringLiteral("--rod"), m_root.path(), QStringLiteral("indlæs"), zip, QStringLiteral("--område"), QStringLiteral("Alle")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral(" opskrifter er indlæst.\n")), qPrintable(out));
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestKopi)
#include "tst_kopi.moc"

// retterum-liste fortolk: one JSON object per input line in input order, or a table; Danish
// messages and exit code 1 for what can't be read.
#include "tools/listecommand.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run liste(const QStringList &arguments, const QByteArray &input = {})
{
    Run run;
    QBuffer standardInput;
    standardInput.setData(input);
    standardInput.open(QIODevice::ReadOnly);
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = runListe(arguments, standardInput, out, err);
    out.flush();
    err.flush();
    return run;
}

// A book's lines as a file holds them: a byte-order mark, CR LF, an empty line and a heading.
const QByteArray kLines = "\xEF\xBB\xBF"
                          "Dej:\r\n"
                          "1\xE2\x85\x93 spsk sukker\r\n"
                          "3-4 fed hvidl\xC3\xB8g, presset\r\n"
                          "\r\n"
                          "salt og peber efter smag\r\n"
                          "evt. \"persille\"\r\n"
                          "smør, 100 g";

const QString kJson = QStringLiteral(
    "{\"line\":\"Dej:\",\"quantity\":null,\"unit\":null,\"name\":null,\"comment\":null}\n"
    "{\"line\":\"1⅓ spsk sukker\",\"quantity\":1.3333333333333333,\"unit\":\"spsk\",\"name\":\"sukker\",\"comment\":null}\n"
    "{\"line\":\"3-4 fed hvidløg, presset\",\"quantity\":[3,4],\"unit\":\"fed\",\"name\":\"hvidløg\",\"comment\":\"presset\"}\n"
    "{\"line\":\"\",\"quantity\":null,\"unit\":null,\"name\":null,\"comment\":null}\n"
    "{\"line\":\"salt og peber efter smag\",\"quantity\":null,\"unit\":null,\"name\":\"salt og peber\",\"comment\":\"efter smag\"}\n"
    "{\"line\":\"evt. \\\"persille\\\"\",\"quantity\":null,\"unit\":null,\"name\":\"\\\"persille\\\"\",\"comment\":null}\n"
    "{\"line\":\"smør, 100 g\",\"quantity\":100,\"unit\":\"g\",\"name\":\"smør\",\"comment\":null}\n");

const QString kTable = QStringLiteral(
    "Mængde  Enhed  Ingrediens     Bemærkning  Mærker\n"
    "               Dej                        overskrift\n"
    "1,33    spsk   sukker\n"
    "3-4     fed    hvidløg        presset\n"
    "\n"
    "               salt og peber  efter smag  skaleres ikke\n"
    "               \"persille\"                 evt.\n"
    "100     g      smør\n");

} // namespace

class TestListe : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void command_givesExitCodeAndOutput_data();
    void command_givesExitCodeAndOutput();
    void program_readsStandardInput();

private:
    QTemporaryDir m_dir;
    QString m_file;
};

void TestListe::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_file = m_dir.filePath(QStringLiteral("linjer.txt"));
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(kLines), kLines.size());
}

void TestListe::command_givesExitCodeAndOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // what the message starts with
    const QString fortolk = QStringLiteral("fortolk");
    const QString json = QStringLiteral("--json");
    const QString missing = m_dir.filePath(QStringLiteral("findes-ikke.txt"));
    QTest::newRow("json from file") << QStringList{fortolk, json, m_file} << QByteArray() << 0 << kJson << QString();
    QTest::newRow("json from standard input") << QStringList{json, fortolk} << kLines << 0 << kJson << QString();
    QTest::newRow("json from -") << QStringList{fortolk, json, QStringLiteral("-")} << kLines << 0 << kJson << QString();
    QTest::newRow("table") << QStringList{fortolk, m_file} << QByteArray() << 0 << kTable << QString();
    QTest::newRow("nothing to read") << QStringList{fortolk, json} << QByteArray() << 0 << QString() << QString();
    QTest::newRow("missing file") << QStringList{fortolk, missing} << QByteArray() << 1 << QString()
                                  << QStringLiteral("Filen \"%1\" kan ikke læses.\n").arg(missing);
    QTest::newRow("a folder") << QStringList{fortolk, json, m_dir.path()} << QByteArray() << 1 << QString()
                              << QStringLiteral("Filen \"%1\" kan ikke læses.\n").arg(m_dir.path());
    QTest::newRow("no command") << QStringList{json} << QByteArray() << 1 << QString()
                                << QStringLiteral("Angiv en kommando: fortolk eller indkøb.\nBrug: retterum-liste");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("køb")} << QByteArray() << 1 << QString()
                                     << QStringLiteral("Ukendt kommando: køb\nBrug: retterum-liste");
    QTest::newRow("unknown option") << QStringList{fortolk, QStringLiteral("--xml")} << QByteArray() << 1 << QString()
                                    << QStringLiteral("Ukendt tilvalg: --xml\nBrug: retterum-liste");
    QTest::newRow("two files") << QStringList{fortolk, m_file, m_file} << QByteArray() << 1 << QString()
                               << QStringLiteral("For mange filer: %1\n").arg(m_file);
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << QByteArray() << 0
                          << QStringLiteral("Brug: retterum-liste fortolk [--json] [FIL]\n"
                                            "      retterum-liste [--rod MAPPE] indkøb [--json] "
                                            "OPSKRIFT[*FAKTOR|=PORTIONER]...\n")
                          << QString();
}

void TestListe::command_givesExitCodeAndOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run run = liste(arguments, input);
    QCOMPARE(run.out, out);
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.startsWith(err), qPrintable(run.err));
    QCOMPARE(run.code, code);
}

void TestListe::program_readsStandardInput()
{
    QProcess process;
    process.start(QStringLiteral(RETTERUM_LISTE), {QStringLiteral("fortolk"), QStringLiteral("--json")});
    QVERIFY(process.waitForStarted());
    // A final line end adds no line.
    process.write(kLines + "\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), kJson);
    QCOMPARE(process.exitCode(), 0);

    process.start(QStringLiteral(RETTERUM_LISTE), {QStringLiteral("fortolk"), m_dir.filePath(QStringLiteral("intet.txt"))});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
             QStringLiteral("Filen \"%1\" kan ikke læses.\n").arg(m_dir.filePath(QStringLiteral("intet.txt"))));
    QCOMPARE(process.exitCode(), 1);
}

QTEST_GUILESS_MAIN(TestListe)
#include "tst_liste.moc"

#include "dialogs/messagehook.h"
#include "mainwindowfixture.h"
#include "options/startupregistration.h"
#include "options/toptform.h"
#include "optionsfixture.h"

#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

const QString kFirstMessage = u"Information: Det kan tage lidt tid.\rTryk OK-Knappen for at starte "
                              "funktionen.\rDer bringes en information, når funktionen er gennemført."_s;
const QString kGaveUp = u"Information: Det lykkedes ikke at indføre programmet som startprogram."_s;

void installScript(const TestDataRoot &root)
{
    QVERIFY(QFile::copy(QStringLiteral(RETTERUM_SHORTCUT_SCRIPT),
                        root.file(QStringLiteral("Program/createShortcut.sh"))));
}

// One second of the poll's clock: the tick the running timer would give.
void tick()
{
    QVERIFY(optform->startProgTimer->isActive());
    QCOMPARE(optform->startProgTimer->interval(), 1000);
    optform->startProgTimerTimer();
}

// The value of a key of a desktop entry's main group.
QString entryValue(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines)
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    return {};
}

// The one argument of an Exec value, undone as a launcher reads it: string escapes first, then
// the quoting, then the field-code escape.
QString execArgument(const QString &value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\' && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            unescaped += next == u's' ? u' ' : next == u'n' ? u'\n' : next == u't' ? u'\t' : next;
        } else {
            unescaped += value.at(i);
        }
    }
    QString argument;
    if (unescaped.startsWith(u'"') && unescaped.endsWith(u'"')) {
        const QString inner = unescaped.mid(1, unescaped.size() - 2);
        for (qsizetype i = 0; i < inner.size(); ++i) {
            if (inner.at(i) == u'\\' && i + 1 < inner.size() && QStringLiteral("\"`$\\").contains(inner.at(i + 1)))
                ++i;
            argument += inner.at(i);
        }
    } else {
        argument = unescaped;
    }
    return argument.replace(u"%%"_s, u"%"_s);
}

void verifyValidEntry(const QString &path)
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validator.isEmpty(), "desktop-file-validate (desktop-file-utils) is missing");
    QProcess validate;
    validate.start(validator, {path});
    QVERIFY(validate.waitForFinished());
    QVERIFY2(validate.exitCode() == 0 && validate.readAll().isEmpty(),
             qPrintable(QString::fromUtf8(validate.readAllStandardOutput())));
}

} // namespace

class TestStartAtLogin : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void addThenRemove_withTheRealScript();
    void missingScript_twoMessages_andGivesUpAfterTenPolls();
    void missingProgramFile_startsNothing();
    void entryLeftFromAnEarlierRun_isFoundAtTheFirstPoll();
    void autostartFolderCantBeMade_isTold();
    void scriptEntry_startsExactlyThatProgram_data();
    void scriptEntry_startsExactlyThatProgram();
    void startErrors_haveTheirTexts_data();
    void startErrors_haveTheirTexts();

private:
    ThrowAwayHome *m_home = nullptr;
};

void TestStartAtLogin::initTestCase()
{
    m_home = new ThrowAwayHome;
}

void TestStartAtLogin::cleanup()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home->configHome()));
    QFile::remove(m_home->autostartEntry());
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestStartAtLogin::addThenRemove_withTheRealScript()
{
    TestDataRoot root;
    installScript(root);
    MainWindowFixture fixture(root);
    const QString written = mainform->optDir + u"Retterum.desktop"_s;
    QVERIFY(!QFileInfo::exists(m_home->configHome()));

    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->startProgDoButton, Qt::LeftButton);
    QCOMPARE(MessageHook::takeShown(), QStringList{kFirstMessage});
    QVERIFY(optform->gemButton->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(written), 10000);
    MessageHook::queue(MessageHook::Answer::Ok);
    tick();
    QCOMPARE(MessageHook::takeShown(),
             QStringList{u"Information: Programmet er indført som StartUp-program."_s});
    QVERIFY(!optform->startProgTimer->isActive());
    QCOMPARE(optform->startProgDoButton->text(), u"Fjern"_s);
    QCOMPARE(optform->startProgFilename, m_home->autostartEntry());
    QCOMPARE(execArgument(entryValue(m_home->autostartEntry(), u"Exec"_s)),
             QCoreApplication::applicationFilePath());
    verifyValidEntry(m_home->autostartEntry());

    QTest::mouseClick(optform->gemButton, Qt::LeftButton);
    const QString options = optform->optFilnavn.mid(root.path().size() + 1);
    QCOMPARE(root.readList(options).value(2), m_home->autostartEntry());

    // Waiting for the script's fresh entry lets it end before the data root goes.
    QVERIFY(QFile::remove(written));
    MessageHook::queue(MessageHook::Answer::Ok);
    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->startProgDoButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(written), 10000);
    tick();
    QCOMPARE(MessageHook::takeShown(),
             (QStringList{kFirstMessage, u"Information: Programmet blev fjernet som StartUp-program."_s}));
    QVERIFY(!QFileInfo::exists(m_home->autostartEntry()));
    QVERIFY(QFileInfo::exists(written)); // the settings folder's entry stays
    QCOMPARE(optform->startProgDoButton->text(), u"Indfør"_s);
    QVERIFY(optform->startProgFilename.isEmpty());
    QTest::mouseClick(optform->gemButton, Qt::LeftButton);
    QCOMPARE(root.readList(options).value(2), QString());
}

void TestStartAtLogin::missingScript_twoMessages_andGivesUpAfterTenPolls()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    MessageHook::queue(MessageHook::Answer::Ok);
    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->startProgDoButton, Qt::LeftButton);
    QCOMPARE(MessageHook::takeShown(),
             (QStringList{kFirstMessage,
                          u"Information: Der synes at mangle en fil til skabelse af en genvej."_s}));
    for (int poll = 1; poll < 10; ++poll)
        tick();
    QVERIFY(MessageHook::shown().isEmpty());
    MessageHook::queue(MessageHook::Answer::Ok);
    tick();
    QCOMPARE(MessageHook::takeShown(), QStringList{kGaveUp});
    QVERIFY(!optform->startProgTimer->isActive());
    QCOMPARE(optform->SPtimerCount, 0);
    QCOMPARE(optform->startProgDoButton->text(), u"Udfør"_s);
    QVERIFY(!QFileInfo::exists(m_home->autostartEntry()));
}

void TestStartAtLogin::missingProgramFile_startsNothing()
{
    TestDataRoot root;
    installScript(root);
    MainWindowFixture fixture(root);
    optform->programFile = root.file(u"Program/findes-ikke"_s);
    MessageHook::queue(MessageHook::Answer::Ok);
    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->startProgDoButton, Qt::LeftButton);
    QCOMPARE(MessageHook::takeShown(),
             (QStringList{kFirstMessage, u"Information: Programfilen blev ikke fundet."_s}));
    QVERIFY(!optform->startProgTimer->isActive());
    QVERIFY(!QFileInfo::exists(mainform->optDir + u"Retterum.desktop"_s));
}

void TestStartAtLogin::entryLeftFromAnEarlierRun_isFoundAtTheFirstPoll()
{
    TestDataRoot root;
    MainWindowFixture fixture(root);
    // No script: the entry an earlier run left is what gets copied, whole.
    const QByteArray earlier = "[Desktop Entry]\nType=Application\nName=Retterum\nExec=/x/retterum\n";
    root.writeBytes(mainform->optDir.mid(root.path().size() + 1) + u"Retterum.desktop"_s, earlier);
    MessageHook::queue(MessageHook::Answer::Ok);
    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->startProgDoButton, Qt::LeftButton);
    MessageHook::queue(MessageHook::Answer::Ok);
    tick();
    QCOMPARE(MessageHook::takeShown().last(), u"Information: Programmet er indført som StartUp-program."_s);
    QFile copied(m_home->autostartEntry());
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QCOMPARE(copied.readAll(), earlier);
}

void TestStartAtLogin::autostartFolderCantBeMade_isTold()
{
    TestDataRoot root;
    installScript(root);
    MainWindowFixture fixture(root);
    const QString notAFolder = root.file(u"konfiguration"_s);
    root.writeBytes(u"konfiguration"_s, "en fil, ikke en mappe");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(notAFolder));
    MessageHook::queue(MessageHook::Answer::Ok);
    QTest::mouseClick(optform->startProgDoButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(mainform->optDir + u"Retterum.desktop"_s), 10000);
    MessageHook::queue(MessageHook::Answer::Ok);
    tick();
    QCOMPARE(MessageHook::takeShown().last(), u"Information: Startup-mappen kunne ikke findes.\r"_s);
    QCOMPARE(optform->startProgDoButton->text(), u"Udfør"_s);
    QVERIFY(optform->startProgFilename.isEmpty());
    QVERIFY(!optform->startProgTimer->isActive());
}

void TestStartAtLogin::scriptEntry_startsExactlyThatProgram_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("installed") << u"/opt/Retterum/Program/retterum"_s;
    QTest::newRow("blank and Danish letters") << u"/home/søren/Mine programmer/retterum"_s;
    QTest::newRow("shell and field-code characters") << u"/opt/a\"b$HOME`id`\\c%f/retterum"_s;
}

void TestStartAtLogin::scriptEntry_startsExactlyThatProgram()
{
    QFETCH(QString, program);
    QTemporaryDir folder;
    const QString entry = folder.filePath(u"Retterum.desktop"_s);
    QProcess script;
    script.start(u"/bin/sh"_s, {QStringLiteral(RETTERUM_SHORTCUT_SCRIPT), program, entry});
    QVERIFY(script.waitForFinished());
    QCOMPARE(script.exitCode(), 0);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Retterum.desktop"_s});
    QCOMPARE(execArgument(entryValue(entry, u"Exec"_s)), program);
    verifyValidEntry(entry);
}

void TestStartAtLogin::startErrors_haveTheirTexts_data()
{
    QTest::addColumn<int>("errnum");
    QTest::addColumn<QString>("text");
    QTest::newRow("ENOENT") << ENOENT << u"Den specificerede fil blev ikke fundet."_s;
    QTest::newRow("ENOTDIR") << ENOTDIR << u"Stien blev ikke fundet."_s;
    QTest::newRow("EACCES") << EACCES << u"Operationssystemet forbød adgang til filen."_s;
    QTest::newRow("EPERM") << EPERM << u"Operationssystemet forbød adgang til filen."_s;
    QTest::newRow("ENOMEM") << ENOMEM << u"Der var ikke hukommelse nok til at fuldføre operationen."_s;
    QTest::newRow("ENOEXEC") << ENOEXEC
                             << u"Invalid exe fil (non-Microsoft Win32 .exe eller fejl i .exe image)."_s;
    QTest::newRow("EIO") << EIO << u"Meningsløs operation eller ukendt fejl."_s;
}

void TestStartAtLogin::startErrors_haveTheirTexts()
{
    QFETCH(int, errnum);
    QFETCH(QString, text);
    TestDataRoot root;
    MainWindowFixture fixture(root);
    MessageHook::queue(MessageHook::Answer::Ok);
    Toptform::ErrorInfo(startup::shellErrorFromErrno(errnum));
    QCOMPARE(MessageHook::takeShown(), QStringList{u"Information: Fejlinformation:\r"_s + text});
    QCOMPARE(startup::errorInfoText(31), u"Der er ikke associeret noget program til givne filefternavn.\r"
                                         "Der er muligvist valgt: For redigering.\r"
                                         "Der skal muligvist vælges: For kørsel."_s);
}

QTEST_MAIN(TestStartAtLogin)
#include "tst_startatlogin.moc"

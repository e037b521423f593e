#include "testhttpserver.h"
#include "webimport/fetcher.h"
#include "webimport/insideaddress.h"

#include <QSignalSpy>
#include <QtTest>

using webimport::FetchResult;
using webimport::Fetcher;

class TestFetcher : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fetchesWithinLimits_data();
    void fetchesWithinLimits();
    void refusesOtherSchemes_data();
    void refusesOtherSchemes();
    void staysWithinTheLimitWhateverTheServerSays_data();
    void staysWithinTheLimitWhateverTheServerSays();
    void progressKeepsASlowServerAlive();
    void overallLimitEndsATricklingPage();
    void abortEndsQuietly();
    void insideAddresses_data();
    void insideAddresses();
    void outsideOnly_refusesThisMachineBeforeAnyRequest_data();
    void outsideOnly_refusesThisMachineBeforeAnyRequest();
    void tellsWhetherThePageCameFromInside();

private:
    TestHttpServer *m_server = nullptr;
    int m_stallBefore = 0;
    int m_overallBefore = 0;
};

void TestFetcher::init()
{
    m_stallBefore = Fetcher::stallTimeoutMs;
    m_overallBefore = Fetcher::overallTimeoutMs;
    Fetcher::stallTimeoutMs = 300;
    m_server = new TestHttpServer(this);
    QVERIFY(m_server->listen());
    m_server->serve(QStringLiteral("/side"), "<html>Opskrift</html>");
    m_server->serve(QStringLiteral("/fejl"), "Intern fejl", "text/plain", 500);
}

void TestFetcher::cleanup()
{
    Fetcher::stallTimeoutMs = m_stallBefore;
    Fetcher::overallTimeoutMs = m_overallBefore;
    delete m_server;
}

void TestFetcher::fetchesWithinLimits_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("error"); // a part of the message
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("plain") << "/side" << true << QString() << QByteArray("<html>Opskrift</html>");
    QTest::newRow("redirected twice") << "/r1" << true << QString() << QByteArray("<html>Opskrift</html>");
    QTest::newRow("absolute redirect") << "/abs" << true << QString() << QByteArray("<html>Opskrift</html>");
    QTest::newRow("five redirects") << "/k1" << true << QString() << QByteArray("<html>Opskrift</html>");
    QTest::newRow("six redirects") << "/k0" << false << QStringLiteral("viderestiller for mange gange") << QByteArray();
    QTest::newRow("loop") << "/loop-a" << false << QStringLiteral("viderestiller for mange gange") << QByteArray();
    QTest::newRow("redirect to file:") << "/til-fil" << false << QStringLiteral("ikke kan hentes") << QByteArray();
    QTest::newRow("404") << "/findes-ikke" << false << QStringLiteral("svar 404") << QByteArray();
    QTest::newRow("500") << "/fejl" << false << QStringLiteral("svar 500") << QByteArray();
    QTest::newRow("never answers") << "/stille" << false << QStringLiteral("Serveren svarer ikke") << QByteArray();
    QTest::newRow("too large, declared") << "/stor" << false << QStringLiteral("større end 1 MB") << QByteArray();
    QTest::newRow("too large, streamed") << "/stor-uden-laengde" << false << QStringLiteral("større end 1 MB") << QByteArray();
    QTest::newRow("just the limit") << "/netop" << true << QString() << QByteArray(1024 * 1024, 'x');
}

void TestFetcher::fetchesWithinLimits()
{
    QFETCH(QString, path);
    QFETCH(bool, ok);
    QFETCH(QString, error);
    QFETCH(QByteArray, body);

    m_server->redirect(QStringLiteral("/r1"), QStringLiteral("/r2"));
    m_server->redirect(QStringLiteral("/r2"), QStringLiteral("/side"));
    for (int i = 0; i < 6; ++i)
        m_server->redirect(QStringLiteral("/k%1").arg(i), i == 5 ? QStringLiteral("/side") : QStringLiteral("/k%1").arg(i + 1));
    m_server->redirect(QStringLiteral("/loop-a"), QStringLiteral("/loop-b"));
    m_server->redirect(QStringLiteral("/loop-b"), QStringLiteral("/loop-a"));
    m_server->redirect(QStringLiteral("/abs"), m_server->url(QStringLiteral("/side")).toString());
    m_server->redirect(QStringLiteral("/til-fil"), QStringLiteral("file:///etc/passwd"));
    m_server->stall(QStringLiteral("/stille"));
    m_server->serveLarge(QStringLiteral("/stor"), 3 * 1024 * 1024, true);
    m_server->serveLarge(QStringLiteral("/stor-uden-laengde"), 3 * 1024 * 1024, false);
    m_server->serveLarge(QStringLiteral("/netop"), 1024 * 1024, false);

    const FetchResult result = Fetcher::fetch(m_server->url(path), 1024 * 1024);
    QVERIFY2(result.ok == ok, qPrintable(result.error + u' ' + m_server->requests().join(u',')));
    if (ok) {
        QCOMPARE(result.body, body);
        QVERIFY(result.error.isEmpty());
    } else {
        QVERIFY2(result.error.contains(error), qPrintable(result.error));
        QVERIFY(result.body.isEmpty());
    }
}

void TestFetcher::refusesOtherSchemes_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("file") << "file:///etc/passwd";
    QTest::newRow("javascript") << "javascript:alert(1)";
    QTest::newRow("ftp") << "ftp://127.0.0.1/opskrift.html";
    QTest::newRow("data") << "data:text/html,<p>x</p>";
    QTest::newRow("no host") << "http:///side";
}

void TestFetcher::refusesOtherSchemes()
{
    QFETCH(QString, address);
    const QUrl url(address);
    QString error;
    QVERIFY(!Fetcher::isFetchable(url, &error));
    const FetchResult result = Fetcher::fetch(url, 1024);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QStringLiteral("Kun adresser, der begynder med http:// eller https://, kan hentes."));
    QVERIFY(m_server->requests().isEmpty());
}

void TestFetcher::staysWithinTheLimitWhateverTheServerSays_data()
{
    using Endless = TestHttpServer::Endless;
    QTest::addColumn<int>("endless"); // -1: the route is served whole
    QTest::addColumn<QByteArray>("whole");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QString>("error"); // a part of the message; empty when it is fetched
    QTest::addColumn<QByteArray>("body");

    const QString tooLarge = QStringLiteral("Siden er større end 1 MB og hentes ikke.");
    QTest::newRow("endless, chunked") << int(Endless::Chunked) << QByteArray() << QByteArray() << tooLarge << QByteArray();
    QTest::newRow("endless, until closed") << int(Endless::UntilClose) << QByteArray() << QByteArray() << tooLarge << QByteArray();
    QTest::newRow("endless gzip") << int(Endless::Gzip) << QByteArray() << QByteArray() << tooLarge << QByteArray();
    QTest::newRow("endless deflate") << int(Endless::Deflate) << QByteArray() << QByteArray() << tooLarge << QByteArray();
    QTest::newRow("gzip bomb with its length") << -1 << TestHttpServer::gzip("<html>", 64LL * 1024 * 1024)
                                               << QByteArray("gzip") << tooLarge << QByteArray();
    // The declared length ends the page; what comes after it is no part of it.
    QTest::newRow("more than its length") << int(Endless::PastItsLength) << QByteArray() << QByteArray() << QString()
                                          << QByteArray(1000, 'x');
    QTest::newRow("gzip within the limit") << -1 << TestHttpServer::gzip("<html>Opskrift</html>", 1000) << QByteArray("gzip")
                                           << QString() << QByteArray("<html>Opskrift</html>") + QByteArray(1000, '\0');
    QTest::newRow("damaged gzip") << -1 << QByteArray("<html>ikke pakket</html>") << QByteArray("gzip")
                                  << QStringLiteral("Serveren sendte siden pakket, men den kunne ikke pakkes ud.") << QByteArray();
}

void TestFetcher::staysWithinTheLimitWhateverTheServerSays()
{
    QFETCH(int, endless);
    QFETCH(QByteArray, whole);
    QFETCH(QByteArray, encoding);
    QFETCH(QString, error);
    QFETCH(QByteArray, body);

    Fetcher::stallTimeoutMs = 5000; // a busy machine may pack slowly; only the limit may end it
    if (endless >= 0)
        m_server->serveEndless(QStringLiteral("/side-uden-ende"), TestHttpServer::Endless(endless));
    else
        m_server->serve(QStringLiteral("/side-uden-ende"), whole, "text/html", 200, encoding);
    const FetchResult result = Fetcher::fetch(m_server->url(QStringLiteral("/side-uden-ende")), 1024 * 1024);
    if (error.isEmpty()) {
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.body, body);
    } else {
        QVERIFY(!result.ok);
        QCOMPARE(result.error, error);
        QVERIFY(result.body.isEmpty());
    }
}

void TestFetcher::progressKeepsASlowServerAlive()
{
    // Longer in all than the stall timeout, but a byte arrives well within every timeout.
    Fetcher::stallTimeoutMs = 1000;
    const QByteArray body(15, 'a');
    m_server->trickle(QStringLiteral("/langsom"), body, 100);
    const FetchResult result = Fetcher::fetch(m_server->url(QStringLiteral("/langsom")), 1024);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.body, body);
}

void TestFetcher::overallLimitEndsATricklingPage()
{
    // Never silent long enough to stall, but not done within the whole fetch's time.
    Fetcher::stallTimeoutMs = 5000;
    Fetcher::overallTimeoutMs = 400;
    m_server->trickle(QStringLiteral("/drypper"), QByteArray(1000, 'a'), 20);
    const FetchResult result = Fetcher::fetch(m_server->url(QStringLiteral("/drypper")), 1024);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QStringLiteral("Siden tager mere end 1 sekunder at hente og hentes ikke."));
}

void TestFetcher::abortEndsQuietly()
{
    m_server->stall(QStringLiteral("/stille"));
    Fetcher fetcher;
    QSignalSpy finished(&fetcher, &Fetcher::finished);
    fetcher.start(m_server->url(QStringLiteral("/stille")), 1024);
    QTRY_COMPARE(m_server->requestCount(QStringLiteral("/stille")), 1);
    fetcher.abort();
    QVERIFY(!fetcher.isRunning());
    // The stall timer was stopped with the reply: nothing reports later.
    QVERIFY(!finished.wait(Fetcher::stallTimeoutMs * 2));
}

void TestFetcher::insideAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("inside");

    const QList<std::pair<const char *, bool>> cases = {
        {"127.0.0.1", true}, {"127.255.0.9", true}, {"10.0.0.1", true}, {"172.16.0.1", true},
        {"172.31.255.255", true}, {"192.168.1.1", true}, {"169.254.169.254", true}, {"100.64.0.1", true},
        {"224.0.0.251", true}, {"239.255.255.250", true}, {"0.0.0.0", true}, {"255.255.255.255", true},
        {"::1", true}, {"::", true}, {"fc00::1", true}, {"fd12:3456::1", true}, {"fe80::1", true},
        {"febf::1", true}, {"ff02::1", true}, {"::ffff:127.0.0.1", true}, {"::ffff:192.168.0.10", true},
        {"::ffff:7f00:1", true}, {"::127.0.0.1", true}, {"64:ff9b::10.0.0.1", true},
        {"fe80::1%eth0", true}, {"localhost", true}, {"", true},
        {"8.8.8.8", false}, {"93.184.216.34", false}, {"172.15.255.255", false}, {"172.32.0.1", false},
        {"192.169.0.1", false}, {"100.63.255.255", false}, {"100.128.0.1", false}, {"169.253.0.1", false},
        {"223.255.255.255", false}, {"2a00:1450:4001:82b::2004", false}, {"2001:db8::1", false},
        {"::ffff:8.8.8.8", false}, {"64:ff9b::8.8.8.8", false}, {"fbff::1", false},
    };
    for (const auto &[address, inside] : cases)
        QTest::newRow(*address ? address : "nothing") << QString::fromLatin1(address) << inside;
}

void TestFetcher::insideAddresses()
{
    QFETCH(QString, address);
    QFETCH(bool, inside);
    QCOMPARE(webimport::isInsideAddress(address), inside);
}

void TestFetcher::outsideOnly_refusesThisMachineBeforeAnyRequest_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("error");
    const QString refused = QStringLiteral("Adressen peger på denne computer eller det lokale netværk og hentes ikke.");
    QTest::newRow("number") << "127.0.0.1" << refused;
    QTest::newRow("name") << "localhost" << refused;
    QTest::newRow("short number") << "127.1" << refused;
    QTest::newRow("no such name") << "findes-ikke.invalid" << QStringLiteral("Serveren findes-ikke.invalid kunne ikke findes.");
}

void TestFetcher::outsideOnly_refusesThisMachineBeforeAnyRequest()
{
    QFETCH(QString, host);
    QFETCH(QString, error);
    QUrl url = m_server->url(QStringLiteral("/side"));
    url.setHost(host);
    const FetchResult result = Fetcher::fetch(url, 1024, Fetcher::Reach::OutsideOnly);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, error);
    QCOMPARE(m_server->requests(), QStringList());
}

void TestFetcher::tellsWhetherThePageCameFromInside()
{
    // A page from this machine may take its pictures from here too: it says where it came from,
    // after its redirects.
    m_server->redirect(QStringLiteral("/videre"), QStringLiteral("/side"));
    QUrl url = m_server->url(QStringLiteral("/videre"));
    url.setHost(QStringLiteral("localhost"));
    const FetchResult result = Fetcher::fetch(url, 1024);
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(result.fromInside);
    QCOMPARE(result.url.host(), QStringLiteral("localhost"));
    QCOMPARE(m_server->requests(), (QStringList{QStringLiteral("/videre"), QStringLiteral("/side")}));
}

QTEST_GUILESS_MAIN(TestFetcher)
#include "tst_fetcher.moc"

#include "testhttpserver.h"
#include "webimport/fetcher.h"

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
    void progressKeepsASlowServerAlive();
    void abortEndsQuietly();

private:
    TestHttpServer *m_server = nullptr;
    int m_stallBefore = 0;
};

void TestFetcher::init()
{
    m_stallBefore = Fetcher::stallTimeoutMs;
    Fetcher::stallTimeoutMs = 300;
    m_server = new TestHttpServer(this);
    QVERIFY(m_server->listen());
    m_server->serve(QStringLiteral("/side"), "<html>Opskrift</html>");
    m_server->serve(QStringLiteral("/fejl"), "Intern fejl", "text/plain", 500);
}

void TestFetcher::cleanup()
{
    Fetcher::stallTimeoutMs = m_stallBefore;
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

QTEST_GUILESS_MAIN(TestFetcher)
#include "tst_fetcher.moc"

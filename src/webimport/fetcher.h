#pragma once

#include "webimport/httpclient.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace webimport {

struct FetchResult {
    bool ok = false;
    QByteArray body;
    QString contentType;
    QUrl url;                // where the content was found, after redirects
    bool fromInside = false; // it came from this machine or the local network
    QString error;           // Danish, ready to show, when !ok
};

// Fetches one address over http or https through the system proxy, within limits: at most
// kMaxRedirects redirects (only to http or https), no more than maxBytes (unpacked, whatever
// the server declares), a stall of stallTimeoutMs without progress and overallTimeoutMs in
// all. Each host name is resolved first and the request sent to the address that was
// resolved, so what is checked is what is connected to.
class Fetcher : public QObject {
    Q_OBJECT
public:
    // Where the content may come from: anywhere, or (for what a page from outside names) not
    // from this machine or the local network, neither directly nor by a redirect.
    enum class Reach { Anywhere, OutsideOnly };

    explicit Fetcher(QObject *parent = nullptr);
    ~Fetcher() override;

    static constexpr int kMaxRedirects = 5;
    static int stallTimeoutMs;   // tests make them shorter
    static int overallTimeoutMs;

    // Whether an address may be fetched at all; error says why not.
    static bool isFetchable(const QUrl &url, QString *error);

    void start(const QUrl &url, qint64 maxBytes, Reach reach = Reach::Anywhere);
    void abort();
    bool isRunning() const { return m_lookup || m_exchange; }

    // Waits for the result in a local event loop; for the command-line tool.
    static FetchResult fetch(const QUrl &url, qint64 maxBytes, Reach reach = Reach::Anywhere);

signals:
    void progress(qint64 received, qint64 total);
    void finished(const webimport::FetchResult &result);

private:
    void resolve(const QUrl &url);
    void resolved(const QUrl &url, const QStringList &addresses);
    void connectNext(const QUrl &url);
    void get(const QUrl &url, const QString &address);
    void onHeaders();
    void onReadyRead();
    void onFinished();
    void followRedirect();
    void fail(const QString &error);
    void failLater(const QString &error);

    std::unique_ptr<HttpClient> m_client;     // made on the first start
    std::unique_ptr<HostLookup> m_lookup;     // the name being resolved; goes before the client
    std::unique_ptr<HttpExchange> m_exchange; // the request on its way; goes before the client
    QTimer m_stall;
    QTimer m_overall;
    QByteArray m_body;
    qint64 m_maxBytes = 0;
    int m_redirects = 0;
    Reach m_reach = Reach::Anywhere;
    QStringList m_untried; // the checked addresses of the name not tried yet
    bool m_inside = false;
};

} // namespace webimport

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
    QUrl url;      // where the content was found, after redirects
    QString error; // Danish, ready to show, when !ok
};

// Fetches one address over http or https through the system proxy, within limits: at most
// kMaxRedirects redirects (only to http or https), no more than maxBytes, and a stall of
// stallTimeoutMs without progress ends it.
class Fetcher : public QObject {
    Q_OBJECT
public:
    explicit Fetcher(QObject *parent = nullptr);
    ~Fetcher() override;

    static constexpr int kMaxRedirects = 5;
    static int stallTimeoutMs; // tests make it shorter

    // Whether an address may be fetched at all; error says why not.
    static bool isFetchable(const QUrl &url, QString *error);

    void start(const QUrl &url, qint64 maxBytes);
    void abort();
    bool isRunning() const { return m_exchange != nullptr; }

    // Waits for the result in a local event loop; for the command-line tool.
    static FetchResult fetch(const QUrl &url, qint64 maxBytes);

signals:
    void progress(qint64 received, qint64 total);
    void finished(const webimport::FetchResult &result);

private:
    void get(const QUrl &url);
    void onHeaders();
    void onReadyRead();
    void onFinished();
    void fail(const QString &error);
    void failLater(const QString &error);

    std::unique_ptr<HttpClient> m_client;     // made on the first start
    std::unique_ptr<HttpExchange> m_exchange; // the request on its way; goes before the client
    QTimer m_stall;
    QByteArray m_body;
    qint64 m_maxBytes = 0;
    int m_redirects = 0;
};

} // namespace webimport

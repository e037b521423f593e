#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

namespace webimport {

// One GET request on its way. Deleting it aborts it and no event comes after that; an event's
// handler may delete it.
class HttpExchange {
public:
    struct Events {
        std::function<void()> headers;  // the status and the headers are known
        std::function<void()> data;     // more of the body can be read
        std::function<void(qint64 received, qint64 total)> progress;
        std::function<void()> finished; // the whole answer is in, or the request failed
    };

    virtual ~HttpExchange() = default;

    virtual QUrl url() const = 0;
    virtual int status() const = 0;  // 0 when no answer came
    virtual bool failed() const = 0; // the request failed on the way, not by its status
    virtual bool undecodable() const = 0; // failed as its compressed body could not be unpacked
    virtual bool hasRawHeader(const QByteArray &name) const = 0;
    virtual QByteArray rawHeader(const QByteArray &name) const = 0;
    virtual qint64 contentLength() const = 0; // -1 when the server didn't say
    virtual QString contentType() const = 0;
    // Reads at most maxSize bytes of the (unpacked) body; what is not read yet stays with the
    // server, as the exchange buffers only a little ahead. -1 when nothing can be read.
    virtual qint64 read(char *data, qint64 maxSize) = 0;
};

// A host name being resolved. Deleting it stops it and its answer never comes.
class HostLookup {
public:
    virtual ~HostLookup() = default;
};

// Sends requests through the system's proxy; redirects are left to the caller.
class HttpClient {
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    // The numeric addresses a name has; empty when it has none.
    using Resolved = std::function<void(const QStringList &addresses)>;

    virtual ~HttpClient() = default;
    // With an address, the request goes to exactly that address (numeric, as lookup gives it),
    // never to what the name may resolve to by then; the name still goes in the request and
    // is what a certificate is checked against.
    virtual std::unique_ptr<HttpExchange> get(const QUrl &url, const Headers &headers,
                                              HttpExchange::Events events, const QString &address = {}) = 0;
    virtual std::unique_ptr<HostLookup> lookup(const QString &host, Resolved resolved) = 0;
};

// The network module's client, opened on the first fetch; null, with a Danish error, when the
// module can't be opened.
std::unique_ptr<HttpClient> newHttpClient(QString *error);

} // namespace webimport

// The network module's one entry. QtNetwork and what it brings along (Kerberos, proxy discovery)
// live in the module so that they are opened when the first page is fetched, not at every start.
extern "C" webimport::HttpClient *retterum_http_client_new();

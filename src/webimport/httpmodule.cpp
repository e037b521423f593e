// The network module: built as a library of its own and opened on the first fetch.
#include "webimport/httpclient.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

#include <memory>

namespace webimport {

namespace {

// Little is buffered ahead of what the fetcher reads, so a page that never ends can't fill the
// memory between the network thread and the fetcher, and a packed piece (which Qt unpacks at
// once to count it) can't hold more than some 32 MB of work.
constexpr qint64 kReadAhead = 32 * 1024;

class QtExchange final : public HttpExchange {
public:
    QtExchange(QNetworkReply *reply, const QUrl &url, Events events)
        : m_reply(reply)
        , m_url(url)
        , m_events(std::move(events))
    {
        reply->setReadBufferSize(kReadAhead);
        QObject::connect(reply, &QNetworkReply::metaDataChanged, &m_context, [this] { fire(m_events.headers); });
        QObject::connect(reply, &QIODevice::readyRead, &m_context, [this] { fire(m_events.data); });
        QObject::connect(reply, &QNetworkReply::downloadProgress, &m_context,
                         [this](qint64 received, qint64 total) { fire(m_events.progress, received, total); });
        QObject::connect(reply, &QNetworkReply::finished, &m_context, [this] { fire(m_events.finished); });
    }

    ~QtExchange() override
    {
        if (!m_reply)
            return;
        // Disconnected first: aborting may report the reply finished at once.
        QObject::disconnect(m_reply, nullptr, &m_context, nullptr);
        m_reply->abort();
        m_reply->deleteLater();
    }

    QUrl url() const override { return m_url; }
    int status() const override { return m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); }
    bool failed() const override { return m_reply->error() != QNetworkReply::NoError; }
    bool undecodable() const override { return m_reply->error() == QNetworkReply::UnknownContentError; }
    bool hasRawHeader(const QByteArray &name) const override { return m_reply->hasRawHeader(name); }
    QByteArray rawHeader(const QByteArray &name) const override { return m_reply->rawHeader(name); }
    QString contentType() const override { return m_reply->header(QNetworkRequest::ContentTypeHeader).toString(); }
    qint64 read(char *data, qint64 maxSize) override { return m_reply->read(data, maxSize); }

    qint64 contentLength() const override
    {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        return length.isValid() ? length.toLongLong() : -1;
    }

private:
    // A handler may delete this exchange: it runs from a copy, and nothing of it is touched after.
    template <typename... Args>
    static void fire(const std::function<void(Args...)> &event, Args... args)
    {
        const std::function<void(Args...)> handler = event;
        if (handler)
            handler(args...);
    }

    QPointer<QNetworkReply> m_reply; // the manager deletes its replies when it goes
    QUrl m_url;                      // as asked for, with its name, also when sent to an address
    Events m_events;
    QObject m_context;
};

class QtLookup final : public HostLookup {
public:
    QtLookup(const QString &host, HttpClient::Resolved resolved, QObject *owner)
        : m_state(std::make_shared<State>())
        , m_context(new QObject(owner))
    {
        m_state->resolved = std::move(resolved);
        // Only the shared state is touched from the answer: it may come after this lookup went.
        m_state->id = QHostInfo::lookupHost(host, m_context, [state = m_state](const QHostInfo &info) {
            if (state->done)
                return;
            state->done = true;
            QStringList addresses;
            for (const QHostAddress &address : info.addresses())
                addresses << address.toString();
            const HttpClient::Resolved handler = state->resolved; // it may delete the lookup
            handler(addresses);
        });
    }

    ~QtLookup() override
    {
        if (!m_state->done)
            QHostInfo::abortHostLookup(m_state->id);
        m_state->done = true;
        if (m_context)
            m_context->deleteLater(); // not at once: the answer may be on its way to it right now
    }

private:
    struct State {
        HttpClient::Resolved resolved;
        int id = -1;
        bool done = false;
    };
    std::shared_ptr<State> m_state;
    QPointer<QObject> m_context; // the owner (the client's manager) deletes it at the latest
};

class QtClient final : public HttpClient {
public:
    QtClient() { QNetworkProxyFactory::setUseSystemConfiguration(true); }

    std::unique_ptr<HttpExchange> get(const QUrl &url, const Headers &headers, HttpExchange::Events events,
                                      const QString &address) override
    {
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        // The fetcher counts the unpacked bytes against its own limit, as it reads them.
        request.setDecompressedSafetyCheckThreshold(-1);
        for (const auto &header : headers)
            request.setRawHeader(header.first, header.second);
        if (!address.isEmpty()) {
            QUrl to = url;
            to.setHost(address);
            request.setUrl(to);
            request.setRawHeader("Host", url.authority(QUrl::FullyEncoded | QUrl::RemoveUserInfo).toLatin1());
            request.setPeerVerifyName(url.host(QUrl::FullyEncoded));
            // HTTP/2 would name the address to the server instead of the Host header.
            request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
        }
        return std::make_unique<QtExchange>(m_manager.get(request), url, std::move(events));
    }

    std::unique_ptr<HostLookup> lookup(const QString &host, Resolved resolved) override
    {
        return std::make_unique<QtLookup>(host, std::move(resolved), &m_manager);
    }

private:
    QNetworkAccessManager m_manager;
};

} // namespace

} // namespace webimport

extern "C" Q_DECL_EXPORT webimport::HttpClient *retterum_http_client_new()
{
    return new webimport::QtClient;
}

// The network module: built as a library of its own and opened on the first fetch.
#include "webimport/httpclient.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace webimport {

namespace {

class QtExchange final : public HttpExchange {
public:
    QtExchange(QNetworkReply *reply, Events events)
        : m_reply(reply)
        , m_events(std::move(events))
    {
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

    QUrl url() const override { return m_reply->url(); }
    int status() const override { return m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); }
    bool failed() const override { return m_reply->error() != QNetworkReply::NoError; }
    bool hasRawHeader(const QByteArray &name) const override { return m_reply->hasRawHeader(name); }
    QByteArray rawHeader(const QByteArray &name) const override { return m_reply->rawHeader(name); }
    QString contentType() const override { return m_reply->header(QNetworkRequest::ContentTypeHeader).toString(); }
    QByteArray readAll() override { return m_reply->readAll(); }

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
    Events m_events;
    QObject m_context;
};

class QtClient final : public HttpClient {
public:
    QtClient() { QNetworkProxyFactory::setUseSystemConfiguration(true); }

    std::unique_ptr<HttpExchange> get(const QUrl &url, const Headers &headers, HttpExchange::Events events) override
    {
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        for (const auto &header : headers)
            request.setRawHeader(header.first, header.second);
        return std::make_unique<QtExchange>(m_manager.get(request), std::move(events));
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

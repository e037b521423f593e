#include "webimport/fetcher.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace webimport {

int Fetcher::stallTimeoutMs = 20000;

namespace {

bool isWebScheme(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

bool isRedirect(const QNetworkReply *reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return (status == 301 || status == 302 || status == 303 || status == 307 || status == 308)
        && reply->hasRawHeader("Location");
}

QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("Siden er større end %1 MB og hentes ikke.").arg(maxBytes / 1024 / 1024);
}

} // namespace

Fetcher::Fetcher(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    m_stall.setSingleShot(true);
    connect(&m_stall, &QTimer::timeout, this,
            [this] { fail(QStringLiteral("Serveren svarer ikke. Siden kunne ikke hentes.")); });
}

Fetcher::~Fetcher()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

bool Fetcher::isFetchable(const QUrl &url, QString *error)
{
    if (!url.isValid() || !isWebScheme(url) || url.host().isEmpty()) {
        *error = QStringLiteral("Kun adresser, der begynder med http:// eller https://, kan hentes.");
        return false;
    }
    return true;
}

void Fetcher::start(const QUrl &url, qint64 maxBytes)
{
    abort();
    m_body.clear();
    m_failure.clear();
    m_maxBytes = maxBytes;
    QString error;
    if (!isFetchable(url, &error)) {
        FetchResult result;
        result.error = error;
        QMetaObject::invokeMethod(this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
        return;
    }
    m_redirects = 0;
    get(url);
}

void Fetcher::get(const QUrl &url)
{
    // Redirects are followed here, not by Qt: its user-verified policy sends a request once more
    // for every hop already taken, and the count and the schemes are ours to check.
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) Retterum/1.0"));
    request.setRawHeader("Accept", "text/html,application/xhtml+xml,application/ld+json,application/json,image/*;q=0.9,*/*;q=0.8");
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (!isRedirect(m_reply) && length.isValid() && length.toLongLong() > m_maxBytes)
            fail(tooLarge(m_maxBytes));
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &Fetcher::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        m_stall.start(stallTimeoutMs);
        emit progress(received, total);
    });
    connect(m_reply, &QNetworkReply::finished, this, &Fetcher::onFinished);
    m_stall.start(stallTimeoutMs);
}

void Fetcher::abort()
{
    m_stall.stop();
    if (m_reply) {
        QNetworkReply *reply = m_reply;
        m_reply.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void Fetcher::onReadyRead()
{
    if (!m_reply)
        return;
    if (isRedirect(m_reply)) {
        m_reply->readAll(); // what a redirect says besides its address is not the page
        return;
    }
    m_body += m_reply->readAll();
    if (m_body.size() > m_maxBytes)
        fail(tooLarge(m_maxBytes));
}

void Fetcher::fail(const QString &error)
{
    if (!m_reply)
        return;
    m_failure = error;
    abort();
    FetchResult result;
    result.error = error;
    emit finished(result);
}

void Fetcher::onFinished()
{
    if (!m_reply)
        return;
    m_stall.stop();
    QNetworkReply *reply = m_reply;
    m_reply.clear();
    reply->deleteLater();
    FetchResult result;
    result.url = reply->url();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (isRedirect(reply)) {
        const QUrl to = reply->url().resolved(QUrl::fromEncoded(reply->rawHeader("Location").trimmed()));
        if (!isWebScheme(to) || to.host().isEmpty()) {
            result.error = QStringLiteral("Siden viderestiller til en adresse, der ikke kan hentes.");
        } else if (++m_redirects > kMaxRedirects) {
            result.error = QStringLiteral("Siden viderestiller for mange gange og kunne ikke hentes.");
        } else {
            m_body.clear();
            get(to);
            return;
        }
    } else if (reply->error() != QNetworkReply::NoError || status >= 300) {
        result.error = status > 0 ? QStringLiteral("Siden kunne ikke hentes (svar %1 fra serveren).").arg(status)
                                  : QStringLiteral("Siden kunne ikke hentes. Kontroller adressen og forbindelsen.");
    } else {
        m_body += reply->readAll();
        if (m_body.size() > m_maxBytes) {
            result.error = tooLarge(m_maxBytes);
        } else {
            result.ok = true;
            result.body = m_body;
            result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
        }
    }
    m_body.clear();
    emit finished(result);
}

FetchResult Fetcher::fetch(const QUrl &url, qint64 maxBytes)
{
    Fetcher fetcher;
    FetchResult result;
    QEventLoop loop;
    connect(&fetcher, &Fetcher::finished, &loop, [&](const FetchResult &r) {
        result = r;
        loop.quit();
    });
    fetcher.start(url, maxBytes);
    loop.exec();
    return result;
}

} // namespace webimport

#include "webimport/fetcher.h"

#include <QEventLoop>

namespace webimport {

int Fetcher::stallTimeoutMs = 20000;

namespace {

bool isWebScheme(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

bool isRedirect(const HttpExchange &exchange)
{
    const int status = exchange.status();
    return (status == 301 || status == 302 || status == 303 || status == 307 || status == 308)
        && exchange.hasRawHeader("Location");
}

QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("Siden er større end %1 MB og hentes ikke.").arg(maxBytes / 1024 / 1024);
}

} // namespace

Fetcher::Fetcher(QObject *parent)
    : QObject(parent)
{
    m_stall.setSingleShot(true);
    connect(&m_stall, &QTimer::timeout, this,
            [this] { fail(QStringLiteral("Serveren svarer ikke. Siden kunne ikke hentes.")); });
}

Fetcher::~Fetcher() = default;

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
    m_maxBytes = maxBytes;
    QString error;
    if (!isFetchable(url, &error)) {
        failLater(error);
        return;
    }
    if (!m_client) {
        m_client = newHttpClient(&error);
        if (!m_client) {
            failLater(error);
            return;
        }
    }
    m_redirects = 0;
    get(url);
}

void Fetcher::failLater(const QString &error)
{
    FetchResult result;
    result.error = error;
    QMetaObject::invokeMethod(this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
}

void Fetcher::get(const QUrl &url)
{
    // Redirects are followed here, not by Qt: its user-verified policy sends a request once more
    // for every hop already taken, and the count and the schemes are ours to check.
    const HttpClient::Headers headers{
        {"User-Agent", "Mozilla/5.0 (X11; Linux x86_64) Retterum/1.0"},
        {"Accept", "text/html,application/xhtml+xml,application/ld+json,application/json,image/*;q=0.9,*/*;q=0.8"},
    };
    HttpExchange::Events events;
    events.headers = [this] { onHeaders(); };
    events.data = [this] { onReadyRead(); };
    events.progress = [this](qint64 received, qint64 total) {
        m_stall.start(stallTimeoutMs);
        emit progress(received, total);
    };
    events.finished = [this] { onFinished(); };
    m_exchange = m_client->get(url, headers, std::move(events));
    m_stall.start(stallTimeoutMs);
}

void Fetcher::abort()
{
    m_stall.stop();
    m_exchange.reset();
}

void Fetcher::onHeaders()
{
    if (m_exchange && !isRedirect(*m_exchange) && m_exchange->contentLength() > m_maxBytes)
        fail(tooLarge(m_maxBytes));
}

void Fetcher::onReadyRead()
{
    if (!m_exchange)
        return;
    if (isRedirect(*m_exchange)) {
        m_exchange->readAll(); // what a redirect says besides its address is not the page
        return;
    }
    m_body += m_exchange->readAll();
    if (m_body.size() > m_maxBytes)
        fail(tooLarge(m_maxBytes));
}

void Fetcher::fail(const QString &error)
{
    if (!m_exchange)
        return;
    abort();
    FetchResult result;
    result.error = error;
    emit finished(result);
}

void Fetcher::onFinished()
{
    if (!m_exchange)
        return;
    m_stall.stop();
    const std::unique_ptr<HttpExchange> reply = std::move(m_exchange);
    FetchResult result;
    result.url = reply->url();
    const int status = reply->status();
    if (isRedirect(*reply)) {
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
    } else if (reply->failed() || status >= 300) {
        result.error = status > 0 ? QStringLiteral("Siden kunne ikke hentes (svar %1 fra serveren).").arg(status)
                                  : QStringLiteral("Siden kunne ikke hentes. Kontroller adressen og forbindelsen.");
    } else {
        m_body += reply->readAll();
        if (m_body.size() > m_maxBytes) {
            result.error = tooLarge(m_maxBytes);
        } else {
            result.ok = true;
            result.body = m_body;
            result.contentType = reply->contentType();
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

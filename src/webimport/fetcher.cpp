#include "webimport/fetcher.h"

#include "webimport/insideaddress.h"

#include <QEventLoop>

#include <algorithm>

namespace webimport {

int Fetcher::stallTimeoutMs = 20000;
int Fetcher::overallTimeoutMs = 60000;

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

// Reads what the exchange has, never more than one byte past the limit: a page that unpacks
// to far more than it weighs is never unpacked further than that.
void readInto(HttpExchange &exchange, QByteArray *body, qint64 maxBytes)
{
    constexpr qint64 kPiece = 64 * 1024;
    for (;;) {
        const qint64 piece = std::min(kPiece, maxBytes + 1 - body->size());
        if (piece <= 0)
            return;
        const qsizetype at = body->size();
        body->resize(at + piece);
        const qint64 read = exchange.read(body->data() + at, piece);
        body->resize(at + std::max<qint64>(read, 0));
        if (read <= 0)
            return;
    }
}

} // namespace

Fetcher::Fetcher(QObject *parent)
    : QObject(parent)
{
    m_stall.setSingleShot(true);
    connect(&m_stall, &QTimer::timeout, this,
            [this] { fail(QStringLiteral("Serveren svarer ikke. Siden kunne ikke hentes.")); });
    m_overall.setSingleShot(true);
    connect(&m_overall, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("Siden tager mere end %1 sekunder at hente og hentes ikke.").arg((overallTimeoutMs + 999) / 1000));
    });
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

void Fetcher::start(const QUrl &url, qint64 maxBytes, Reach reach)
{
    abort();
    m_body.clear();
    m_maxBytes = maxBytes;
    m_reach = reach;
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
    m_overall.start(overallTimeoutMs);
    resolve(url);
}

void Fetcher::failLater(const QString &error)
{
    FetchResult result;
    result.error = error;
    QMetaObject::invokeMethod(this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
}

void Fetcher::resolve(const QUrl &url)
{
    m_stall.start(stallTimeoutMs);
    m_lookup = m_client->lookup(url.host(), [this, url](const QStringList &addresses) { resolved(url, addresses); });
}

void Fetcher::resolved(const QUrl &url, const QStringList &addresses)
{
    if (!m_lookup)
        return;
    m_lookup.reset();
    if (addresses.isEmpty()) {
        if (m_reach == Reach::OutsideOnly) {
            fail(QStringLiteral("Serveren %1 kunne ikke findes.").arg(url.host()));
            return;
        }
        // Left to the connection (or a proxy that knows names this machine doesn't).
        m_inside = false;
        m_untried.clear();
        get(url, QString());
        return;
    }
    if (m_reach == Reach::OutsideOnly && std::any_of(addresses.cbegin(), addresses.cend(), isInsideAddress)) {
        fail(m_redirects == 0
                 ? QStringLiteral("Adressen peger på denne computer eller det lokale netværk og hentes ikke.")
                 : QStringLiteral("Adressen viderestiller til denne computer eller det lokale netværk og hentes ikke."));
        return;
    }
    m_untried = addresses;
    connectNext(url);
}

void Fetcher::connectNext(const QUrl &url)
{
    const QString address = m_untried.takeFirst();
    m_inside = isInsideAddress(address);
    // A link-local address with its zone (fe80::1%eth0) has no place in a URL; the name
    // goes instead (only where inside addresses may be fetched at all).
    get(url, address.contains(u'%') ? QString() : address);
}

void Fetcher::get(const QUrl &url, const QString &address)
{
    // Redirects are followed here, not by Qt: its user-verified policy sends a request once more
    // for every hop already taken, and the count, the schemes and the addresses are ours to check.
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
    m_exchange = m_client->get(url, headers, std::move(events), address);
    m_stall.start(stallTimeoutMs);
}

void Fetcher::abort()
{
    m_untried.clear();
    m_stall.stop();
    m_overall.stop();
    m_lookup.reset();
    m_exchange.reset();
}

void Fetcher::onHeaders()
{
    if (!m_exchange)
        return;
    if (isRedirect(*m_exchange))
        followRedirect(); // what a redirect says besides its address is not the page
    else if (m_exchange->contentLength() > m_maxBytes)
        fail(tooLarge(m_maxBytes));
}

void Fetcher::onReadyRead()
{
    if (!m_exchange)
        return;
    if (isRedirect(*m_exchange)) {
        followRedirect();
        return;
    }
    readInto(*m_exchange, &m_body, m_maxBytes);
    if (m_body.size() > m_maxBytes)
        fail(tooLarge(m_maxBytes));
}

void Fetcher::followRedirect()
{
    const std::unique_ptr<HttpExchange> reply = std::move(m_exchange);
    const QUrl to = reply->url().resolved(QUrl::fromEncoded(reply->rawHeader("Location").trimmed()));
    if (!isWebScheme(to) || to.host().isEmpty()) {
        fail(QStringLiteral("Siden viderestiller til en adresse, der ikke kan hentes."));
    } else if (++m_redirects > kMaxRedirects) {
        fail(QStringLiteral("Siden viderestiller for mange gange og kunne ikke hentes."));
    } else {
        m_body.clear();
        resolve(to);
    }
}

void Fetcher::fail(const QString &error)
{
    if (!isRunning() && !m_overall.isActive()) // between two requests only the overall timer runs
        return;
    abort();
    m_body.clear();
    FetchResult result;
    result.error = error;
    emit finished(result);
}

void Fetcher::onFinished()
{
    if (!m_exchange)
        return;
    if (isRedirect(*m_exchange)) {
        followRedirect();
        return;
    }
    if (m_exchange->failed() && m_exchange->status() == 0 && !m_untried.isEmpty()) {
        // No answer from this address: the next one of the name, as a browser would try it.
        const QUrl url = m_exchange->url();
        m_exchange.reset();
        connectNext(url);
        return;
    }
    m_stall.stop();
    m_overall.stop();
    const std::unique_ptr<HttpExchange> reply = std::move(m_exchange);
    FetchResult result;
    result.url = reply->url();
    result.fromInside = m_inside;
    const int status = reply->status();
    if (status >= 300) {
        result.error = QStringLiteral("Siden kunne ikke hentes (svar %1 fra serveren).").arg(status);
    } else if (reply->failed() && reply->undecodable()) {
        result.error = QStringLiteral("Serveren sendte siden pakket, men den kunne ikke pakkes ud.");
    } else if (reply->failed()) {
        result.error = status > 0 ? QStringLiteral("Forbindelsen til serveren blev afbrudt, før siden var hentet.")
                                  : QStringLiteral("Siden kunne ikke hentes. Kontroller adressen og forbindelsen.");
    } else {
        readInto(*reply, &m_body, m_maxBytes);
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

FetchResult Fetcher::fetch(const QUrl &url, qint64 maxBytes, Reach reach)
{
    Fetcher fetcher;
    FetchResult result;
    QEventLoop loop;
    connect(&fetcher, &Fetcher::finished, &loop, [&](const FetchResult &r) {
        result = r;
        loop.quit();
    });
    fetcher.start(url, maxBytes, reach);
    loop.exec();
    return result;
}

} // namespace webimport

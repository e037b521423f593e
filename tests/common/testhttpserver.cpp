#include "testhttpserver.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <zlib.h>

#include <functional>
#include <memory>

TestHttpServer::TestHttpServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::onNewConnection);
}

bool TestHttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl TestHttpServer::url(const QString &path) const
{
    QUrl u;
    u.setScheme(QStringLiteral("http"));
    u.setHost(QStringLiteral("127.0.0.1"));
    u.setPort(m_server.serverPort());
    const int query = path.indexOf(u'?');
    u.setPath(query < 0 ? path : path.left(query));
    if (query >= 0)
        u.setQuery(path.mid(query + 1));
    return u;
}

void TestHttpServer::serve(const QString &path, const QByteArray &body,
                           const QByteArray &contentType, int status, const QByteArray &contentEncoding)
{
    Route r;
    r.body = body;
    r.contentType = contentType;
    r.status = status;
    r.contentEncoding = contentEncoding;
    m_routes.insert(path, r);
}

void TestHttpServer::serveEndless(const QString &path, Endless kind)
{
    Route r;
    r.kind = Kind::Endless;
    r.endless = kind;
    r.contentType = "text/html; charset=utf-8";
    m_routes.insert(path, r);
}

namespace {

// Packs zeros (after a start) into a deflate stream as they are asked for.
class ZeroPacker {
public:
    explicit ZeroPacker(int windowBits)
    {
        m_stream = std::make_unique<z_stream>();
        deflateInit2(m_stream.get(), 9, Z_DEFLATED, windowBits, 9, Z_DEFAULT_STRATEGY);
    }
    ~ZeroPacker() { deflateEnd(m_stream.get()); }
    ZeroPacker(const ZeroPacker &) = delete;
    ZeroPacker &operator=(const ZeroPacker &) = delete;

    // in, packed and flushed so that the client can unpack it at once; finish ends the stream.
    QByteArray pack(const QByteArray &in, bool finish = false)
    {
        QByteArray out;
        m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
        m_stream->avail_in = uInt(in.size());
        char buffer[16384];
        do {
            m_stream->next_out = reinterpret_cast<Bytef *>(buffer);
            m_stream->avail_out = sizeof buffer;
            deflate(m_stream.get(), finish ? Z_FINISH : Z_SYNC_FLUSH);
            out.append(buffer, qsizetype(sizeof buffer - m_stream->avail_out));
        } while (m_stream->avail_out == 0);
        return out;
    }

private:
    std::unique_ptr<z_stream> m_stream;
};

const QByteArray &megabyteOfZeros()
{
    static const QByteArray zeros(1024 * 1024, '\0');
    return zeros;
}

} // namespace

QByteArray TestHttpServer::gzip(const QByteArray &body, qint64 zeros)
{
    ZeroPacker packer(31);
    QByteArray out = packer.pack(body);
    for (; zeros > 0; zeros -= megabyteOfZeros().size())
        out += packer.pack(megabyteOfZeros().left(qsizetype(qMin<qint64>(zeros, megabyteOfZeros().size()))));
    return out + packer.pack(QByteArray(), true);
}

void TestHttpServer::redirect(const QString &from, const QString &to)
{
    Route r;
    r.kind = Kind::Redirect;
    r.location = to;
    m_routes.insert(from, r);
}

void TestHttpServer::stall(const QString &path)
{
    Route r;
    r.kind = Kind::Stall;
    m_routes.insert(path, r);
}

void TestHttpServer::serveLarge(const QString &path, qint64 size, bool declareLength,
                                const QByteArray &contentType)
{
    Route r;
    r.kind = Kind::Large;
    r.size = size;
    r.declareLength = declareLength;
    r.contentType = contentType;
    m_routes.insert(path, r);
}

void TestHttpServer::trickle(const QString &path, const QByteArray &body, int intervalMs,
                             const QByteArray &contentType)
{
    Route r;
    r.kind = Kind::Trickle;
    r.body = body;
    r.intervalMs = intervalMs;
    r.contentType = contentType;
    m_routes.insert(path, r);
}

int TestHttpServer::requestCount(const QString &path) const
{
    int n = 0;
    for (const QString &r : m_requests) {
        if (r == path || r.startsWith(path + u'?'))
            ++n;
    }
    return n;
}

void TestHttpServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    }
}

void TestHttpServer::onReadyRead(QTcpSocket *socket)
{
    // Requests may follow each other on one connection; a partial one waits on the socket.
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    int end;
    while (!socket->property("busy").toBool() && (end = pending.indexOf("\r\n\r\n")) >= 0) {
        const QByteArray request = pending.left(end);
        pending.remove(0, end + 4);
        const QByteArray firstLine = request.left(request.indexOf("\r\n"));
        const QList<QByteArray> parts = firstLine.split(' ');
        const QString target = parts.size() >= 2 ? QString::fromLatin1(parts.at(1)) : QString();
        m_requests.append(target);
        answer(socket, target);
    }
    socket->setProperty("pending", pending);
}

QByteArray TestHttpServer::head(int status, const QByteArray &contentType, qint64 length,
                                const QByteArray &extra)
{
    QByteArray h = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n";
    if (!contentType.isEmpty())
        h += "Content-Type: " + contentType + "\r\n";
    if (length >= 0)
        h += "Content-Length: " + QByteArray::number(length) + "\r\n";
    // Without a length (and unless chunked) the end of the body is the end of the connection.
    const bool chunked = extra.contains("Transfer-Encoding: chunked");
    return h + extra + (length < 0 && !chunked ? "Connection: close\r\n\r\n" : "\r\n");
}

void TestHttpServer::answer(QTcpSocket *socket, const QString &target)
{
    auto it = m_routes.constFind(target);
    if (it == m_routes.cend())
        it = m_routes.constFind(target.section(u'?', 0, 0));
    if (it == m_routes.cend()) {
        const QByteArray body = "Not found";
        socket->write(head(404, "text/plain", body.size()) + body);
        return;
    }
    const Route &r = *it;
    switch (r.kind) {
    case Kind::Body:
        socket->write(head(r.status, r.contentType, r.body.size(),
                           r.contentEncoding.isEmpty() ? QByteArray() : "Content-Encoding: " + r.contentEncoding + "\r\n")
                      + r.body);
        break;
    case Kind::Redirect: {
        const QByteArray to = r.location.toUtf8();
        const QByteArray body = "Moved";
        socket->write(head(302, "text/plain", body.size(), "Location: " + to + "\r\n") + body);
        break;
    }
    case Kind::Stall:
        socket->setProperty("busy", true);
        break;
    case Kind::Large:
        socket->setProperty("busy", true);
        socket->write(head(200, r.contentType, r.declareLength ? r.size : -1));
        writeLarge(socket, r.size);
        break;
    case Kind::Trickle:
        socket->setProperty("busy", true);
        socket->write(head(200, r.contentType, r.body.size()));
        writeTrickle(socket, r.body, r.intervalMs);
        break;
    case Kind::Endless:
        socket->setProperty("busy", true);
        writeEndless(socket, r.endless);
        break;
    }
}

void TestHttpServer::writeLarge(QTcpSocket *socket, qint64 size)
{
    // Written as the socket drains, so a client that stops reading early is never sent it all.
    const QByteArray chunk(64 * 1024, 'x');
    auto left = std::make_shared<qint64>(size);
    auto more = [socket, chunk, left] {
        if (*left <= 0 || socket->bytesToWrite() > 4 * chunk.size())
            return;
        const qint64 n = qMin<qint64>(*left, chunk.size());
        *left -= n;
        socket->write(chunk.constData(), n);
        if (*left <= 0)
            socket->disconnectFromHost();
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}

void TestHttpServer::writeTrickle(QTcpSocket *socket, const QByteArray &body, int intervalMs)
{
    auto *timer = new QTimer(socket);
    auto at = std::make_shared<int>(0);
    connect(timer, &QTimer::timeout, socket, [socket, timer, body, at] {
        if (*at >= body.size()) {
            timer->stop();
            socket->disconnectFromHost();
            return;
        }
        socket->write(body.constData() + *at, 1);
        ++*at;
    });
    timer->start(intervalMs);
}

void TestHttpServer::writeEndless(QTcpSocket *socket, Endless kind)
{
    const bool chunked = kind == Endless::Chunked || kind == Endless::Gzip || kind == Endless::Deflate;
    QByteArray extra = chunked ? "Transfer-Encoding: chunked\r\n" : "";
    if (kind == Endless::Gzip || kind == Endless::Deflate)
        extra += kind == Endless::Gzip ? "Content-Encoding: gzip\r\n" : "Content-Encoding: deflate\r\n";
    socket->write(head(200, "text/html; charset=utf-8", kind == Endless::PastItsLength ? 1000 : -1, extra));

    std::function<QByteArray()> next;
    if (kind == Endless::Gzip || kind == Endless::Deflate) {
        auto packer = std::make_shared<ZeroPacker>(kind == Endless::Gzip ? 31 : 15);
        auto first = std::make_shared<bool>(true);
        next = [packer, first] {
            return packer->pack(std::exchange(*first, false) ? QByteArray("<html>") : megabyteOfZeros());
        };
    } else {
        next = [] { return QByteArray(64 * 1024, 'x'); };
    }
    // Written as the socket drains, so that the client sets the pace.
    auto more = [socket, next, chunked] {
        if (socket->bytesToWrite() > 256 * 1024)
            return;
        const QByteArray piece = next();
        socket->write(chunked ? QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n" : piece);
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}

#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for tests that fetch: each path answers as it was told
// (a body, a redirect, nothing at all, a large or slow body); unknown paths get 404. A
// connection stays open for further requests, as browsers' servers keep it.
class TestHttpServer : public QObject {
    Q_OBJECT
public:
    explicit TestHttpServer(QObject *parent = nullptr);

    // Binds to a free port on 127.0.0.1.
    bool listen();
    QUrl url(const QString &path) const;

    // The body goes as it stands; a content encoding is only named (see gzip()).
    void serve(const QString &path, const QByteArray &body,
               const QByteArray &contentType = "text/html; charset=utf-8", int status = 200,
               const QByteArray &contentEncoding = QByteArray());
    // 302 to `to`, a path on this server or a whole address.
    void redirect(const QString &from, const QString &to);
    // Accepts the connection and the request, and never answers.
    void stall(const QString &path);
    // A body of `size` bytes written as the client takes it, with or without Content-Length.
    void serveLarge(const QString &path, qint64 size, bool declareLength = true,
                    const QByteArray &contentType = "text/html; charset=utf-8");
    // A body that never ends, written as the client takes it: chunked, until the connection
    // closes, after a Content-Length of 1000 that it goes past, or packed (zeros, chunked).
    enum class Endless { Chunked, UntilClose, PastItsLength, Gzip, Deflate };
    void serveEndless(const QString &path, Endless kind);
    // The body one byte at a time, one every `intervalMs`: slow, but never silent for long.
    void trickle(const QString &path, const QByteArray &body, int intervalMs,
                 const QByteArray &contentType = "text/html; charset=utf-8");

    // body and then `zeros` zero bytes as gzip, packed as it goes: a bomb takes little memory.
    static QByteArray gzip(const QByteArray &body, qint64 zeros = 0);

    // The paths asked for, in order (with their query, as sent).
    QStringList requests() const { return m_requests; }
    int requestCount(const QString &path) const;

private:
    enum class Kind { Body, Redirect, Stall, Large, Trickle, Endless };
    struct Route {
        Kind kind = Kind::Body;
        QByteArray body;
        QByteArray contentType;
        int status = 200;
        QString location;
        qint64 size = 0;
        bool declareLength = true;
        int intervalMs = 0;
        QByteArray contentEncoding;
        Endless endless = Endless::Chunked;
    };

    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QString &target);
    void writeLarge(QTcpSocket *socket, qint64 size);
    void writeTrickle(QTcpSocket *socket, const QByteArray &body, int intervalMs);
    void writeEndless(QTcpSocket *socket, Endless kind);
    static QByteArray head(int status, const QByteArray &contentType, qint64 length,
                           const QByteArray &extra = QByteArray());

    QTcpServer m_server;
    QHash<QString, Route> m_routes;
    QStringList m_requests;
};

#ifndef LOOPBACKHTTPSERVER_H
#define LOOPBACKHTTPSERVER_H

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

// A small HTTP/1.1 server on the loopback interface for the tests of the
// online services: it records every request whole (request line, headers,
// body) and answers each path with the reply set for it, 404 otherwise.
class LoopbackHttpServer : public QTcpServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };
    struct Reply
    {
        int status = 200;
        QByteArray contentType = "text/plain; charset=utf-8";
        QByteArray body;
        // For a redirect: where to.
        QByteArray location = QByteArray();
        // Sends no length: the body ends when the connection does.
        bool withoutLength = false;
        // Never answers, holding the connection open.
        bool stall = false;
    };

    QHash<QByteArray, Reply> replies;
    QList<Request> requests;
    int connections = 0;

    bool listenOnLoopback() { return listen(QHostAddress::LocalHost); }

    QByteArray baseUrl() const
    {
        return QByteArray("http://127.0.0.1:") + QByteArray::number(serverPort());
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        ++connections;
        auto *socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        auto *buffer = new QByteArray;
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            handle(socket, *buffer);
        });
        connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
            delete buffer;
            socket->deleteLater();
        });
    }

private:
    // Answers once the request, body included, has arrived.
    void handle(QTcpSocket *socket, QByteArray &buffer)
    {
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        request.method = requestLine.value(0);
        request.path = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const int colon = lines.at(i).indexOf(':');
            if (colon > 0)
                request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                       lines.at(i).mid(colon + 1).trimmed());
        }
        const int length = request.headers.value("content-length", "0").toInt();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        request.body = buffer.mid(headerEnd + 4, length);
        buffer.clear();
        requests.append(request);

        const Reply reply = replies.value(request.path, Reply{404, "text/plain", "not here"});
        if (reply.stall)
            return;
        const QByteArray reason = reply.status == 200 ? " OK" : reply.status / 100 == 3 ? " Found" : " Not Found";
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + reason + "\r\nContent-Type: "
                          + reply.contentType;
        if (!reply.location.isEmpty())
            head += "\r\nLocation: " + reply.location;
        if (!reply.withoutLength)
            head += "\r\nContent-Length: " + QByteArray::number(reply.body.size());
        socket->write(head + "\r\nConnection: close\r\n\r\n" + reply.body);
        socket->disconnectFromHost();
    }
};

#endif // LOOPBACKHTTPSERVER_H

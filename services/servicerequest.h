#ifndef SERVICEREQUEST_H
#define SERVICEREQUEST_H

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QTimer;

// One GET to the product's server, held to what the program can afford from
// a server it cannot vouch for: a redirect is followed only to the host the
// request was sent to, the answer is cut off past a size limit, and the
// request is given up after a time limit (and after that long without a
// byte), so that no answer can freeze the window or exhaust its memory.
// Reports once through finished() and then deletes itself.
class ServiceRequest : public QObject
{
    Q_OBJECT

public:
    // The limits of the program's two documents.
    static constexpr qint64 jsonLimit = 1024 * 1024;
    static constexpr qint64 pageLimit = 4 * 1024 * 1024;

    // Sends the GET on network; the answer may hold at most maxBytes.
    static ServiceRequest *get(QNetworkAccessManager *network, const QNetworkRequest &request, qint64 maxBytes);

    // The time limit of every request, 15 s unless set (tests shorten it).
    static int timeoutMs();
    static void setTimeoutMs(int milliseconds);

    // Whether url is on the same host (scheme, host and port) as origin.
    static bool isSameHost(const QUrl &url, const QUrl &origin);

signals:
    // ok: the whole answer is in body; otherwise error says why.
    void finished(bool ok, const QByteArray &body, const QString &error);

private:
    ServiceRequest(QNetworkReply *reply, qint64 maxBytes);
    void onRedirected(const QUrl &url);
    void onMetaDataChanged();
    void onReadyRead();
    void onFinished();
    // Stops the transfer for the given reason; finished() follows.
    void abandon(const QString &why);

    QNetworkReply *m_reply;
    QUrl m_origin;
    qint64 m_maxBytes;
    QByteArray m_body;
    QString m_abandoned;
    QTimer *m_deadline;
};

#endif // SERVICEREQUEST_H

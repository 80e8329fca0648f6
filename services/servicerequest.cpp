#include "servicerequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

int requestTimeout = 15000;

} // namespace

int ServiceRequest::timeoutMs()
{
    return requestTimeout;
}

void ServiceRequest::setTimeoutMs(int milliseconds)
{
    requestTimeout = milliseconds;
}

bool ServiceRequest::isSameHost(const QUrl &url, const QUrl &origin)
{
    return url.scheme().compare(origin.scheme(), Qt::CaseInsensitive) == 0
           && url.host().compare(origin.host(), Qt::CaseInsensitive) == 0
           && url.port(url.scheme() == QLatin1String("https") ? 443 : 80)
                  == origin.port(origin.scheme() == QLatin1String("https") ? 443 : 80);
}

ServiceRequest *ServiceRequest::get(QNetworkAccessManager *network, const QNetworkRequest &request, qint64 maxBytes)
{
    QNetworkRequest limited(request);
    // Every redirect is looked at before it is followed.
    limited.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    // A server that stops sending is given up as soon as one that is slow.
    limited.setTransferTimeout(requestTimeout);
    return new ServiceRequest(network->get(limited), maxBytes);
}

ServiceRequest::ServiceRequest(QNetworkReply *reply, qint64 maxBytes)
    : QObject(reply->manager())
    , m_reply(reply)
    , m_origin(reply->request().url())
    , m_maxBytes(maxBytes)
    , m_deadline(new QTimer(this))
{
    connect(reply, &QNetworkReply::redirected, this, &ServiceRequest::onRedirected);
    connect(reply, &QNetworkReply::metaDataChanged, this, &ServiceRequest::onMetaDataChanged);
    connect(reply, &QNetworkReply::readyRead, this, &ServiceRequest::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, &ServiceRequest::onFinished);
    // A server that sends a byte now and then never trips the transfer
    // timeout: the whole answer has a deadline too.
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] { abandon(tr("服务器响应超时")); });
    m_deadline->start(requestTimeout);
}

void ServiceRequest::abandon(const QString &why)
{
    if (m_abandoned.isEmpty())
        m_abandoned = why;
    m_reply->abort();
}

void ServiceRequest::onRedirected(const QUrl &url)
{
    if (isSameHost(url, m_origin))
        emit m_reply->redirectAllowed();
    else
        abandon(tr("服务器转到了其他主机：%1").arg(url.host()));
}

void ServiceRequest::onMetaDataChanged()
{
    bool known = false;
    const qint64 length = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && length > m_maxBytes)
        abandon(tr("服务器的回答过大（%1 字节）").arg(length));
}

void ServiceRequest::onReadyRead()
{
    if (!m_abandoned.isEmpty())
        return;
    m_body += m_reply->read(m_maxBytes + 1 - m_body.size());
    if (m_body.size() > m_maxBytes)
        abandon(tr("服务器的回答超过 %1 字节").arg(m_maxBytes));
}

void ServiceRequest::onFinished()
{
    m_deadline->stop();
    onReadyRead();
    QString error = m_abandoned;
    if (error.isEmpty() && m_reply->error() != QNetworkReply::NoError)
        error = m_reply->errorString();
    // The answer of another host never counts, whatever path it took.
    if (error.isEmpty() && !isSameHost(m_reply->url(), m_origin))
        error = tr("服务器转到了其他主机：%1").arg(m_reply->url().host());
    m_reply->deleteLater();
    emit finished(error.isEmpty(), error.isEmpty() ? m_body : QByteArray(), error);
    deleteLater();
}

#include "updatemanager.h"

#include "serviceendpoints.h"
#include "servicerequest.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <QWidget>

UpdateManager::UpdateManager(QObject *parent)
    : QObject(parent)
    , endpoints(&ServiceEndpoints::instance())
    , quitHandler([] { QCoreApplication::quit(); })
{
}

UpdateManager::~UpdateManager() = default;

QNetworkAccessManager *UpdateManager::networkAccess()
{
    // Made at the first request: without a configured server the network
    // stack is never loaded.
    if (!network)
        network = new QNetworkAccessManager(this);
    return network;
}

void UpdateManager::setQuitHandler(std::function<void()> handler)
{
    quitHandler = std::move(handler);
}

void UpdateManager::checkForUpdate()
{
    // Without a configured server there is nobody to ask; a request to a bare
    // path would only fail and log an error on every start.
    if (endpoints->apiBaseUrl.isEmpty())
        return;
    QNetworkRequest request(QUrl(endpoints->apiBaseUrl + endpoints->updateCheckPath));
    request.setHeader(QNetworkRequest::ContentTypeHeader, endpoints->formContentType);
    // Held to the configured host, a small answer and a deadline: a forced
    // update is obeyed only from the server the program was built for.
    ServiceRequest *reply = ServiceRequest::get(networkAccess(), request, ServiceRequest::jsonLimit);
    connect(reply, &ServiceRequest::finished, this, &UpdateManager::onReplyFinished);
}

void UpdateManager::onReplyFinished(bool ok, const QByteArray &answer, const QString &error)
{
    if (!ok) {
        qDebug().noquote() << QStringLiteral("Error: ") + error;
        emit dataSubmitted(false, error);
        return;
    }

    const QString body = QString::fromUtf8(answer);
    const QJsonDocument document = QJsonDocument::fromJson(body.toUtf8());
    if (document.isObject()) {
        const QJsonObject object = document.object();
        const QString version = object.value(QLatin1String("version")).toString();
        const bool force = object.value(QLatin1String("force")).toBool(false);
        // Any other version than this one, older ones included, is announced.
        if (version != endpoints->appVersion)
            announceUpdate(force);
    }
    emit dataSubmitted(true, body);
}

void UpdateManager::announceUpdate(bool force)
{
    QWidget *window = qobject_cast<QWidget *>(parent());
    const QString title = tr("更新提示");
    QMessageBox::information(window, title, tr("有新版本可用，请更新！"));

    const QString address = endpoints->siteBaseUrl + endpoints->downloadPagePath;
    const QUrl url(address);
    // A download page without a site address is no page at all; handing "/"
    // to the desktop would open the file manager on the root folder.
    const bool opened = !url.isRelative() && url.isValid() && QDesktopServices::openUrl(url);
    if (!opened) {
        QMessageBox::information(window, title,
                                 tr("无法打开下载链接，请到官网下载：%1！").arg(address));
    }

    if (force && quitHandler)
        quitHandler();
}

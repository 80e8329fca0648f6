#include "statisticsmanager.h"

#include "filelocations.h"
#include "serviceendpoints.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QUrl>
#include <QUuid>

StatisticsManager::StatisticsManager(QObject *parent)
    : QObject(parent)
    , endpoints(&ServiceEndpoints::instance())
{
}

StatisticsManager::~StatisticsManager() = default;

QNetworkAccessManager *StatisticsManager::networkAccess()
{
    // Made at the first request: without a configured server the network
    // stack is never loaded.
    if (!network) {
        network = new QNetworkAccessManager(this);
        connect(network, &QNetworkAccessManager::finished, this, &StatisticsManager::onReplyFinished);
    }
    return network;
}

QString StatisticsManager::deviceIdentifier(const QString &settingsPath)
{
    QSettings settings(settingsPath, QSettings::IniFormat);
    const QString key = QStringLiteral("device_id");
    QString id = settings.value(key).toString();
    if (id.isEmpty()) {
        id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        // When the file cannot be written the identifier still serves this
        // report; the next one makes a new identifier.
        settings.setValue(key, id);
    }
    return id;
}

void StatisticsManager::submitStatistics()
{
    if (endpoints->apiBaseUrl.isEmpty())
        return;

    deviceId = deviceIdentifier(FileLocations::forApplication().filePath(
        QStringLiteral("manager.ini"), FileLocations::Kind::Config));
    startTime = QDateTime::currentDateTime();

    QNetworkRequest request(QUrl(endpoints->apiBaseUrl + QLatin1Char('/') + endpoints->statisticsPath));
    request.setHeader(QNetworkRequest::ContentTypeHeader, endpoints->formContentType);
    // The server reads the values as they are: the start time keeps its space.
    const QString body = QStringLiteral("device_id=%1&start_time=%2&version=%3")
                             .arg(deviceId, startTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                  endpoints->appVersion);
    networkAccess()->post(request, body.toUtf8());
}

void StatisticsManager::onReplyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        const QString error = reply->errorString();
        qDebug().noquote() << QStringLiteral("Error: ") + error;
        emit dataSubmitted(false, error);
        return;
    }
    emit dataSubmitted(true, QString::fromUtf8(reply->readAll()));
}

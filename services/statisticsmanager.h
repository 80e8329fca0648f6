#ifndef STATISTICSMANAGER_H
#define STATISTICSMANAGER_H

#include <QDateTime>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
struct ServiceEndpoints;

// Reports one usage record to the product's API server: the device
// identifier kept in "manager.ini", the time of the report and the program
// version. Nothing in the program creates it; nothing is sent while no API
// server is configured.
class StatisticsManager : public QObject
{
    Q_OBJECT

public:
    explicit StatisticsManager(QObject *parent = nullptr);
    ~StatisticsManager() override;

    // Prepares and posts one report.
    void submitStatistics();

    // The identifier stored in the INI file at that path, created and stored
    // there first when there is none yet.
    static QString deviceIdentifier(const QString &settingsPath);

signals:
    void dataSubmitted(bool success, const QString &message);

private:
    void onReplyFinished(QNetworkReply *reply);

    QNetworkAccessManager *networkAccess();

    QNetworkAccessManager *network = nullptr;
    QString deviceId;
    QDateTime startTime;
    const ServiceEndpoints *endpoints;
};

#endif // STATISTICSMANAGER_H

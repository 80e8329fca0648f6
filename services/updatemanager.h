#ifndef UPDATEMANAGER_H
#define UPDATEMANAGER_H

#include <QObject>
#include <QString>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
struct ServiceEndpoints;

// Asks the product's API server once whether another release than this one
// is out, tells the user, offers the download page in the browser and, when
// the server marks the release as mandatory, ends the program.
//
// Nothing is sent while no API server is configured. Boxes are shown over the
// parent when the parent is a widget.
class UpdateManager : public QObject
{
    Q_OBJECT

public:
    explicit UpdateManager(QObject *parent = nullptr);
    ~UpdateManager() override;

    // Sends the one GET of the update document; does nothing without a server.
    void checkForUpdate();

    // What a mandatory update does after the boxes: by default it quits the
    // application. A window with documents hands in a function that closes
    // them first, so that a forced update never throws away unsaved work.
    void setQuitHandler(std::function<void()> handler);

signals:
    void dataSubmitted(bool success, const QString &message);

private:
    void onReplyFinished(bool ok, const QByteArray &answer, const QString &error);
    void announceUpdate(bool force);

    QNetworkAccessManager *networkAccess();

    QNetworkAccessManager *network = nullptr;
    const ServiceEndpoints *endpoints;
    std::function<void()> quitHandler;
};

#endif // UPDATEMANAGER_H

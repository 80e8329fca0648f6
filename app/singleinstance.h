#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// One window per user and display: a second start hands the files it was
// given to the window that is already open, over a local socket in the
// user's runtime folder, and ends. The first start listens on that socket;
// one left behind by a program that was killed is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // name: the socket's name, or a full path to it.
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The socket of this user on this display: in the user's runtime folder,
    // named after the window system and the display.
    static QString defaultName();

    // Gives the files (made absolute) to a running instance and waits until
    // it has them. False when none answers.
    bool handOver(const QStringList &paths, int timeoutMs = 5000) const;

    // Starts answering later starts. A socket nobody answers on is removed
    // first. False when the socket cannot be made.
    bool listen();

    QString serverName() const { return m_name; }

signals:
    // Files a later start handed over; empty when it was started without any.
    void filesReceived(const QStringList &paths);

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket *socket);

    QString m_name;
    QLocalServer *m_server = nullptr;
};

#endif // SINGLEINSTANCE_H

#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

// Tells a hand-over from anything else that might connect.
const quint32 magic = 0x51454c55; // "QELU"
const char acknowledgement = '\1';
// Far more than the longest list of file names a desktop passes.
const qint64 maxMessage = 16 * 1024 * 1024;

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent)
    , m_name(name)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    const QString platform = QGuiApplication::platformName();
    // A display name may hold characters that a file name may not.
    const QByteArray key = QCryptographicHash::hash((platform + QLatin1Char('|') + display).toUtf8(),
                                                    QCryptographicHash::Sha1)
                               .toHex()
                               .left(16);
    const QString name = QStringLiteral("qelun-") + QString::fromLatin1(key);
    // The runtime folder is the user's alone; without one the name alone
    // lets Qt put the socket in its own place for it.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? name : QDir(runtime).absoluteFilePath(name);
}

bool SingleInstance::handOver(const QStringList &paths, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;

    QStringList absolute;
    for (const QString &path : paths)
        absolute.append(QFileInfo(path).absoluteFilePath());
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << magic << absolute;
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // Until the running window has read them the files are not handed over.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == acknowledgement;
}

bool SingleInstance::listen()
{
    if (m_server)
        return true;
    // A socket that answers is another window's, not ours to take (Qt puts a
    // new socket in place by renaming, which would replace it unasked). One
    // that nobody answers on is what a killed program leaves: taken over.
    {
        QLocalSocket probe;
        probe.connectToServer(m_name);
        if (probe.waitForConnected(1000))
            return false;
    }
    QLocalServer::removeServer(m_name);
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_name)) {
        delete server;
        return false;
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void SingleInstance::onReadyRead(QLocalSocket *socket)
{
    // Whatever else connects is sent away at once, not read on and on.
    if (socket->bytesAvailable() >= qint64(sizeof(magic))) {
        QDataStream peek(socket->peek(sizeof(magic)));
        quint32 header = 0;
        peek >> header;
        if (header != magic || socket->bytesAvailable() > maxMessage) {
            socket->abort();
            return;
        }
    }
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_4);
    in.startTransaction();
    quint32 header = 0;
    QStringList paths;
    in >> header >> paths;
    if (!in.commitTransaction()) {
        // Not all there yet, or nothing a later start of the program sent.
        if (in.status() != QDataStream::ReadPastEnd)
            socket->abort();
        return;
    }
    socket->putChar(acknowledgement);
    socket->flush();
    // Opening the files may ask questions in boxes: the other start is not
    // kept waiting for them.
    QMetaObject::invokeMethod(this, [this, paths] { emit filesReceived(paths); }, Qt::QueuedConnection);
}

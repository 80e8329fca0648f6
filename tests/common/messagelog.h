#ifndef MESSAGELOG_H
#define MESSAGELOG_H

#include <QStringList>
#include <QtGlobal>

// Collects the messages that the program writes through Qt's message
// handler while it is alive, and still passes them on.
class MessageLog
{
public:
    MessageLog()
    {
        current = this;
        previous = qInstallMessageHandler(&MessageLog::handle);
    }
    ~MessageLog()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }

    QStringList messages;

    QStringList startingWith(const QString &prefix) const
    {
        QStringList found;
        for (const QString &message : messages) {
            if (message.startsWith(prefix))
                found.append(message);
        }
        return found;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (current)
            current->messages.append(message);
        if (previous)
            previous(type, context, message);
    }

    static inline MessageLog *current = nullptr;
    static inline QtMessageHandler previous = nullptr;
};

#endif // MESSAGELOG_H

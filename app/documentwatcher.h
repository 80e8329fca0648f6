#ifndef DOCUMENTWATCHER_H
#define DOCUMENTWATCHER_H

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>

class QL_Edit;
class QWidget;

// Notices when the file of an open document is changed by someone else (an
// editor, a second copy of the program on another display, a sync tool) and
// asks whether to load it again; and asks before a save overwrites such a
// change. The program's own saves are told apart by the file's content.
class DocumentWatcher : public QObject
{
    Q_OBJECT

public:
    // reload replaces the document with the file as it is now.
    using ReloadHandler = std::function<void(QL_Edit *document)>;

    DocumentWatcher(QWidget *window, ReloadHandler reload);

    // Follows the document from now on, as it stands on disk now.
    void watch(QL_Edit *document);

    // A digest of the file's content; empty when it is no readable file.
    static QByteArray digestOf(const QString &path);

private:
    struct Seen {
        QString path;
        QByteArray digest;
    };

    void remember(QL_Edit *document, const QString &path);
    void forget(QL_Edit *document);
    void onFileChanged(const QString &path);
    void checkPending();
    void check(QL_Edit *document);
    bool confirmOverwrite(QL_Edit *document, const QString &target);
    void updateWatchedPaths();

    QWidget *m_window;
    ReloadHandler m_reload;
    QFileSystemWatcher m_watcher;
    QHash<QL_Edit *, Seen> m_seen;
    QSet<QString> m_pending;
    // A program writing a file sends several notices; they are taken as one.
    QTimer m_settle;
    QSet<QL_Edit *> m_asking;
};

#endif // DOCUMENTWATCHER_H

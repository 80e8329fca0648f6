#include "documentwatcher.h"

#include "ql_edit.h"
#include "regularfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

DocumentWatcher::DocumentWatcher(QWidget *window, ReloadHandler reload)
    : QObject(window)
    , m_window(window)
    , m_reload(std::move(reload))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(150);
    connect(&m_settle, &QTimer::timeout, this, &DocumentWatcher::checkPending);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DocumentWatcher::onFileChanged);
}

QByteArray DocumentWatcher::digestOf(const QString &path)
{
    QFile file(path);
    // A FIFO of that name would never end a read.
    if (path.isEmpty() || !RegularFile::open(file, QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

void DocumentWatcher::watch(QL_Edit *document)
{
    if (m_seen.contains(document))
        return;
    remember(document, document->filePath());
    connect(document, &QL_Edit::fileWritten, this, [this, document](const QString &path) {
        // A copy saved elsewhere leaves the document bound to its own file.
        if (path == document->filePath())
            remember(document, path);
    });
    connect(document, &QObject::destroyed, this, [this, document] { forget(document); });
    document->setOverwriteCheck(
        [this, document](const QString &target) { return confirmOverwrite(document, target); });
}

void DocumentWatcher::remember(QL_Edit *document, const QString &path)
{
    m_seen.insert(document, {path, digestOf(path)});
    updateWatchedPaths();
}

void DocumentWatcher::forget(QL_Edit *document)
{
    m_seen.remove(document);
    m_asking.remove(document);
    updateWatchedPaths();
}

void DocumentWatcher::updateWatchedPaths()
{
    QSet<QString> wanted;
    for (const Seen &seen : std::as_const(m_seen)) {
        if (!seen.path.isEmpty() && QFileInfo::exists(seen.path))
            wanted.insert(seen.path);
    }
    const QStringList watched = m_watcher.files();
    for (const QString &path : watched) {
        if (!wanted.contains(path))
            m_watcher.removePath(path);
    }
    for (const QString &path : std::as_const(wanted)) {
        if (!watched.contains(path))
            m_watcher.addPath(path);
    }
}

void DocumentWatcher::onFileChanged(const QString &path)
{
    m_pending.insert(path);
    m_settle.start();
}

void DocumentWatcher::checkPending()
{
    const QSet<QString> paths = std::exchange(m_pending, {});
    // A file replaced by renaming another over it is no longer watched.
    updateWatchedPaths();
    for (auto it = m_seen.cbegin(); it != m_seen.cend(); ++it) {
        if (paths.contains(it.value().path))
            QMetaObject::invokeMethod(this, [this, document = it.key()] { check(document); },
                                      Qt::QueuedConnection);
    }
}

void DocumentWatcher::check(QL_Edit *document)
{
    const auto it = m_seen.constFind(document);
    if (it == m_seen.cend() || m_asking.contains(document))
        return;
    const QString path = it->path;
    const QByteArray now = digestOf(path);
    // Gone (it may come back: a save by rename) or as the program left it.
    if (now.isEmpty() || now == it->digest)
        return;

    m_asking.insert(document);
    const QString name = QFileInfo(path).fileName();
    const QString text = document->isModified()
                             ? tr("\"%1\"已被其他程序修改，这里还有未保存的更改。\n重新载入将丢弃这些更改。是否重新载入？")
                             : tr("\"%1\"已被其他程序修改。是否重新载入？");
    const auto answer = QMessageBox::question(m_window, tr("提示"), text.arg(name),
                                              QMessageBox::Yes | QMessageBox::No,
                                              document->isModified() ? QMessageBox::No : QMessageBox::Yes);
    // The document may have been closed while the box was open.
    if (!m_seen.contains(document))
        return;
    m_asking.remove(document);
    if (answer == QMessageBox::Yes) {
        m_reload(document);
        return;
    }
    // Kept as it is: the file on disk stays "someone else's", and a save
    // asks before overwriting it.
}

bool DocumentWatcher::confirmOverwrite(QL_Edit *document, const QString &target)
{
    const auto it = m_seen.constFind(document);
    if (it == m_seen.cend() || it->path != target || it->digest.isEmpty())
        return true;
    const QByteArray now = digestOf(target);
    if (now.isEmpty() || now == it->digest)
        return true;
    return QMessageBox::warning(m_window, tr("警告"),
                                tr("\"%1\"在打开之后已被其他程序修改。保存将覆盖这些修改，是否仍然保存？")
                                    .arg(QFileInfo(target).fileName()),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

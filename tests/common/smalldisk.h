#ifndef SMALLDISK_H
#define SMALLDISK_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <unistd.h>

// Places where writing fails as it does for users: a tiny tmpfs that can be
// filled to the last byte, and a read-only folder holding a writable file.
// Both need to mount file systems, so they exist only when the tests run as
// root (as CI does); isValid() is false otherwise and the test skips.
namespace SmallDisk {

inline bool run(const QStringList &arguments)
{
    QProcess process;
    process.start(arguments.first(), arguments.mid(1));
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

// A tmpfs of a few pages mounted on a fresh folder, unmounted when it goes.
class Disk
{
public:
    explicit Disk(int kilobytes = 256)
    {
        if (::geteuid() != 0 || !m_dir.isValid())
            return;
        m_mounted = run({QStringLiteral("mount"), QStringLiteral("-t"), QStringLiteral("tmpfs"),
                         QStringLiteral("-o"), QStringLiteral("size=%1k").arg(kilobytes),
                         QStringLiteral("tmpfs"), m_dir.path()});
    }
    ~Disk()
    {
        if (m_mounted)
            run({QStringLiteral("umount"), QStringLiteral("-l"), m_dir.path()});
    }
    Disk(const Disk &) = delete;
    Disk &operator=(const Disk &) = delete;

    bool isValid() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Writes a filler file until the disk takes no more, leaving keepFree
    // bytes, give or take the file system's rounding, for what follows.
    bool fill(qint64 keepFree = 0)
    {
        QFile filler(filePath(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        const QByteArray byte(1, 'x');
        while (filler.write(byte) == 1) {
        }
        filler.close();
        if (keepFree > 0)
            return filler.resize(qMax<qint64>(0, filler.size() - keepFree));
        return true;
    }

    // Gives back all the space the filler took.
    void empty() { QFile::remove(filePath(QStringLiteral(".filler"))); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// A folder in which nothing can be created, holding one writable file: a
// read-only bind mount of a folder with the file bound writable on top.
class ReadOnlyFolder
{
public:
    ReadOnlyFolder(const QString &fileName, const QByteArray &content)
    {
        if (::geteuid() != 0 || !m_source.isValid() || !m_view.isValid())
            return;
        QFile file(m_source.filePath(fileName));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return;
        file.close();
        m_filePath = m_view.filePath(fileName);
        if (!run({QStringLiteral("mount"), QStringLiteral("--bind"), m_source.path(), m_view.path()}))
            return;
        m_mounts = 1;
        if (!run({QStringLiteral("mount"), QStringLiteral("-o"), QStringLiteral("remount,ro,bind"),
                  m_view.path()}))
            return;
        if (!run({QStringLiteral("mount"), QStringLiteral("--bind"), file.fileName(), m_filePath}))
            return;
        m_mounts = 2;
    }
    ~ReadOnlyFolder()
    {
        if (m_mounts == 2)
            run({QStringLiteral("umount"), m_filePath});
        if (m_mounts >= 1)
            run({QStringLiteral("umount"), m_view.path()});
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool isValid() const { return m_mounts == 2; }
    QString folder() const { return m_view.path(); }
    QString filePath() const { return m_filePath; }

private:
    QTemporaryDir m_source;
    QTemporaryDir m_view;
    QString m_filePath;
    int m_mounts = 0;
};

} // namespace SmallDisk

#endif // SMALLDISK_H

#ifndef SMALLDISK_H
#define SMALLDISK_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

// Places where writing fails as it does for users: a tiny tmpfs that can be
// filled to the last byte (mounting needs root, as in CI; isValid() is false
// otherwise and the test skips), and a read-only folder holding a writable
// file.
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

// A folder in which nothing can be created (mode 0555), holding one file
// that anyone may write: what an installed program's folder or a shared
// folder looks like to a user. Root may write anywhere, so as root the write
// runs in a child process that has become the user "nobody".
class ReadOnlyFolder
{
public:
    ReadOnlyFolder(const QString &fileName, const QByteArray &content)
    {
        if (!m_dir.isValid())
            return;
        m_folder = m_dir.filePath(QStringLiteral("folder"));
        m_filePath = m_folder + QLatin1Char('/') + fileName;
        QFile file(m_filePath);
        if (!QDir().mkdir(m_folder) || !file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return;
        file.close();
        const QFileDevice::Permissions all = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                             | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                             | QFileDevice::ReadOther | QFileDevice::WriteOther;
        const QFileDevice::Permissions enter = QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                               | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                               | QFileDevice::ReadOther | QFileDevice::ExeOther;
        m_valid = file.setPermissions(all) && QFile::setPermissions(m_folder, enter)
                  && QFile::setPermissions(m_dir.path(), enter | QFileDevice::WriteOwner);
    }
    ~ReadOnlyFolder()
    {
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool isValid() const { return m_valid; }
    QString folder() const { return m_folder; }
    QString filePath() const { return m_filePath; }

    // Runs write as a user bound by the folder's permissions; its result, or
    // -1 when that user could not be taken on.
    template<typename Write>
    int runAsUser(Write write) const
    {
        if (::geteuid() != 0)
            return write() ? 1 : 0;
        const pid_t child = ::fork();
        if (child < 0)
            return -1;
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(3);
            ::_exit(write() ? 1 : 0);
        }
        int status = 0;
        if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
            return -1;
        return WEXITSTATUS(status);
    }

private:
    QTemporaryDir m_dir;
    QString m_folder;
    QString m_filePath;
    bool m_valid = false;
};

} // namespace SmallDisk

#endif // SMALLDISK_H

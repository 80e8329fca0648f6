#include "atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

// Passes writes on to the temporary file. QFile reports a write that the
// disk took only in part as a short count without an error, and a writer
// that ignores counts would go on as if all was written: here the rest is
// written again until the file takes it or says why not.
class AtomicFile::Sink : public QIODevice
{
public:
    explicit Sink(QFileDevice &file)
        : m_file(file)
    {
    }

    bool isSequential() const override { return true; }
    bool failed() const { return m_failed; }
    // The system's error number of the refused write; 0 when none is known.
    int systemError() const { return m_errno; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_failed)
            return -1;
        qint64 done = 0;
        while (done < size) {
            errno = 0;
            const qint64 written = m_file.write(data + done, size - done);
            if (written <= 0) {
                // Qt's own error of a refused write does not always tell a
                // full disk from other failures; the system's does.
                m_errno = errno;
                m_failed = true;
                return -1;
            }
            done += written;
        }
        return size;
    }

private:
    QFileDevice &m_file;
    bool m_failed = false;
    int m_errno = 0;
};

AtomicFile::AtomicFile(const QString &path)
    : m_path(path)
    , m_file(path)
{
}

AtomicFile::~AtomicFile()
{
    // An uncommitted QSaveFile removes its temporary file when it goes.
    if (m_sink)
        m_sink->close();
}

bool AtomicFile::isReplaceable(const QString &path)
{
    // QFileInfo follows links: a FIFO, a socket or a device is neither a
    // file nor a folder to it. A folder is refused by the open itself.
    const QFileInfo info(path);
    return !info.exists() || info.isFile() || info.isDir();
}

QString AtomicFile::notAFileReason()
{
    return QCoreApplication::translate("AtomicFile", "目标不是普通文件（设备、管道或套接字），不能覆盖");
}

bool AtomicFile::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
    return false;
}

QString AtomicFile::fileFailure(int systemError) const
{
    if (systemError == ENOSPC || systemError == EDQUOT)
        return QCoreApplication::translate("AtomicFile", "磁盘空间不足");
    if (systemError != 0)
        return QCoreApplication::translate("AtomicFile", "写入失败：%1").arg(QString::fromLocal8Bit(std::strerror(systemError)));
    switch (m_file.error()) {
    case QFileDevice::ResourceError:
        return QCoreApplication::translate("AtomicFile", "磁盘空间不足");
    case QFileDevice::PermissionsError:
        return QCoreApplication::translate("AtomicFile", "没有写入权限");
    case QFileDevice::NoError:
        return QCoreApplication::translate("AtomicFile", "写入未完成");
    default:
        return QCoreApplication::translate("AtomicFile", "写入失败：%1").arg(m_file.errorString());
    }
}

bool AtomicFile::open()
{
    m_error.clear();
    if (!isReplaceable(m_path) || QFileInfo(m_path).isDir())
        return fail(QFileInfo(m_path).isDir() ? QCoreApplication::translate("AtomicFile", "目标是文件夹")
                                              : notAFileReason());
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly)) {
        if (m_file.error() == QFileDevice::ResourceError)
            return fail(fileFailure(ENOSPC));
        return fail(QCoreApplication::translate("AtomicFile", "无法在文件夹中创建文件：%1").arg(m_file.errorString()));
    }
    m_sink = std::make_unique<Sink>(m_file);
    m_sink->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

QString AtomicFile::errorString() const
{
    if (m_error.isEmpty() && m_sink && m_sink->failed())
        return fileFailure(m_sink->systemError());
    return m_error;
}

QIODevice *AtomicFile::device()
{
    return m_sink.get();
}

void AtomicFile::cancel()
{
    if (!m_file.isOpen())
        return;
    m_file.cancelWriting();
    // cancelWriting() only marks the file; commit() then removes the
    // temporary file and returns false.
    m_file.commit();
}

bool AtomicFile::commit()
{
    if (!m_file.isOpen() || !m_sink)
        return fail(QCoreApplication::translate("AtomicFile", "文件未打开"));
    // The last buffer goes out here; a disk that is full now fails it.
    if (m_sink->failed()) {
        fail(fileFailure(m_sink->systemError()));
        cancel();
        return false;
    }
    errno = 0;
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError) {
        fail(fileFailure(errno));
        cancel();
        return false;
    }
#ifdef Q_OS_UNIX
    // On the disk before it takes the target's name: file systems that do
    // not order the rename after the data would otherwise leave an empty
    // file there after a power cut.
    if (::fsync(m_file.handle()) != 0) {
        fail(QCoreApplication::translate("AtomicFile", "写入磁盘失败：%1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        cancel();
        return false;
    }
#endif
    // QSaveFile writes through a link to the file it names; the folder
    // whose entry changes is that file's.
    QFileInfo target(m_path);
    for (int depth = 0; depth < 64 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    if (!m_file.commit())
        return fail(QCoreApplication::translate("AtomicFile", "无法替换目标文件：%1").arg(m_file.errorString()));
#ifdef Q_OS_UNIX
    // The rename itself is durable once the folder is synced.
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // EINVAL: a file system that cannot sync a folder.
        const int error = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        if (error != 0 && error != EINVAL)
            return fail(QCoreApplication::translate("AtomicFile", "写入磁盘失败：%1").arg(QString::fromLocal8Bit(std::strerror(error))));
    }
#endif
    return true;
}

bool AtomicFile::write(const QString &path, const QByteArray &data, QString *why)
{
    AtomicFile file(path);
    const bool written = file.open() && writeAll(*file.device(), data) && file.commit();
    if (!written) {
        file.cancel();
        if (why)
            *why = file.errorString().isEmpty() ? file.fileFailure(0) : file.errorString();
    }
    return written;
}

bool AtomicFile::writeAll(QIODevice &device, const QByteArray &data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 written = device.write(data.constData() + done, data.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

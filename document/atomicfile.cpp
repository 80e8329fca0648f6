#include "atomicfile.h"

#include <QSaveFile>

bool AtomicFile::write(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!open(file))
        return false;
    if (!writeAll(file, data)) {
        file.cancelWriting();
        return false;
    }
    return commit(file);
}

bool AtomicFile::open(QSaveFile &file)
{
    file.setDirectWriteFallback(false);
    return file.open(QIODevice::WriteOnly);
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

bool AtomicFile::isComplete(QSaveFile &file)
{
    if (!file.isOpen())
        return false;
    const qint64 end = file.pos();
    // size() asks the file system once the buffer is out, so a short write
    // that went unreported still shows as a file ending before the last byte
    // written.
    return file.flush() && file.error() == QFileDevice::NoError && file.size() >= end;
}

bool AtomicFile::commit(QSaveFile &file)
{
    if (!file.isOpen())
        return false;
    if (!isComplete(file)) {
        file.cancelWriting();
        // cancelWriting() only marks the file; commit() then removes the
        // temporary file and returns false.
        file.commit();
        return false;
    }
    return file.commit();
}

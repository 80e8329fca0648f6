#include "regularfile.h"

#include <QFile>
#include <QFileInfo>

bool RegularFile::isRegular(const QString &path)
{
    // QFileInfo follows links, and tells FIFOs, sockets and devices from
    // regular files (they are neither files nor folders to it).
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool RegularFile::open(QFile &file, QIODevice::OpenMode mode)
{
    if (!isRegular(file.fileName()))
        return false;
    return file.open(mode);
}

QString RegularFile::readablePath(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile() ? path : QString();
}

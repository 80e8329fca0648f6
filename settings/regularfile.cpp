#include "regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

bool RegularFile::isRegular(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
#ifdef Q_OS_UNIX
    if (!path.startsWith(QLatin1Char(':'))) {
        // QFileInfo::isFile() holds for a FIFO or a device too: only stat
        // tells them apart.
        struct stat status;
        return ::stat(QFile::encodeName(info.absoluteFilePath()).constData(), &status) == 0
               && S_ISREG(status.st_mode);
    }
#endif
    return info.isFile();
}

bool RegularFile::open(QFile &file, QIODevice::OpenMode mode)
{
    if (!isRegular(file.fileName()))
        return false;
    return file.open(mode);
}

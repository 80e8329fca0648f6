#include "openfailure.h"

#include "regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>

QString OpenFailure::reason(const QString &path, GcpFile::LoadResult result)
{
    const QFileInfo info(path);
    if (result == GcpFile::LoadResult::Damaged) {
        QFile file(path);
        if (RegularFile::open(file) && GcpFile::damageOf(&file) == GcpFile::Damage::Truncated)
            return QCoreApplication::translate("OpenFailure", "文件不完整，可能在复制或保存时被截断。");
        return QCoreApplication::translate("OpenFailure", "这不是工尺谱文件，或文件已损坏。");
    }
    if (!info.exists()) {
        return info.isSymLink() ? QCoreApplication::translate("OpenFailure", "链接指向的文件不存在。")
                                : QCoreApplication::translate("OpenFailure", "找不到此文件。");
    }
    if (info.isDir())
        return QCoreApplication::translate("OpenFailure", "这是一个文件夹，不是文件。");
    if (!RegularFile::isRegular(path))
        return QCoreApplication::translate("OpenFailure", "这不是普通文件（例如管道或设备文件）。");
    if (!info.isReadable())
        return QCoreApplication::translate("OpenFailure", "没有读取此文件的权限。");
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.errorString();
}

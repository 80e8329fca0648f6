#include "exporttarget.h"

#include "atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

namespace {

// Whether a new file or folder can be made in the existing folder dir: tried
// for real, since permission bits say nothing of a read-only mount, and the
// superuser passes every permission check.
bool canCreateIn(const QString &dir, bool folder)
{
    const QString pattern = QDir(dir).filePath(QStringLiteral(".qelun-probe-XXXXXX"));
    if (folder)
        return QTemporaryDir(pattern).isValid();
    QTemporaryFile probe(pattern);
    return probe.open();
}

// The path itself when it exists, else the nearest ancestor that does.
QString nearestExisting(const QString &path)
{
    QString current = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo::exists(current)) {
        const QString parent = QFileInfo(current).path();
        if (parent == current)
            break;
        current = parent;
    }
    return current;
}

ExportFailure failure(const char *text, const QString &path)
{
    return ExportFailure{QCoreApplication::translate("ExportTarget", "错误"),
                         QCoreApplication::translate("ExportTarget", text), path};
}

} // namespace

ExportFailure ExportTarget::check(const QString &path, Kind kind)
{
    if (path.isEmpty())
        return failure(QT_TRANSLATE_NOOP("ExportTarget", "没有指定导出位置!"), path);
    const QFileInfo target(path);
    if (kind == Kind::File && target.exists()) {
        if (target.isDir())
            return failure(QT_TRANSLATE_NOOP("ExportTarget", "导出目标是一个文件夹，不是文件!"), path);
        // A device or a FIFO is never opened: a FIFO would wait for a reader.
        if (!AtomicFile::isReplaceable(path))
            return failure(QT_TRANSLATE_NOOP("ExportTarget", "导出目标不是普通文件，不会写入!"), path);
        // Opened without truncating: the existing file stays as it is.
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return failure(QT_TRANSLATE_NOOP("ExportTarget", "文件无写入权限或文件已被占用!"), path);
        file.close();
        // The writers replace the file through a new one beside it.
        if (!canCreateIn(target.absolutePath(), false))
            return failure(QT_TRANSLATE_NOOP("ExportTarget", "无法在此文件夹中写入文件!"), target.absolutePath());
        return {};
    }

    // A folder to write into, or the one a new file goes to: what exists of
    // it must be a folder that takes new entries.
    const QString folder = kind == Kind::Folder ? path : target.absolutePath();
    const QString existing = nearestExisting(folder);
    const QFileInfo existingInfo(existing);
    if (!existingInfo.isDir())
        return failure(QT_TRANSLATE_NOOP("ExportTarget", "导出位置不是文件夹!"), existing);
    const bool madeFolder = existing != QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!canCreateIn(existing, madeFolder || kind == Kind::Folder))
        return failure(QT_TRANSLATE_NOOP("ExportTarget", "无法在此文件夹中写入文件!"), existing);
    return {};
}

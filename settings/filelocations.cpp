#include "filelocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

FileLocations FileLocations::forApplication()
{
    return FileLocations(QFileInfo(QCoreApplication::applicationFilePath()).absolutePath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

FileLocations::FileLocations(const QString &applicationDir, const QString &configDir,
                             const QString &dataDir)
    : m_applicationDir(applicationDir)
    , m_configDir(configDir)
    , m_dataDir(dataDir)
{
}

QString FileLocations::userDir(Kind kind) const
{
    return kind == Kind::Config ? m_configDir : m_dataDir;
}

QString FileLocations::filePath(const QString &fileName, Kind kind) const
{
    const QString beside = QDir(m_applicationDir).absoluteFilePath(fileName);
    if (QFileInfo::exists(beside))
        return beside;

    const QString ownDir = userDir(kind);
    const QString own = QDir(ownDir).absoluteFilePath(fileName);
    if (!ownDir.isEmpty() && QFileInfo::exists(own))
        return own;

    const QFileInfo applicationFolder(m_applicationDir);
    if ((applicationFolder.isDir() && applicationFolder.isWritable()) || ownDir.isEmpty())
        return beside;
    // QSettings and QFile create the file but not its folder.
    QDir().mkpath(ownDir);
    return own;
}

QStringList FileLocations::folderPaths(const QString &folderName, Kind kind) const
{
    QStringList folders;
    const QString beside = QDir(m_applicationDir).absoluteFilePath(folderName);
    if (QFileInfo(beside).isDir())
        folders.append(beside);
    const QString ownDir = userDir(kind);
    if (!ownDir.isEmpty()) {
        const QString own = QDir(ownDir).absoluteFilePath(folderName);
        if (QFileInfo(own).isDir() && !folders.contains(own))
            folders.append(own);
    }
    return folders;
}

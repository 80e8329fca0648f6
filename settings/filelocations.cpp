#include "filelocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

const QString FileLocations::portableMarker = QStringLiteral("portable.ini");

namespace {

bool isBelow(const QString &path, const QString &prefix)
{
    if (prefix.isEmpty())
        return false;
    const QString cleanPrefix = QDir::cleanPath(QDir::fromNativeSeparators(prefix));
    return path.compare(cleanPrefix, Qt::CaseInsensitive) == 0
           || path.startsWith(cleanPrefix + QLatin1Char('/'), Qt::CaseInsensitive);
}

QStringList systemPrefixes()
{
#if defined(Q_OS_WIN)
    QStringList prefixes;
    for (const char *name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot"})
        prefixes.append(qEnvironmentVariable(name));
    return prefixes;
#else
    QStringList prefixes = {QStringLiteral("/usr"),  QStringLiteral("/bin"),  QStringLiteral("/sbin"),
                            QStringLiteral("/lib"),  QStringLiteral("/lib32"), QStringLiteral("/lib64"),
                            QStringLiteral("/libx32"), QStringLiteral("/opt"), QStringLiteral("/etc"),
                            QStringLiteral("/var"),  QStringLiteral("/snap"), QStringLiteral("/app"),
                            QStringLiteral("/nix")};
#if defined(Q_OS_MACOS)
    prefixes << QStringLiteral("/Applications") << QStringLiteral("/System") << QStringLiteral("/Library");
#endif
    return prefixes;
#endif
}

} // namespace

FileLocations FileLocations::forApplication()
{
    // Before the application object exists (the interface language is read
    // then) Qt cannot tell where the program is; the system can.
    QString program;
    if (QCoreApplication::instance())
        program = QCoreApplication::applicationFilePath();
#if defined(Q_OS_LINUX)
    else
        program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
#endif
    return FileLocations(program.isEmpty() ? QString() : QFileInfo(program).absolutePath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

FileLocations::FileLocations(const QString &applicationDir, const QString &configDir,
                             const QString &dataDir)
    : FileLocations(applicationDir, configDir, dataDir, isSystemFolder(applicationDir))
{
}

FileLocations::FileLocations(const QString &applicationDir, const QString &configDir,
                             const QString &dataDir, bool systemFolder)
    : m_applicationDir(applicationDir)
    , m_configDir(configDir)
    , m_dataDir(dataDir)
    , m_systemFolder(systemFolder)
{
}

uint FileLocations::currentUserId()
{
#if defined(Q_OS_UNIX)
    return uint(::geteuid());
#else
    return 0;
#endif
}

bool FileLocations::isSystemFolder(const QString &dir)
{
    return isSystemFolder(dir, currentUserId());
}

bool FileLocations::isSystemFolder(const QString &dir, uint userId)
{
    // No folder known: nothing beside the program is used.
    if (dir.isEmpty())
        return true;
    const QFileInfo info(dir);
    // Links resolved, so that /usr/bin reached through /bin or a link in the
    // user's folder is still the system's.
    const QString canonical = info.canonicalFilePath();
    const QString path = QDir::cleanPath(canonical.isEmpty() ? info.absoluteFilePath() : canonical);
    for (const QString &prefix : systemPrefixes()) {
        if (isBelow(path, prefix))
            return true;
    }
#if defined(Q_OS_MACOS)
    // Inside an application bundle, wherever it lies.
    if (path.contains(QLatin1String(".app/Contents/")))
        return true;
#endif
#if defined(Q_OS_UNIX)
    // Another user's folder (root running a user's portable copy, or a user
    // running one root unpacked elsewhere); a folder that is not there
    // belongs to nobody.
    if (!info.isDir() || info.ownerId() != userId)
        return true;
#else
    Q_UNUSED(userId);
#endif
    return false;
}

bool FileLocations::isPortable() const
{
    return !m_systemFolder
           && QFileInfo(QDir(m_applicationDir).absoluteFilePath(portableMarker)).isFile();
}

QString FileLocations::userDir(Kind kind) const
{
    return kind == Kind::Config ? m_configDir : m_dataDir;
}

QString FileLocations::filePath(const QString &fileName, Kind kind) const
{
    const QString beside = QDir(m_applicationDir).absoluteFilePath(fileName);
    if (!m_systemFolder && QFileInfo::exists(beside))
        return beside;

    // A portable install leaves the user's folders alone while it can.
    const QFileInfo applicationFolder(m_applicationDir);
    if (isPortable() && applicationFolder.isDir() && applicationFolder.isWritable())
        return beside;

    const QString ownDir = userDir(kind);
    const QString own = QDir(ownDir).absoluteFilePath(fileName);
    if (!ownDir.isEmpty() && QFileInfo::exists(own))
        return own;
    // No per-user folder at all: nowhere but the program's own folder is left,
    // and a system folder not even that.
    if (ownDir.isEmpty())
        return m_systemFolder ? QString() : beside;
    // QSettings and QFile create the file but not its folder.
    QDir().mkpath(ownDir);
    return own;
}

QStringList FileLocations::folderPaths(const QString &folderName, Kind kind) const
{
    QStringList folders;
    const QString beside = QDir(m_applicationDir).absoluteFilePath(folderName);
    if (!m_systemFolder && QFileInfo(beside).isDir())
        folders.append(beside);
    const QString ownDir = userDir(kind);
    if (!ownDir.isEmpty()) {
        const QString own = QDir(ownDir).absoluteFilePath(folderName);
        if (QFileInfo(own).isDir() && !folders.contains(own))
            folders.append(own);
    }
    return folders;
}

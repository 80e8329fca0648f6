#include "recentfiles.h"

#include "filelocations.h"
#include "settingswriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString group = QStringLiteral("RecentFiles");
const QString key = QStringLiteral("files");

QString normalized(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles RecentFiles::forApplication()
{
    return RecentFiles(
        FileLocations::forApplication().filePath(QStringLiteral("settings.ini"), FileLocations::Kind::Config));
}

RecentFiles::RecentFiles(const QString &settingsPath)
    : m_settingsPath(settingsPath)
{
}

QStringList RecentFiles::files() const
{
    const QSettings settings(m_settingsPath, QSettings::IniFormat);
    QStringList files;
    // A hand-edited list may repeat a file or run long.
    for (const QString &file : settings.value(group + QLatin1Char('/') + key).toStringList()) {
        if (!file.isEmpty() && !files.contains(file) && files.size() < maxCount)
            files.append(file);
    }
    return files;
}

bool RecentFiles::add(const QString &path) const
{
    if (path.isEmpty())
        return true;
    QStringList list = files();
    const QString file = normalized(path);
    if (!list.isEmpty() && list.first() == file)
        return true;
    list.removeAll(file);
    list.prepend(file);
    return store(list.mid(0, maxCount));
}

bool RecentFiles::remove(const QString &path) const
{
    QStringList list = files();
    if (list.removeAll(normalized(path)) == 0 && list.removeAll(path) == 0)
        return true;
    return store(list);
}

bool RecentFiles::clear() const
{
    return files().isEmpty() || store(QStringList());
}

bool RecentFiles::store(const QStringList &files) const
{
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.beginGroup(group);
    return SettingsWriter::write(settings, {{key, files}}, true);
}

#include "recentfolders.h"

#include "filelocations.h"
#include "settingswriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QString keyOf(RecentFolders::Kind kind)
{
    switch (kind) {
    case RecentFolders::Kind::Score:
        return QStringLiteral("score");
    case RecentFolders::Kind::Export:
        return QStringLiteral("export");
    case RecentFolders::Kind::Scheme:
        return QStringLiteral("scheme");
    case RecentFolders::Kind::Print:
        return QStringLiteral("print");
    }
    return QString();
}

const QString group = QStringLiteral("Folders");

} // namespace

RecentFolders RecentFolders::forApplication()
{
    return RecentFolders(
        FileLocations::forApplication().filePath(QStringLiteral("settings.ini"), FileLocations::Kind::Config));
}

RecentFolders::RecentFolders(const QString &settingsPath)
    : m_settingsPath(settingsPath)
{
}

QString RecentFolders::folder(Kind kind) const
{
    const QSettings settings(m_settingsPath, QSettings::IniFormat);
    const QString path = settings.value(group + QLatin1Char('/') + keyOf(kind)).toString();
    return !path.isEmpty() && QFileInfo(path).isDir() ? path : QString();
}

QString RecentFolders::startPath(Kind kind, const QString &documentPath, const QString &fileName) const
{
    QString start;
    const QFileInfo document(documentPath);
    if (!documentPath.isEmpty() && document.isFile())
        start = document.absolutePath();
    if (start.isEmpty())
        start = folder(kind);
    if (start.isEmpty())
        start = QDir::homePath();
    return fileName.isEmpty() ? start : QDir(start).filePath(fileName);
}

bool RecentFolders::remember(Kind kind, const QString &chosenPath) const
{
    if (chosenPath.isEmpty())
        return true;
    const QFileInfo chosen(chosenPath);
    const QString folder = chosen.isDir() ? chosen.absoluteFilePath() : chosen.absolutePath();
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.beginGroup(group);
    if (settings.value(keyOf(kind)).toString() == folder)
        return true;
    return SettingsWriter::write(settings, {{keyOf(kind), folder}});
}

QString RecentFolders::fileNameFor(const QString &title, const QString &suffix)
{
    QString name;
    for (const QChar c : title) {
        // Separators and the characters Windows refuses, and no control
        // characters.
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            continue;
        name.append(c);
    }
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        return QString();
    return suffix.isEmpty() ? name : name + QLatin1Char('.') + suffix;
}

#include "settingswriter.h"

#include "atomicfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// Every key of the file with its value as text, as an INI file stores it.
QMap<QString, QString> contentOf(QSettings &settings)
{
    QMap<QString, QString> content;
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys)
        content.insert(key, settings.value(key).toString());
    return content;
}

} // namespace

bool SettingsWriter::write(QSettings &settings, const Values &values, bool replaceGroup)
{
    QTemporaryDir staging;
    if (!staging.isValid())
        return false;
    const QString draftPath = staging.filePath(QStringLiteral("draft.ini"));
    const QString checkPath = staging.filePath(QStringLiteral("check.ini"));

    // What the file holds now, in every group, with the new values on top.
    const QString group = settings.group();
    const int depth = group.isEmpty() ? 0 : int(group.count(QLatin1Char('/'))) + 1;
    for (int i = 0; i < depth; ++i)
        settings.endGroup();
    settings.sync();
    const QFileInfo before(settings.fileName());
    const QDateTime readTime = before.exists() ? before.lastModified() : QDateTime();
    QMap<QString, QString> expected;
    {
        QSettings draft(draftPath, QSettings::IniFormat);
        const QStringList keys = settings.allKeys();
        for (const QString &key : keys)
            draft.setValue(key, settings.value(key));
        if (!group.isEmpty())
            draft.beginGroup(group);
        if (replaceGroup)
            draft.remove(QString());
        for (const auto &value : values)
            draft.setValue(value.first, value.second);
        if (!group.isEmpty())
            draft.endGroup();
        draft.sync();
        if (draft.status() == QSettings::NoError)
            expected = contentOf(draft);
        else
            expected.insert(QString(), QStringLiteral("unwritten"));
    }
    if (!group.isEmpty())
        settings.beginGroup(group);
    if (expected.contains(QString()))
        return false;

    // Read back under a name no settings object has seen, so that the values
    // come from the disk and not from Qt's cache of the draft.
    if (!QFile::rename(draftPath, checkPath))
        return false;
    {
        QSettings check(checkPath, QSettings::IniFormat);
        if (check.status() != QSettings::NoError || contentOf(check) != expected)
            return false;
    }

    QFile written(checkPath);
    if (!written.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = written.readAll();
    if (written.error() != QFileDevice::NoError || !AtomicFile::write(settings.fileName(), bytes))
        return false;
    // Nothing is pending in settings: sync() reads the new file, provided it
    // can tell it from the one it read, by size or by time. Two saves in one
    // millisecond could give the same of both.
    const QFileInfo after(settings.fileName());
    if (after.size() == before.size() && after.lastModified() == readTime) {
        QFile file(settings.fileName());
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(readTime.addMSecs(1), QFileDevice::FileModificationTime);
    }
    settings.sync();
    return true;
}

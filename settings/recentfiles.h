#ifndef RECENTFILES_H
#define RECENTFILES_H

#include <QString>
#include <QStringList>

// The documents opened or saved last, newest first, for the 最近打开 menu.
// Kept in the group "RecentFiles" of "settings.ini".
class RecentFiles
{
public:
    static constexpr int maxCount = 10;

    static RecentFiles forApplication();
    explicit RecentFiles(const QString &settingsPath);

    QStringList files() const;
    // Puts the file first (absolute, once). False when the settings file
    // could not be written.
    bool add(const QString &path) const;
    bool remove(const QString &path) const;
    bool clear() const;

private:
    bool store(const QStringList &files) const;

    QString m_settingsPath;
};

#endif // RECENTFILES_H

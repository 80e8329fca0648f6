#ifndef RECENTFOLDERS_H
#define RECENTFOLDERS_H

#include <QString>

// The folders the file dialogs start in, one for each kind of file: where
// the user last opened or saved one of that kind. Kept in the group "Folders"
// of "settings.ini", so that the next run starts there too.
class RecentFolders
{
public:
    enum class Kind { Score, Export, Scheme, Print };

    // The folders kept in the program's own settings file.
    static RecentFolders forApplication();
    explicit RecentFolders(const QString &settingsPath);

    // The folder last used for this kind; empty when none was, or it is gone.
    QString folder(Kind kind) const;

    // Where a dialog for this kind starts: the folder of the document's file
    // when it has one, else the folder last used for the kind, else the home
    // folder; followed by fileName when one is suggested.
    QString startPath(Kind kind, const QString &documentPath, const QString &fileName = QString()) const;

    // Keeps the folder of the chosen file, or the chosen folder itself.
    // False when the settings file could not be written.
    bool remember(Kind kind, const QString &chosenPath) const;

    // A file name made from a title: the characters no file system takes
    // are left out; empty when nothing is left.
    static QString fileNameFor(const QString &title, const QString &suffix);

private:
    QString m_settingsPath;
};

#endif // RECENTFOLDERS_H

#ifndef FILELOCATIONS_H
#define FILELOCATIONS_H

#include <QString>
#include <QStringList>

// Where the program keeps its own files: "settings.ini", "manager.ini",
// "wordsdict.csv" and the "fonts" folder. They live in the user's own folders
// (QStandardPaths). The program's folder is used only by a portable install,
// which the user marks with a file "portable.ini" beside the executable, and
// for a file a user already keeps there from an older version. A system
// folder (/usr/bin, /opt, another user's folder) is never read from or written
// into, whoever runs the program: a file root once left there would be read by
// every user and saved by none, and would outlive the package.
class FileLocations
{
public:
    enum class Kind {
        Config, // INI files: the user's configuration folder
        Data,   // dictionary and fonts: the user's data folder
    };

    static const QString portableMarker;

    // The locations of the running program: the executable's folder and the
    // QStandardPaths folders AppConfigLocation and AppDataLocation.
    static FileLocations forApplication();

    // systemFolder says whether applicationDir is a folder the program must
    // leave alone; by default isSystemFolder() decides.
    FileLocations(const QString &applicationDir, const QString &configDir, const QString &dataDir);
    FileLocations(const QString &applicationDir, const QString &configDir, const QString &dataDir,
                  bool systemFolder);

    // A folder that belongs to the system or to another user: one below the
    // system's program prefixes, or one the user userId does not own.
    static bool isSystemFolder(const QString &dir, uint userId);
    static bool isSystemFolder(const QString &dir);
    static uint currentUserId();

    // A portable install: the marker beside the executable, in a folder that
    // is not the system's.
    bool isPortable() const;

    // The one file of that name to read and to write: beside the executable
    // when it is already there or in a portable install; otherwise the
    // per-user one, whose folder is then created. A portable install whose
    // folder cannot be written keeps its new files per user.
    QString filePath(const QString &fileName, Kind kind) const;

    // Every existing folder of that name, beside the executable first (unless
    // that is a system folder), then the per-user one.
    QStringList folderPaths(const QString &folderName, Kind kind) const;

    QString applicationDir() const { return m_applicationDir; }
    QString userDir(Kind kind) const;

private:
    QString m_applicationDir;
    QString m_configDir;
    QString m_dataDir;
    bool m_systemFolder;
};

#endif // FILELOCATIONS_H

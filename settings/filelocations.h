#ifndef FILELOCATIONS_H
#define FILELOCATIONS_H

#include <QString>
#include <QStringList>

// Where the program keeps its own files: "settings.ini", "manager.ini",
// "wordsdict.csv" and the "fonts" folder. A portable install keeps them beside
// the executable; an installed program, whose folder is not writable, keeps
// them in the user's own folders instead, since whatever it wrote beside
// itself would be lost. A file that is already beside the executable is
// always the one used, so a portable install keeps working as it did.
class FileLocations
{
public:
    enum class Kind {
        Config, // INI files: the user's configuration folder
        Data,   // dictionary and fonts: the user's data folder
    };

    // The locations of the running program: the executable's folder and the
    // QStandardPaths folders AppConfigLocation and AppDataLocation.
    static FileLocations forApplication();

    FileLocations(const QString &applicationDir, const QString &configDir, const QString &dataDir);

    // The one file of that name to read and to write: beside the executable
    // when it exists there; otherwise the per-user one when it exists;
    // otherwise where a new file would go (beside the executable when that
    // folder is writable, else per user, whose folder is then created).
    QString filePath(const QString &fileName, Kind kind) const;

    // Every existing folder of that name, beside the executable first, then
    // the per-user one.
    QStringList folderPaths(const QString &folderName, Kind kind) const;

    QString applicationDir() const { return m_applicationDir; }
    QString userDir(Kind kind) const;

private:
    QString m_applicationDir;
    QString m_configDir;
    QString m_dataDir;
};

#endif // FILELOCATIONS_H

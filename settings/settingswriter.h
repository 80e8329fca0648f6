#ifndef SETTINGSWRITER_H
#define SETTINGSWRITER_H

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class QSettings;

// Writes the options of one group into an INI settings file whole or not at
// all. QSettings::sync() on a full disk can replace the file with an empty or
// cut-off one and still report no error, so the file is drafted elsewhere,
// read back to prove that it is complete, and only then put in place.
class SettingsWriter
{
public:
    using Values = QList<QPair<QString, QVariant>>;

    // Stores values in the current group of settings, keeping every other key
    // of the file; with replaceGroup the group holds exactly values
    // afterwards. settings then reads the new file. False, with the file as it
    // was, when it could not be written.
    static bool write(QSettings &settings, const Values &values, bool replaceGroup = false);
};

#endif // SETTINGSWRITER_H

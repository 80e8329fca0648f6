#include "windowgeometry.h"

#include "filelocations.h"
#include "regularfile.h"
#include "settingswriter.h"

#include <QMainWindow>
#include <QSettings>

namespace {

const QString group = QStringLiteral("Window");
const QString geometryKey = QStringLiteral("geometry");
const QString stateKey = QStringLiteral("state");

} // namespace

QString WindowGeometry::settingsPath()
{
    return FileLocations::forApplication().filePath(QStringLiteral("settings.ini"), FileLocations::Kind::Config);
}

void WindowGeometry::restore(QMainWindow &window)
{
    QSettings settings(RegularFile::readablePath(settingsPath()), QSettings::IniFormat);
    settings.beginGroup(group);
    // restoreGeometry() keeps a window that would be off every screen on one.
    window.restoreGeometry(settings.value(geometryKey).toByteArray());
    window.restoreState(settings.value(stateKey).toByteArray());
}

bool WindowGeometry::save(const QMainWindow &window)
{
    QSettings settings(RegularFile::readablePath(settingsPath()), QSettings::IniFormat);
    settings.beginGroup(group);
    return SettingsWriter::write(settings, {{geometryKey, window.saveGeometry()}, {stateKey, window.saveState()}});
}

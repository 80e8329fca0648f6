#include "windowgeometry.h"

#include "filelocations.h"
#include "regularfile.h"
#include "settingswriter.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
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
    fitToScreen(window);
}

void WindowGeometry::fitToScreen(QWidget &window)
{
    if (window.isMaximized() || window.isFullScreen())
        return;
    QScreen *screen = QGuiApplication::screenAt(window.geometry().center());
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    // The frame is known once the window is shown; before, only the inside.
    const QMargins frame(window.geometry().left() - window.frameGeometry().left(),
                         window.geometry().top() - window.frameGeometry().top(),
                         window.frameGeometry().right() - window.geometry().right(),
                         window.frameGeometry().bottom() - window.geometry().bottom());
    const QRect room = screen->availableGeometry().marginsRemoved(frame);
    QRect placed = window.geometry();
    placed.setSize(placed.size().boundedTo(room.size()).expandedTo(window.minimumSize()));
    if (placed.right() > room.right())
        placed.moveRight(room.right());
    if (placed.bottom() > room.bottom())
        placed.moveBottom(room.bottom());
    if (placed.left() < room.left())
        placed.moveLeft(room.left());
    if (placed.top() < room.top())
        placed.moveTop(room.top());
    if (placed != window.geometry())
        window.setGeometry(placed);
}

bool WindowGeometry::save(const QMainWindow &window)
{
    QSettings settings(RegularFile::readablePath(settingsPath()), QSettings::IniFormat);
    settings.beginGroup(group);
    return SettingsWriter::write(settings, {{geometryKey, window.saveGeometry()}, {stateKey, window.saveState()}});
}

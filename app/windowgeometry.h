#ifndef WINDOWGEOMETRY_H
#define WINDOWGEOMETRY_H

class QMainWindow;
class QWidget;
class QString;

// The main window's size, position and state (maximised, toolbars), kept in
// the group "Window" of "settings.ini" from one run to the next.
class WindowGeometry
{
public:
    // Puts the window where it was at the end of the last run; a window never
    // saved keeps the size of its form. Either way it fits the screen it
    // opens on, which may be smaller, or at another scale, than the last one.
    static void restore(QMainWindow &window);
    // Shrinks and moves a window that is not maximized or full screen into
    // the available room of its screen.
    static void fitToScreen(QWidget &window);
    // False when the settings file could not be written.
    static bool save(const QMainWindow &window);

private:
    static QString settingsPath();
};

#endif // WINDOWGEOMETRY_H

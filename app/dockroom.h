#ifndef DOCKROOM_H
#define DOCKROOM_H

#include <QObject>
#include <QPointer>

class QDockWidget;
class QMainWindow;

// Makes room for a dock beside a window's central widget. When the user
// shows the dock, a window that is neither maximized nor full screen grows
// by the dock's width, as far as the screen allows, so that the central
// widget keeps its size; what the screen cannot give, the dock takes from
// the central widget down to a minimum width. Hiding the dock gives the
// width back, unless the user has resized the window in between.
class DockRoom : public QObject
{
    Q_OBJECT

public:
    DockRoom(QMainWindow *window, QDockWidget *dock, int preferredWidth, int centralMinimum);

private:
    void onDockShownByUser();
    void onDockHidden();
    // The dock's width, once the window has its new size.
    void sizeDock();

    QPointer<QMainWindow> m_window;
    QPointer<QDockWidget> m_dock;
    int m_preferredWidth;
    int m_centralMinimum;
    // How much the window grew for the dock (0 when it did not), how far it
    // moved left to stay on the screen, and the width it grew to.
    int m_grownBy = 0;
    int m_shift = 0;
    int m_grownWidth = 0;
};

#endif // DOCKROOM_H

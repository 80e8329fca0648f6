#include "dockroom.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>

DockRoom::DockRoom(QMainWindow *window, QDockWidget *dock, int preferredWidth, int centralMinimum)
    : QObject(window)
    , m_window(window)
    , m_dock(dock)
    , m_preferredWidth(preferredWidth)
    , m_centralMinimum(centralMinimum)
{
    // The dock's own switch and its close button; a dock shown again by a
    // restored window state comes with its window's size already.
    QAction *toggle = dock->toggleViewAction();
    connect(toggle, &QAction::triggered, this, [this](bool checked) {
        if (checked)
            onDockShownByUser();
    });
    connect(toggle, &QAction::toggled, this, [this](bool checked) {
        if (!checked)
            onDockHidden();
    });
}

void DockRoom::onDockShownByUser()
{
    if (!m_window || !m_dock || m_dock->isFloating() || !m_dock->isVisible())
        return;
    m_grownBy = 0;
    m_shift = 0;
    m_grownWidth = 0;
    if (!(m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && m_window->screen()) {
        const QRect available = m_window->screen()->availableGeometry();
        const QRect frame = m_window->frameGeometry();
        const int grow = qBound(0, m_preferredWidth, available.width() - frame.width());
        if (grow > 0) {
            QRect geometry = m_window->geometry();
            geometry.setWidth(geometry.width() + grow);
            // The frame stays on the screen: it moves left by what would
            // pass the right edge.
            const int overflow = frame.right() + grow - available.right();
            m_shift = overflow > 0 ? qMin(overflow, frame.left() - available.left()) : 0;
            geometry.translate(-m_shift, 0);
            m_window->setGeometry(geometry);
            m_grownBy = grow;
            m_grownWidth = geometry.width();
        }
    }
    sizeDock();
    // A window manager may give the window its new size a little later.
    QTimer::singleShot(0, this, &DockRoom::sizeDock);
}

void DockRoom::sizeDock()
{
    if (!m_window || !m_dock || !m_dock->isVisible() || m_dock->isFloating())
        return;
    const int width = qMax(m_dock->minimumSizeHint().width(),
                           qMin(m_preferredWidth, m_window->width() - m_centralMinimum));
    m_window->resizeDocks({m_dock.data()}, {width}, Qt::Horizontal);
}

void DockRoom::onDockHidden()
{
    const int grownBy = m_grownBy;
    const int shift = m_shift;
    const int grownWidth = m_grownWidth;
    m_grownBy = 0;
    m_shift = 0;
    m_grownWidth = 0;
    if (!m_window || grownBy == 0 || m_window->width() != grownWidth
        || (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    // Back to the width before, and to the right where the window moved
    // left to grow.
    QRect geometry = m_window->geometry();
    geometry.setWidth(geometry.width() - grownBy);
    geometry.translate(shift, 0);
    m_window->setGeometry(geometry);
}

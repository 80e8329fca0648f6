#ifndef PAGECANVASPOOL_H
#define PAGECANVASPOOL_H

#include "pagecanvas.h"

#include <QMutex>

#include <memory>
#include <vector>

// The canvases of the threads that paint an export's pages at the same
// time: a thread borrows one for a page and gives it back, so that there are
// never more canvases than pages painted at once, and all go with the pool
// when the export ends.
class PageCanvasPool
{
public:
    // A canvas borrowed for as long as it lives.
    class Lease
    {
    public:
        explicit Lease(PageCanvasPool &pool);
        ~Lease();
        Lease(const Lease &) = delete;
        Lease &operator=(const Lease &) = delete;
        PageCanvas &canvas() { return *m_canvas; }

    private:
        PageCanvasPool &m_pool;
        std::unique_ptr<PageCanvas> m_canvas;
    };

private:
    QMutex m_mutex;
    std::vector<std::unique_ptr<PageCanvas>> m_idle;
};

#endif // PAGECANVASPOOL_H

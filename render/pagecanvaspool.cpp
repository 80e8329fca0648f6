#include "pagecanvaspool.h"

#include <QMutexLocker>

PageCanvasPool::Lease::Lease(PageCanvasPool &pool)
    : m_pool(pool)
{
    QMutexLocker lock(&pool.m_mutex);
    if (pool.m_idle.empty()) {
        m_canvas = std::make_unique<PageCanvas>();
    } else {
        m_canvas = std::move(pool.m_idle.back());
        pool.m_idle.pop_back();
    }
}

PageCanvasPool::Lease::~Lease()
{
    QMutexLocker lock(&m_pool.m_mutex);
    m_pool.m_idle.push_back(std::move(m_canvas));
}

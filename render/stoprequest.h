#ifndef STOPREQUEST_H
#define STOPREQUEST_H

#include <atomic>

// A request to stop a long rendering or export, from the progress window's
// 取消 or from Ctrl+C. The renderer looks at it between entries and pages,
// the writers between pages; whatever they had begun to write is removed.
// Safe to set from a signal handler or another thread.
class StopRequest
{
public:
    void request() { m_requested.store(true); }
    void clear() { m_requested.store(false); }
    bool isRequested() const { return m_requested.load(); }

private:
    std::atomic<bool> m_requested{false};
};

#endif // STOPREQUEST_H

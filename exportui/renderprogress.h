#ifndef RENDERPROGRESS_H
#define RENDERPROGRESS_H

#include <QPointer>
#include <QProgressDialog>
#include <QString>

class QWidget;
class StopRequest;

// The progress window of a rendering or an export: shown at once when work
// starts (status 0), advanced (1), and hidden when it ends (2). The owner is
// disabled meanwhile, so that nothing is changed while it works.
class RenderProgress
{
public:
    explicit RenderProgress(QWidget *owner);
    ~RenderProgress();

    void update(int status, int value, int maxValue, const QString &winTitle, const QString &tip);

    // Gives the window a 取消 button that asks stop to stop the work; set
    // before the first update. Without it the work cannot be stopped.
    void setStopRequest(StopRequest *stop) { m_stop = stop; }

    // Created on first use; nullptr before.
    QProgressDialog *window() const { return m_window; }

private:
    QWidget *m_owner;
    QPointer<QProgressDialog> m_window;
    StopRequest *m_stop = nullptr;
};

#endif // RENDERPROGRESS_H

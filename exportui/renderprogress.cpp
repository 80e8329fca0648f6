#include "renderprogress.h"

#include "stoprequest.h"

#include <QProgressDialog>
#include <QWidget>

RenderProgress::RenderProgress(QWidget *owner)
    : m_owner(owner)
{
}

RenderProgress::~RenderProgress()
{
    // A child of the owner, which may be going away with it.
    delete m_window.data();
}

void RenderProgress::update(int status, int value, int maxValue, const QString &winTitle, const QString &tip)
{
    if (!m_window) {
        m_window = new QProgressDialog(tip, QString(), 0, maxValue, m_owner);
        // A title bar without buttons: the work stops only through 取消.
        m_window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        m_window->setModal(true);
        m_window->setMinimumDuration(0);
        m_window->setAutoClose(false);
        m_window->setAutoReset(false);
        if (m_stop) {
            // The work looks at the request between entries and pages and
            // removes whatever it had begun to write.
            m_window->setCancelButtonText(QProgressDialog::tr("取消"));
            StopRequest *stop = m_stop;
            QObject::connect(m_window.data(), &QProgressDialog::canceled, m_window.data(), [stop] { stop->request(); });
        } else {
            m_window->setCancelButton(nullptr);
        }
        m_window->hide();
    }
    switch (status) {
    case 0:
        if (m_owner)
            m_owner->setEnabled(false);
        // A child window may stay enabled in a disabled owner: the label
        // is not greyed out with the rest.
        m_window->setEnabled(true);
        m_window->setLabelText(tip);
        m_window->setWindowTitle(winTitle);
        m_window->setRange(0, maxValue);
        m_window->setValue(value);
        m_window->show();
        break;
    case 1:
        m_window->setValue(value);
        break;
    default:
        m_window->hide();
        if (m_owner)
            m_owner->setEnabled(true);
        break;
    }
}

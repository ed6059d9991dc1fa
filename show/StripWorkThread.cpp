#include "show/StripWorkThread.h"

#include "shell/Messages.h"

#include <QApplication>
#include <QThread>

TStripWorkThread::TStripWorkThread(TSlideStrip *strip, TStatusBar *status, QObject *parent)
    : QObject(parent), m_strip(strip), m_status(status)
{
}

TStripWorkThread::~TStripWorkThread()
{
    Stop();
}

void TStripWorkThread::Start(TSlideStrip::Work kind, const QString &name, Work work)
{
    if (m_strip)
        m_strip->BeginWork(kind);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_cursorShown = true;
    if (m_status)
        m_status->SetGauge(0);
    m_stopRequested = false;
    m_error = nullptr;
    m_thread = QThread::create([this, work = std::move(work)] {
        try {
            work(m_stopRequested);
        } catch (...) {
            m_error = std::current_exception();
        }
    });
    m_thread->setObjectName(name);
    connect(m_thread, &QThread::finished, this, &TStripWorkThread::End);
    m_thread->start();
}

void TStripWorkThread::RequestStop()
{
    if (m_thread)
        m_stopRequested = true;
}

void TStripWorkThread::Stop()
{
    if (!m_thread)
        return;
    m_stopRequested = true;
    m_thread->wait();
    // What the work reported on its way out is of no use now.
    End();
}

void TStripWorkThread::Report(std::function<void()> report)
{
    QMetaObject::invokeMethod(
        this,
        [this, report = std::move(report)] {
            if (m_thread)
                report();
        },
        Qt::QueuedConnection);
}

void TStripWorkThread::ReportProgress(const BuildProgress &progress)
{
    Report([this, progress] {
        if (!m_status)
            return;
        if (!progress.status.isEmpty())
            m_status->SetPanelText(TStatusBar::FilesPanel, progress.status);
        if (progress.gauge >= 0)
            m_status->SetGauge(progress.gauge);
    });
}

void TStripWorkThread::ReportFailure(const std::exception_ptr &error) const
{
    if (!error || m_stopRequested)
        return;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &failure) {
        ReportError(ErrorText(failure));
    }
}

void TStripWorkThread::End()
{
    if (!m_thread)
        return;
    QThread *thread = m_thread;
    m_thread = nullptr;
    thread->wait();
    thread->deleteLater();
    if (m_cursorShown) {
        QApplication::restoreOverrideCursor();
        m_cursorShown = false;
    }
    if (m_strip)
        m_strip->EndWork();
    if (m_status)
        m_status->SetGauge(0);
    const std::exception_ptr error = m_error;
    m_error = nullptr;
    emit Ended(error);
}

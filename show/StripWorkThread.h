#pragma once

#include "shell/StatusBar.h"
#include "show/SlideshowBuild.h"
#include "slides/SlideStrip.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <exception>
#include <functional>

class QThread;

// A window command's long work (a show build, a video or a web export) on a
// thread of its own, so that the window stays usable: while it runs the strip
// refuses the commands that would change it, the busy cursor shows and the
// gauge starts from 0. What the work reports reaches the window's thread in
// the order it was reported, and only while the work runs. Ended comes once,
// on the window's thread, with what the work threw (null when it completed);
// by then the cursor, the strip and the gauge are back as they were.
class TStripWorkThread : public QObject
{
    Q_OBJECT

public:
    // Runs on the worker; `stopRequested` turns true when it is to stop.
    using Work = std::function<void(const std::atomic<bool> &stopRequested)>;

    TStripWorkThread(TSlideStrip *strip, TStatusBar *status, QObject *parent = nullptr);
    // Stops running work and waits for it.
    ~TStripWorkThread() override;

    // `name` names the thread, for debuggers and crash reports.
    void Start(TSlideStrip::Work kind, const QString &name, Work work);
    bool Running() const { return m_thread != nullptr; }
    // Asks the work to stop; it stops when it next looks.
    void RequestStop();
    bool StopRequested() const { return m_stopRequested; }
    // Asks the work to stop and waits for it: Ended has come when it returns.
    void Stop();
    // Called on the worker: runs `report` on the window's thread, unless the
    // work has ended by then.
    void Report(std::function<void()> report);
    // Called on the worker: a build's progress for status panel 0 and the
    // gauge (an empty text, a gauge of -1, leave them as they are).
    void ReportProgress(const BuildProgress &progress);
    // Shows what the work threw in a message, unless it was asked to stop.
    void ReportFailure(const std::exception_ptr &error) const;

signals:
    void Ended(std::exception_ptr error);

private:
    void End();

    QPointer<TSlideStrip> m_strip;
    QPointer<TStatusBar> m_status;
    QThread *m_thread = nullptr;
    std::atomic<bool> m_stopRequested{false};
    std::exception_ptr m_error;
    bool m_cursorShown = false;
};

#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

// Runs the event loop until the condition holds; false when it still does
// not after the timeout. A condition that never holds simply lets events run
// for the whole time. Objects given to deleteLater are deleted on the way,
// as a real event loop would, and the short sleep leaves the processor to
// the worker threads that a test is waiting for.
inline bool WaitFor(const std::function<bool()> &done, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return true;
}

// Dropping 200 photos of 12 MP on the slide strip: the drop as it is (the
// pictures made on worker threads, the slides placed in drop order) against
// the drop as it was, in the same run: every file made on the window's
// thread, pending events let through before each one, the strip laid out
// after each. For both, the time to the last slide and the longest stall of
// the event loop, measured by the lateness of a 10 ms timer.

#include "tests/bench/Bench.h"

#if VISTRANO_BENCH_WIDGETS

#include "project/SlideLayout.h"
#include "project/SlideMaking.h"
#include "shell/StatusBar.h"
#include "slides/RectBox.h"
#include "slides/SlideStrip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>

#include <sys/resource.h>

namespace {

constexpr int kPhotos = 200;
constexpr int kTick = 10;

// The longest time the event loop did not come round to a timer of 10 ms,
// beyond its 10 ms.
class StallMeter
{
public:
    StallMeter()
    {
        m_timer.setInterval(kTick);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_since.nsecsElapsed() / 1e6 - kTick);
            m_since.start();
        });
        m_since.start();
        m_timer.start();
    }
    double Longest() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    double m_longest = 0;
};

double ProcessorMilliseconds()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
         + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct DropFigures
{
    double milliseconds = 0;
    double processor = 0; // user and system time of the whole process
    double stall = 0;
    int slides = 0;
};

// A strip in a window, with the clocks of one drop running.
struct Strip
{
    QScrollArea area;
    TStatusBar status;
    TSlideStrip strip{&area, &status};
    QElapsedTimer timer;
    double processor = 0;
    Strip()
    {
        area.resize(1200, 150);
        area.show();
        timer.start();
        processor = ProcessorMilliseconds();
    }
    DropFigures Figures(const StallMeter &stalls) const
    {
        return {double(timer.nsecsElapsed()) / 1e6, ProcessorMilliseconds() - processor, stalls.Longest(),
                strip.SlideCount()};
    }
};

// The old drop, step for step, on the window's thread.
DropFigures SequentialDrop(const QStringList &paths)
{
    Strip s;
    const StallMeter stalls;
    int added = 0;
    for (const QString &path : paths) {
        QCoreApplication::processEvents();
        const bool stripWasEmpty = s.strip.SlideCount() == 0;
        auto *box = new TRectBox;
        MakeSlideFromPicture(*box, path, SlideDefaults{});
        box->SetLeft(DroppedSlideLeft(stripWasEmpty, 0, added));
        box->SetTop(10);
        s.strip.AdoptSlide(box);
        ++added;
        s.strip.LayoutSlides();
    }
    QCoreApplication::processEvents();
    return s.Figures(stalls);
}

DropFigures WorkerDrop(const QStringList &paths)
{
    Strip s;
    const StallMeter stalls;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (s.strip.RunningWork() == TSlideStrip::Work::None)
            loop.quit();
    });
    poll.start(5);
    s.strip.ScrollBox1DragDrop(0, paths);
    loop.exec();
    return s.Figures(stalls);
}

} // namespace

VISTRANO_BENCH(slide_strip_drop_200_photos)
{
    if (context.photos.isEmpty()) {
        std::printf("no photos\n");
        return;
    }
    const QStringList paths = LinkedPhotos(context, kPhotos, QStringLiteral("photos200"));
    const DropFigures before = SequentialDrop(paths);
    const DropFigures now = WorkerDrop(paths);
    PrintFigure(QStringLiteral("drop of 200 photos, on the window's thread (as before)"), before.milliseconds, "ms",
                QStringLiteral("(%1 slides)").arg(before.slides));
    PrintFigure(QStringLiteral("  processor time"), before.processor, "ms");
    PrintFigure(QStringLiteral("  longest event-loop stall"), before.stall, "ms");
    PrintFigure(QStringLiteral("drop of 200 photos, on workers"), now.milliseconds, "ms",
                QStringLiteral("(%1 slides)").arg(now.slides));
    PrintFigure(QStringLiteral("  processor time"), now.processor, "ms");
    PrintFigure(QStringLiteral("  longest event-loop stall"), now.stall, "ms",
                QStringLiteral("goal: at most 100 ms (%1)").arg(now.stall <= 100 ? "met" : "NOT met"));
    const double ratio = now.milliseconds / before.milliseconds;
    PrintFigure(QStringLiteral("drop on workers / as before"), ratio, "x",
                QStringLiteral("goal: at most 0.6 (%1)").arg(ratio <= 0.6 ? "met" : "NOT met"));
}

#endif

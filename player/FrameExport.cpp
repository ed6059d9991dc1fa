#include "player/FrameExport.h"

#include "common/VistranoError.h"
#include "player/PackageSlides.h"
#include "player/ShowRenderer.h"
#include "show/ShowPackage.h"

#include <QDir>

namespace {

void SaveFrame(const QImage &frame, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    if (!frame.save(path, "PNG"))
        throw VistranoError(QStringLiteral("Cannot write file %1").arg(path));
}

} // namespace

double TransitionMiddle(const TimedSlide &slide)
{
    return slide.start + slide.transitionLength / 2;
}

QSize FrameScreenSize(const ShowPackage &show)
{
    return show.screenSize.isValid() ? show.screenSize : QSize(1024, 768);
}

int ExportFrames(const ShowPackage &show, const QString &folder)
{
    const QDir dir(folder);
    if (!QDir().mkpath(folder))
        throw VistranoError(QStringLiteral("Cannot create folder %1").arg(folder));
    const ShowTimeline timeline = PackageTimeline(show);
    ShowRenderer renderer(int(show.slides.size()), PackageSlideSource(show), FrameScreenSize(show));
    int written = 0;
    for (int i = 0; i < int(show.slides.size()); ++i) {
        const TimedSlide &timed = timeline.slides[size_t(i)];
        const QString stem = QStringLiteral("slide-%1").arg(show.slides[size_t(i)].number, 3, 10, QLatin1Char('0'));
        SaveFrame(renderer.Frame(MomentAt(timeline, TransitionMiddle(timed))), dir, stem + "-transition.png");
        SaveFrame(renderer.Frame(ShownMoment(timeline, i)), dir, stem + ".png");
        written += 2;
        renderer.KeepSlides(i, i);
    }
    return written;
}

QString SlideLine(const ShowSlide &slide)
{
    QString caption = slide.caption;
    caption.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QStringLiteral("%1\t%2\t%3\t%4")
        .arg(slide.number)
        .arg(slide.duration, 0, 'f', 2)
        .arg(slide.transition)
        .arg(caption);
}

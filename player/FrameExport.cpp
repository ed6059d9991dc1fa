#include "player/FrameExport.h"

#include "common/VistranoError.h"
#include "player/SlideFrame.h"
#include "player/TransitionFrame.h"
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

QSize FrameScreenSize(const ShowPackage &show)
{
    return show.screenSize.isValid() ? show.screenSize : QSize(1024, 768);
}

QStringList SlideNotes(const ShowPackage &show, int index, bool pictureDecodes)
{
    QStringList notes;
    if (index == 0)
        notes << show.problems;
    const ShowSlide &slide = show.slides[size_t(index)];
    notes << slide.problems;
    if (!pictureDecodes && !slide.jpeg.isEmpty())
        notes << QStringLiteral("The picture of slide %1 cannot be decoded.").arg(slide.number);
    return notes;
}

int ExportFrames(const ShowPackage &show, const QString &folder)
{
    const QSize screen = FrameScreenSize(show);
    const QDir dir(folder);
    if (!QDir().mkpath(folder))
        throw VistranoError(QStringLiteral("Cannot create folder %1").arg(folder));
    QImage previous(screen, QImage::Format_RGB32);
    previous.fill(Qt::black);
    int written = 0;
    for (int i = 0; i < int(show.slides.size()); ++i) {
        const ShowSlide &slide = show.slides[size_t(i)];
        const QImage picture = DecodeSlidePicture(slide.jpeg);
        const QImage frame = RenderSlideFrame(picture, slide.caption, SlideNotes(show, i, !picture.isNull()), screen);
        const QString stem = QStringLiteral("slide-%1").arg(slide.number, 3, 10, QLatin1Char('0'));
        SaveFrame(ComposeTransitionFrame(previous, frame, slide.transition, 0.5), dir, stem + "-transition.png");
        SaveFrame(frame, dir, stem + ".png");
        written += 2;
        previous = frame;
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

#include "show/SlideshowBuild.h"

#include "common/FileIdentity.h"
#include "common/FileReplacement.h"
#include "common/OrderedWork.h"
#include "common/Text8Bit.h"
#include "common/VistranoError.h"
#include "project/RectBoxProperties.h"
#include "shell/GaugePercent.h"
#include "show/PackageFile.h"
#include "show/PackageMarkers.h"
#include "show/PackageWriter.h"
#include "show/ScreenSizes.h"
#include "show/SlideRendering.h"
#include "show/TemplateCopy.h"
#include "show/ValueFormats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <vector>

namespace {


void Report(const BuildProgressCallback &progress, const QString &status, int gauge)
{
    if (progress)
        progress(BuildProgress{status, gauge});
}

QString AbsolutePath(const QString &path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

// The marker prefix the bytes hold, for a message; empty when they hold none.
QString MarkerIn(QByteArrayView bytes)
{
    for (const QByteArray &prefix : {StartMarkerPrefix(), EndMarkerPrefix()}) {
        if (bytes.contains(prefix))
            return QString::fromLatin1(prefix);
    }
    return {};
}

std::vector<QByteArray> CaptionValues(const QList<BuildSlide> &slides)
{
    std::vector<QByteArray> captions;
    for (int i = 0; i < slides.size(); ++i) {
        QByteArray caption = EncodeText8(slides[i].Caption);
        const QString marker = MarkerIn(caption);
        if (!marker.isEmpty())
            throw VistranoError(QStringLiteral("The caption of slide %1 holds the text \"%2\", which a slideshow "
                                               "cannot store. Change the caption and build again.")
                                    .arg(i + 1)
                                    .arg(marker));
        captions.push_back(std::move(caption));
    }
    return captions;
}

// The audio file field counts when its text is greater than a single space,
// byte by byte: not when empty, a lone space, or starting with a control
// character.
std::vector<PackageSection> AudioSections(const QString &field)
{
    const QByteArray text = EncodeText8(field);
    if (!(text > QByteArray(" ")))
        return {};
    const QString path = AbsolutePath(field);
    QByteArray audio = LoadFileAsBytes(path);
    const QString name = QFileInfo(field).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QByteArray extension = dot < 0 ? QByteArray() : EncodeText8(name.mid(dot));
    QString marker = MarkerIn(audio);
    if (marker.isEmpty())
        marker = MarkerIn(extension);
    if (!marker.isEmpty())
        throw VistranoError(QStringLiteral("The background audio file %1 holds the text \"%2\", which a slideshow "
                                           "cannot store. Choose another audio file.")
                                .arg(path, marker));
    return {{"BGAUDIO", std::move(audio)}, {"BGAUDIOEXT", std::move(extension)}};
}

// The show is written to a file beside the target, which takes the target's
// place only when the show is complete. The target may be none of the
// build's inputs: not the template (the copy would go over what it copies)
// and not the audio or a picture.
FileReplacement CreateOutput(const QString &target, const QString &templatePath, const QList<BuildSlide> &slides,
                             const QString &audioField)
{
    if (SameFile(target, templatePath))
        throw VistranoError(QStringLiteral("Error copying needed file!"));
    QStringList inputs;
    if (!audioField.isEmpty())
        inputs << AbsolutePath(audioField);
    for (const BuildSlide &slide : slides)
        inputs << AbsolutePath(slide.FileName);
    RefuseWritingOverInputs(target, inputs);
    try {
        return FileReplacement(target);
    } catch (const VistranoError &error) {
        throw VistranoError(QStringLiteral("Error copying needed file! %1").arg(error.message()));
    }
}

// A slide's JPEG and the way its picture moves, made on a worker.
struct RenderedSlide
{
    QByteArray jpeg;
    MotionPath motion = MotionPath::Still;
};

} // namespace

BuildSlide BuildSlideOf(const RectBoxProperties &box)
{
    return BuildSlide{box.FileName(), box.Rotation(), box.AbLeft(), box.AbTop(), box.Caption(), box.Motion()};
}

QString DefaultTemplatePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kv.dll"));
}

void BuildSlideshow(const QString &outputPath, const QList<BuildSlide> &slides, const BuildOptions &options,
                    const BuildProgressCallback &progress)
{
    if (slides.isEmpty())
        throw VistranoError(QStringLiteral("You need to add some slides first!"));
    if (options.OutputWidth < 1 || options.OutputHeight < 1 || options.OutputWidth > kMaxScreenSide
        || options.OutputHeight > kMaxScreenSide)
        throw VistranoError(
            QStringLiteral("Invalid screen size %1 X %2").arg(options.OutputWidth).arg(options.OutputHeight));
    if (options.Compression < 0 || options.Compression > 99)
        throw VistranoError(QStringLiteral("Invalid compression %1").arg(options.Compression));
    const int quality = 100 - options.Compression;
    const QSize screen(options.OutputWidth, options.OutputHeight);
    const std::vector<QByteArray> captions = CaptionValues(slides);
    const QString target = AbsolutePath(outputPath);
    const QString templatePath =
        AbsolutePath(options.TemplatePath.isEmpty() ? DefaultTemplatePath() : options.TemplatePath);

    FileReplacement output = CreateOutput(target, templatePath, slides, options.BackgroundAudio);
    CopyTemplate(templatePath, output.TemporaryPath());
    Report(progress, {}, 0);

    PackageWriter writer(output.TemporaryPath(), target);
    writer.Append({{"OWidth", QByteArray::number(screen.width())},
                   {"OHeight", QByteArray::number(screen.height())},
                   {"ImageCount", "0"}});
    // The count moves behind the audio at once, as the first slide would move
    // it, so that the file is not rewritten around the audio for that. The
    // replacement writes the audio before it touches the old count, so a
    // failed write leaves the package with its count.
    const std::vector<PackageSection> audio = AudioSections(options.BackgroundAudio);
    if (!audio.empty())
        writer.AppendAndReplaceLast(audio, {"ImageCount", "0"});

    // The slides are rendered ahead on workers and appended in slide order;
    // each slide's JPEG depends on that slide alone. Several workers resample
    // on their own threads; a lone one may use the cores for the pictures
    // that are decoded whole.
    const int count = int(slides.size());
    QStringList files;
    for (const BuildSlide &slide : slides)
        files << AbsolutePath(slide.FileName);
    const int workers = TOrderedWork<QByteArray>::ThreadsFor(options.Threads, count);
    TOrderedWork<RenderedSlide> rendered(
        count,
        [&](int index) {
            const BuildSlide &slide = slides[index];
            const bool moves = slide.Motion != SlideMotion::None;
            const QImage picture =
                RenderSlidePicture(files[index], slide.Rotation, screen, index + 1, SlideFit::BeforeRotation,
                                   workers > 1 ? 1 : 0, moves ? kMotionOversize : 1.0);
            return RenderedSlide{EncodeSlideJpeg(picture, quality),
                                 ResolveMotion(slide.Motion, index + 1, slide.FileName, picture.size())};
        },
        workers);
    for (int n = 1; n <= count; ++n) {
        const BuildSlide &slide = slides[n - 1];
        Report(progress, QStringLiteral("Rendering Slide %1...").arg(n), -1);
        RenderedSlide made = rendered.Take(n - 1);
        const QByteArray number = QByteArray::number(n);
        std::vector<PackageSection> sections{{"dur" + number, FormatDuration(slide.AbLeft)},
                                             {"tran" + number, FormatTransition(slide.AbTop)},
                                             {"cap" + number, captions[size_t(n - 1)]},
                                             {"jpg" + number, std::move(made.jpeg)}};
        // Only a slide that moves gets the section, so a show without motion
        // keeps its bytes, and a player that does not know it shows the
        // (larger) picture still.
        if (made.motion != MotionPath::Still)
            sections.push_back({"motion" + number, MotionPathText(made.motion).toLatin1()});
        writer.AppendAndReplaceLast(sections, {"ImageCount", number});
        Report(progress, QStringLiteral("Added : %1").arg(n), GaugePercent(n, count));
    }
    output.Commit();
    // The show is complete: a stop that the last report brings has nothing
    // left to stop, and must not report a finished show as stopped.
    try {
        Report(progress, QStringLiteral("Done!"), 0);
    } catch (...) {
    }
}

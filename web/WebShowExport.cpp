#include "web/WebShowExport.h"

#include "common/FileIdentity.h"
#include "common/FileReplacement.h"
#include "common/Text8Bit.h"
#include "shell/GaugePercent.h"
#include "show/ScreenSizes.h"
#include "show/SlideRendering.h"
#include "video/VideoOptions.h"
#include "web/WebShowAudio.h"
#include "web/WebShowData.h"
#include "web/WebShowTemplate.h"

#include <QFileInfo>

#include <algorithm>

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

// The audio field counts as the build reads it: when its text is greater
// than a single space.
bool HasAudio(const QString &field)
{
    return EncodeText8(field) > QByteArray(" ");
}

void CheckOptions(const WebShowOptions &options)
{
    const QSize size = options.size;
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxScreenSide || size.height() > kMaxScreenSide)
        throw VistranoError(QStringLiteral("Invalid screen size %1 X %2").arg(size.width()).arg(size.height()));
    if (options.compression < 0 || options.compression > 99)
        throw VistranoError(QStringLiteral("Invalid compression %1").arg(options.compression));
}

void RefuseOverwritingInputs(const QString &target, const QList<BuildSlide> &slides, const QString &audioField)
{
    QStringList inputs;
    if (HasAudio(audioField))
        inputs << AbsolutePath(audioField);
    for (const BuildSlide &slide : slides)
        inputs << AbsolutePath(slide.FileName);
    RefuseWritingOverInputs(target, inputs);
}

// A picture as the page holds it; the base64 goes out in pieces, so that a
// large picture is not held twice over.
void WriteSlide(FileReplacement &output, const QByteArray &jpeg)
{
    output.Write("<div class=\"frame\"><img alt=\"\" src=\"data:image/jpeg;base64,");
    constexpr qsizetype kPiece = 3 * 64 * 1024;
    for (qsizetype at = 0; at < jpeg.size(); at += kPiece)
        output.Write(jpeg.mid(at, kPiece).toBase64());
    output.Write("\"></div>\n");
}

} // namespace

WebShowResult ExportWebShow(const QString &outputPath, const QList<BuildSlide> &slides, const WebShowOptions &options,
                            const BuildProgressCallback &progress, const std::atomic<bool> *stop)
{
    if (slides.isEmpty())
        throw VistranoError(QStringLiteral("You need to add some slides first!"));
    CheckOptions(options);
    const QString target = AbsolutePath(outputPath);
    RefuseOverwritingInputs(target, slides, options.backgroundAudio);
    const ShowTimeline timeline = WebShowTimeline(slides);
    const bool moves = std::any_of(slides.begin(), slides.end(),
                                   [](const BuildSlide &slide) { return slide.Motion != SlideMotion::None; });
    const WebShowTemplate page = LoadWebShowTemplate(QFileInfo(target).completeBaseName(), moves);
    const int quality = 100 - options.compression;

    WebShowResult result;
    result.seconds = timeline.length;
    WebShowAudio audio;
    if (HasAudio(options.backgroundAudio)) {
        Report(progress, QStringLiteral("Converting the background audio..."), -1);
        try {
            audio = MakeWebShowAudio(AbsolutePath(options.backgroundAudio), timeline.length);
            result.hasSound = true;
            result.audioBytes = audio.bytes.size();
        } catch (const VistranoError &error) {
            result.audioProblem = error.message();
        }
    }

    FileReplacement output(target);
    Report(progress, {}, 0);
    output.Write(page.head);
    QList<WebSlide> described;
    const int count = int(slides.size());
    for (int n = 1; n <= count; ++n) {
        if (stop && *stop)
            throw WebShowStopped();
        const BuildSlide &slide = slides[n - 1];
        Report(progress, QStringLiteral("Rendering Slide %1...").arg(n), -1);
        // A moving slide is rendered larger, as the build renders it, so that
        // its closest view still has a pixel per pixel of the screen.
        const double oversize = slide.Motion != SlideMotion::None ? kMotionOversize : 1.0;
        const QImage picture = RenderSlidePicture(AbsolutePath(slide.FileName), slide.Rotation, options.size, n,
                                                  SlideFit::BeforeRotation, 0, oversize);
        const QByteArray jpeg = EncodeSlideJpeg(picture, quality);
        WriteSlide(output, jpeg);
        result.pictureBytes += jpeg.size();
        described.append(
            WebSlide{picture.size(), slide.Caption, ResolveMotion(slide.Motion, n, slide.FileName, picture.size())});
        Report(progress, QStringLiteral("Added : %1").arg(n), GaugePercent(n, count));
    }
    output.Write(page.middle);
    if (result.hasSound) {
        output.Write("<audio id=\"audio\" preload=\"auto\" loop src=\"data:" + audio.mimeType + ";base64,");
        output.Write(audio.bytes.toBase64());
        output.Write("\"></audio>\n");
    }
    output.Write(page.beforeData);
    output.Write(WebShowDataJson(timeline, described, audio.fadesOut));
    output.Write(page.tail);
    output.Commit();
    result.pageBytes = QFileInfo(target).size();
    Report(progress, QStringLiteral("Done!"), 0);
    return result;
}

QString DefaultWebShowPath(const QString &projectPath, const QString &lastFolder)
{
    return DefaultExportPath(projectPath, lastFolder, QStringLiteral(".html"));
}

// The phone and web formats: thumbnails of 50 HEIC and 50 WebP photos of
// 12 MP beside heif-thumbnailer -s 128 and dwebp -resize of the same files,
// and the full decode of a 12-MP HEIC beside heif-convert, all in the same
// run. The photos are made once from the photo JPEGs (heif-enc with an
// embedded 320-pixel thumbnail as phones write them, with x265's fastest
// preset, as a phone's hardware encoder works; cwebp) and kept beside them.

#include "browser/ThumbnailCell.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "imaging/Resampling.h"
#include "tests/bench/Bench.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPhotos = 50;
constexpr int kCell = 128;

bool Run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, args);
    return process.waitForStarted() && process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// photo_NN.<extension> for NN below kPhotos, made from the JPEGs in turn;
// each gets a quality of its own so that no two files are alike.
QStringList PhoneFiles(const BenchContext &context, const QString &extension)
{
    const QString folder = context.photoDir + QStringLiteral("/phone");
    QDir().mkpath(folder);
    QStringList files;
    for (int i = 0; i < kPhotos && !context.photos.isEmpty(); ++i) {
        const QString file = QStringLiteral("%1/photo_%2.%3").arg(folder).arg(i, 2, 10, QLatin1Char('0')).arg(extension);
        if (!QFile::exists(file)) {
            const QString source = context.photos[i % context.photos.size()];
            const QString quality = QString::number(50 + i % 30);
            const bool made = extension == QLatin1String("heic")
                                  ? Run(QStringLiteral("heif-enc"), {QStringLiteral("-q"), quality, QStringLiteral("-t"),
                                                                     QStringLiteral("320"), QStringLiteral("-p"),
                                                                     QStringLiteral("preset=ultrafast"), QStringLiteral("-o"),
                                                                     file, source})
                                  : Run(QStringLiteral("cwebp"), {QStringLiteral("-quiet"), QStringLiteral("-q"), quality,
                                                                  source, QStringLiteral("-o"), file});
            if (!made) {
                QFile::remove(file);
                std::printf("cannot make %s (heif-enc and cwebp are needed)\n", qPrintable(file));
                return {};
            }
        }
        files << file;
    }
    return files;
}

// A thumbnail as the thumbnail view makes it: the upright small picture
// drawn into its cell.
void OurThumbnail(const QString &path)
{
    MakeThumbnailCell(LoadUprightPicture(path, JPEGReadScale::Eighth, QSize(kCell, kCell)), kCell, Qt::white);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Runs ours and the tool on every file, alternately so that both see the
// same load, three rounds; prints the totals (medians of the rounds).
void CompareThumbnails(const QString &label, const QStringList &files,
                       const std::function<QStringList(const QString &)> &toolArgs, const QString &tool)
{
    const double start = MedianCommandMilliseconds(5, QStringLiteral("true"), {});
    std::vector<double> ours, theirs;
    for (int round = 0; round < 3; ++round) {
        double oursTotal = 0, theirsTotal = 0;
        for (const QString &file : files) {
            oursTotal += MedianMilliseconds(1, [&] { OurThumbnail(file); });
            theirsTotal += MedianCommandMilliseconds(1, tool, toolArgs(file));
        }
        ours.push_back(oursTotal);
        theirs.push_back(theirsTotal);
    }
    const double o = Median(ours), t = Median(theirs), bare = t - start * double(files.size());
    PrintFigure(label + QStringLiteral(": ours, %1 files").arg(files.size()), o, "ms");
    PrintFigure(label + QStringLiteral(": ") + tool, t, "ms", QStringLiteral("ours / it %1").arg(o / t, 0, 'f', 2));
    PrintFigure(label + QStringLiteral(": ") + tool + QStringLiteral(" less process starts"), bare, "ms",
                QStringLiteral("ours / it %1 (goal <= 1.2)").arg(o / bare, 0, 'f', 2));
}

} // namespace

VISTRANO_BENCH(phone_thumbnails)
{
    const TFileFormatRegistration formats;
    const QStringList heic = PhoneFiles(context, QStringLiteral("heic"));
    const QStringList webp = PhoneFiles(context, QStringLiteral("webp"));
    const QString png = context.workDir + QStringLiteral("/thumbnail.png");
    if (!heic.isEmpty())
        CompareThumbnails(QStringLiteral("HEIC thumbnails"), heic,
                          [&](const QString &file) { return QStringList{QStringLiteral("-s"), QString::number(kCell), file, png}; },
                          QStringLiteral("heif-thumbnailer"));
    if (!webp.isEmpty()) {
        // dwebp scales while decoding, to the size of the picture in its cell.
        const QImage probe = LoadPictureFile(webp.first(), JPEGReadScale::Eighth);
        const QSize fitted = FitInBox(kCell, kCell, probe.width(), probe.height());
        CompareThumbnails(QStringLiteral("WebP thumbnails"), webp,
                          [&](const QString &file) {
                              return QStringList{QStringLiteral("-quiet"), file, QStringLiteral("-resize"),
                                                 QString::number(fitted.width()), QString::number(fitted.height()),
                                                 QStringLiteral("-ppm"), QStringLiteral("-o"), QStringLiteral("/dev/null")};
                          },
                          QStringLiteral("dwebp"));
    }
}

VISTRANO_BENCH(heic_full_decode)
{
    const TFileFormatRegistration formats;
    const QStringList heic = PhoneFiles(context, QStringLiteral("heic"));
    if (heic.isEmpty())
        return;
    const QString photo = heic.first();
    const QImage probe = LoadPictureFile(photo, JPEGReadScale::Whole);
    const QString label = QStringLiteral("HEIC %1x%2 whole").arg(probe.width()).arg(probe.height());
    const double start = MedianCommandMilliseconds(5, QStringLiteral("true"), {});
    std::vector<double> ours, y4m, png;
    for (int i = 0; i < 5; ++i) {
        ours.push_back(MedianMilliseconds(1, [&] { LoadPictureFile(photo, JPEGReadScale::Whole); }));
        y4m.push_back(MedianCommandMilliseconds(1, QStringLiteral("heif-convert"),
                                                {QStringLiteral("--quiet"), photo, context.workDir + QStringLiteral("/out.y4m")}));
        png.push_back(MedianCommandMilliseconds(1, QStringLiteral("heif-convert"),
                                                {QStringLiteral("--quiet"), photo, context.workDir + QStringLiteral("/out.png")}));
    }
    const double o = Median(ours), y = Median(y4m) - start, p = Median(png) - start;
    PrintFigure(label + QStringLiteral(": ours (24-bit RGB)"), o, "ms");
    PrintFigure(label + QStringLiteral(": heif-convert to y4m, less process start"), y, "ms",
                QStringLiteral("ours / it %1 (it writes YCbCr, no colour conversion)").arg(o / y, 0, 'f', 2));
    PrintFigure(label + QStringLiteral(": heif-convert to PNG, less process start"), p, "ms",
                QStringLiteral("ours / it %1 (goal <= 1.2)").arg(o / p, 0, 'f', 2));
}

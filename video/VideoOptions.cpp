#include "video/VideoOptions.h"

#include "common/VistranoError.h"
#include "show/ScreenSizes.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLargestSide = 4096;
constexpr int kBestCrf = 16;
constexpr int kSmallestCrf = 28; // the "Smaller file" end

} // namespace

QList<QSize> VideoSizes()
{
    QList<QSize> sizes{QSize(1280, 720), QSize(1920, 1080), QSize(3840, 2160), QSize(1080, 1920)};
    for (const QSize size : ShowScreenSizes()) {
        if (!sizes.contains(size))
            sizes.append(size);
    }
    return sizes;
}

QString VideoSizeText(QSize size)
{
    return ScreenSizeText(size);
}

QList<int> VideoFrameRates()
{
    return {24, 25, 30, 60};
}

int CrfOfQualityStep(int step)
{
    return kSmallestCrf - std::clamp(step, 0, kQualitySteps) * (kSmallestCrf - kBestCrf) / kQualitySteps;
}

bool UsesBt709(QSize size)
{
    return qint64(size.width()) * size.height() >= 1280 * 720;
}

void CheckVideoOptions(const VideoOptions &options)
{
    const QSize size = options.size;
    if (size.width() < 16 || size.height() < 16 || size.width() > kLargestSide || size.height() > kLargestSide
        || size.width() % 2 != 0 || size.height() % 2 != 0)
        throw VistranoError(QStringLiteral("A video cannot be made at %1 X %2: both sides must be even, from 16 to %3")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(kLargestSide));
    if (options.fps < 1 || options.fps > 120)
        throw VistranoError(QStringLiteral("A video cannot be made at %1 frames a second").arg(options.fps));
    if (options.crf < 0 || options.crf > 51)
        throw VistranoError(QStringLiteral("The rate factor %1 is not between 0 and 51").arg(options.crf));
}

QString DefaultVideoPath(const QString &projectPath, const QString &lastFolder)
{
    return DefaultExportPath(projectPath, lastFolder, QStringLiteral(".mp4"));
}

QString DefaultExportPath(const QString &projectPath, const QString &lastFolder, const QString &extension)
{
    const QFileInfo project(projectPath);
    const QString base = projectPath.isEmpty() ? QStringLiteral("MyShow1") : project.completeBaseName();
    QString folder = lastFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = projectPath.isEmpty() ? QDir::homePath() : project.absolutePath();
    return QDir(folder).filePath(base + extension);
}

QString DurationText(double seconds)
{
    const long long whole = std::isfinite(seconds) && seconds > 0 ? (long long)std::ceil(seconds - 1e-6) : 0;
    const long long hours = whole / 3600;
    const long long minutes = whole / 60 % 60;
    const long long rest = whole % 60;
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(rest, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(minutes).arg(rest, 2, 10, QLatin1Char('0'));
}

QString VideoFileName(const QString &typed, const QString &proposedFile)
{
    const QString name = QDir::fromNativeSeparators(typed.trimmed());
    if (name.isEmpty())
        return {};
    QFileInfo file(name);
    if (file.isRelative())
        file = QFileInfo(QFileInfo(proposedFile).absoluteDir(), name);
    QString path = QDir::cleanPath(file.absoluteFilePath());
    if (file.suffix().isEmpty() && !name.endsWith(QLatin1Char('/')))
        path += QStringLiteral(".mp4");
    return path;
}

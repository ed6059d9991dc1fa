#include "imaging/Resampling.h"

#include "common/VistranoError.h"
#include "imaging/ContributorWindows.h"
#include "imaging/Contributors.h"
#include "imaging/ParallelRanges.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureLoading.h"
#include "imaging/ResamplingFilters.h"
#include "imaging/ResamplingOptions.h"

#include <cmath>
#include <memory>
#include <new>
#include <thread>

namespace {

// Below this many multiply-adds a pass runs on the calling thread: starting
// a thread costs about as much as a small thumbnail's whole pass.
constexpr int64_t kWorkPerThread = 4'000'000;

int ThreadsFor(int64_t work, int requested)
{
    if (requested > 0)
        return requested;
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    return int(std::clamp<int64_t>(work / kWorkPerThread, 1, std::min(cores, 8)));
}

int64_t WindowWork(const WindowedContributors &contributors)
{
    int64_t work = 0;
    for (size_t i = 0; i < contributors.windows.size(); ++i)
        work += contributors.windows[i].packed ? contributors.windows[i].length
                                               : int64_t(contributors.entries[i].size());
    return work;
}

[[noreturn]] void ThrowNoMemory(int width, int height)
{
    throw VistranoError(QStringLiteral("Not enough memory to resample the picture to %1 by %2 pixels.")
                            .arg(width)
                            .arg(height));
}

void CheckTargetSize(int width, int height)
{
    if (width < 0 || height < 0 || (width > 0 && height > 0 && !PictureSizeAllowed(width, height)))
        CheckPictureSize(width, height); // throws with the size in its message
}

} // namespace

void StretchBitmap(int newWidth, int newHeight, ResamplingFilter filter, float radius, QImage &bitmap)
{
    StretchBitmapWith(newWidth, newHeight, filter, radius, bitmap, ResamplingOptions{});
}

void StretchBitmapWith(int newWidth, int newHeight, ResamplingFilter filter, float radius, QImage &bitmap,
                       const ResamplingOptions &options)
{
    radius = EffectiveFilterRadius(filter, radius);
    CheckTargetSize(newWidth, newHeight);

    // Converted first: should the resampling fail, the caller keeps the
    // picture in 24 bits.
    bitmap = MakeBitmap24(bitmap);
    const int sourceWidth = bitmap.width();
    const int sourceHeight = bitmap.height();
    if (sourceWidth == 0 || sourceHeight == 0 || newWidth == 0 || newHeight == 0) {
        // No weights to compute: the picture becomes a new, black target.
        QImage target(newWidth, newHeight, QImage::Format_BGR888);
        if (newWidth > 0 && newHeight > 0) {
            if (target.isNull())
                ThrowNoMemory(newWidth, newHeight);
            target.fill(Qt::black);
        }
        bitmap = target;
        return;
    }
    if (!PictureSizeAllowed(newWidth, sourceHeight))
        throw EInvalidGraphic(QStringLiteral("Cannot resample a picture of %1 by %2 pixels to %3 by %4 pixels: "
                                             "the intermediate picture would be too large.")
                                  .arg(sourceWidth)
                                  .arg(sourceHeight)
                                  .arg(newWidth)
                                  .arg(newHeight));

    const PixelPath path = PixelPathAvailable(options.path) ? options.path : PixelPath::Scalar;
    try {
        const WindowedContributors columns = MakeContributorWindows(
            BuildContributors(newWidth, sourceWidth, filter, radius), sourceWidth, kHorizontalGranule);
        const ptrdiff_t stride = IntermediateStride(newWidth);
        const auto intermediate = std::make_unique_for_overwrite<uint8_t[]>(size_t(stride) * size_t(sourceHeight));
        const PassSource source{bitmap.constBits(), bitmap.bytesPerLine(), sourceWidth};
        const PassTarget across{intermediate.get(), stride, newWidth};
        RunInParallel(ThreadsFor(WindowWork(columns) * sourceHeight, options.threads), sourceHeight,
                      [&](int begin, int end) { HorizontalPass(source, across, begin, end, columns, path); });

        const WindowedContributors rows = MakeContributorWindows(
            BuildContributors(newHeight, sourceHeight, filter, radius), sourceHeight, kVerticalGranule);
        QImage target(newWidth, newHeight, QImage::Format_BGR888);
        if (target.isNull())
            ThrowNoMemory(newWidth, newHeight);
        const PassSource down{intermediate.get(), stride, newWidth};
        const PassTarget result{target.bits(), target.bytesPerLine(), newWidth};
        RunInParallel(ThreadsFor(WindowWork(rows) * newWidth * 3, options.threads), newHeight,
                      [&](int begin, int end) { VerticalPass(down, result, begin, end, rows, path); });
        bitmap = target;
    } catch (const std::bad_alloc &) {
        ThrowNoMemory(newWidth, newHeight);
    }
}

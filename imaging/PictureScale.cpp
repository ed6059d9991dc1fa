#include "imaging/PictureScale.h"

#include "imaging/PictureLimits.h"
#include "imaging/Resampling.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

QSize ScaledPictureSize(QSize full, int divisor)
{
    divisor = std::max(1, divisor);
    return QSize((full.width() + divisor - 1) / divisor, (full.height() + divisor - 1) / divisor);
}

QSize NeededPictureSize(QSize full, const TPictureScale &scale)
{
    const QSize scaled = ScaledPictureSize(full, scale.divisor);
    if (!scale.box.isValid() || scale.box.isEmpty())
        return scaled;
    const QSize fitted = FitInBox(scale.box.width(), scale.box.height(), full.width(), full.height());
    return fitted.boundedTo(scaled);
}

bool ThumbnailServes(QSize thumbnail, QSize full, const TPictureScale &scale)
{
    if (thumbnail.isEmpty() || full.isEmpty())
        return false;
    const QSize needed = NeededPictureSize(full, scale);
    if (thumbnail.width() < needed.width() || thumbnail.height() < needed.height())
        return false;
    // |tw / th - W / H| within what rounding either side by a pixel gives.
    const long long cross = std::llabs(1LL * thumbnail.width() * full.height() - 1LL * thumbnail.height() * full.width());
    return cross <= std::max(full.width(), full.height());
}

QImage ReducedPicture(const QImage &picture, int divisor)
{
    if (divisor <= 1 || picture.isNull())
        return picture;
    const QImage source = picture.format() == QImage::Format_BGR888 ? picture
                                                                     : picture.convertToFormat(QImage::Format_BGR888);
    const int width = source.width(), height = source.height();
    const QSize size = ScaledPictureSize(source.size(), divisor);
    QImage result = NewPictureImage(size.width(), size.height(), QImage::Format_BGR888);
    std::vector<unsigned> sums(size_t(size.width()) * 3);
    for (int ty = 0; ty < size.height(); ++ty) {
        std::fill(sums.begin(), sums.end(), 0u);
        const int y0 = ty * divisor, y1 = std::min(height, y0 + divisor);
        for (int y = y0; y < y1; ++y) {
            const uchar *in = source.constScanLine(y);
            for (int tx = 0, x = 0; tx < size.width(); ++tx) {
                unsigned *sum = &sums[size_t(tx) * 3];
                for (const int end = std::min(width, x + divisor); x < end; ++x, in += 3) {
                    sum[0] += in[0];
                    sum[1] += in[1];
                    sum[2] += in[2];
                }
            }
        }
        uchar *out = result.scanLine(ty);
        const unsigned rows = unsigned(y1 - y0);
        for (int tx = 0; tx < size.width(); ++tx) {
            const unsigned columns = unsigned(std::min(width, (tx + 1) * divisor) - tx * divisor);
            const unsigned count = rows * columns;
            for (int c = 0; c < 3; ++c)
                out[3 * tx + c] = uchar((sums[size_t(tx) * 3 + size_t(c)] + count / 2) / count);
        }
    }
    return result;
}

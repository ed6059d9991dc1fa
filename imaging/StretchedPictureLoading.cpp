#include "imaging/StretchedPictureLoading.h"

#include "common/VistranoError.h"
#include "imaging/JPEGRowReader.h"
#include "imaging/JPEG_IO.h"
#include "imaging/PictureLoading.h"
#include "imaging/ResamplingOptions.h"
#include "imaging/StreamedResampling.h"

#include <QByteArray>

#include <cstring>
#include <vector>

namespace {

// Rows decoded at once: enough to keep the library's calls few, little
// enough to stay in the cache.
constexpr int kStripRows = 16;

// A grey row as blue, green and red: each sample three times, as the whole
// decode's conversion to 24 bits gives it.
void SpreadGrey(const uint8_t *grey, uint8_t *bgr, int width)
{
    for (int x = 0; x < width; ++x, bgr += 3)
        bgr[0] = bgr[1] = bgr[2] = grey[x];
}

QImage StreamJPEG(TJPEGRowReader &reader, const PictureSizeFit &fit, ResamplingFilter filter, float radius)
{
    const int width = reader.Width();
    const int height = reader.Height();
    TStreamedResampler resampler(QSize(width, height), fit(QSize(width, height)), filter, radius);
    const bool grey = reader.Format() == QImage::Format_Grayscale8;
    const ptrdiff_t stride = ptrdiff_t(width) * 3;
    const int stripRows = std::min(kStripRows, height);
    std::vector<uint8_t> strip(size_t(stride) * size_t(stripRows));
    std::vector<uint8_t> greyStrip(grey ? size_t(width) * size_t(stripRows) : 0);
    std::vector<uint8_t *> rows(static_cast<size_t>(stripRows));
    for (int i = 0; i < stripRows; ++i)
        rows[size_t(i)] = grey ? greyStrip.data() + ptrdiff_t(i) * width : strip.data() + ptrdiff_t(i) * stride;

    // Once the data breaks off, the rows it no longer gives are black, as in
    // the whole decode: every row from the reader's next row on.
    bool intact = reader.Start();
    bool black = false;
    while (resampler.RowsTaken() < height) {
        if (intact) {
            int read = 0;
            intact = reader.ReadRows(rows.data(), stripRows, read) && read > 0;
            const int good = reader.NextRow() - resampler.RowsTaken();
            if (grey) {
                for (int i = 0; i < good; ++i)
                    SpreadGrey(rows[size_t(i)], strip.data() + ptrdiff_t(i) * stride, width);
            }
            resampler.AddRows(strip.data(), stride, good);
            continue;
        }
        if (!black) {
            std::memset(strip.data(), 0, strip.size());
            black = true;
        }
        resampler.AddRows(strip.data(), stride, stripRows);
    }
    return resampler.Result();
}

} // namespace

QImage LoadStretchedPicture(const QString &path, const PictureSizeFit &fit, ResamplingFilter filter, float radius,
                            int threads)
{
    if (IsJPEGFileName(path)) {
        QByteArray bytes;
        TJPEGRowReader reader;
        if (!ReadJPEGFileBytes(path, bytes)
            || !reader.Open(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()),
                            JPEGReadScale::Whole))
            return {};
        const JPEGReadOutcome refused = CheckJPEGDecodable(reader);
        if (refused.status == JPEGReadStatus::TooLarge)
            throw EInvalidGraphic(refused.message);
        if (refused.status != JPEGReadStatus::Decoded)
            return {};
        return StreamJPEG(reader, fit, filter, radius);
    }
    QImage picture = LoadPictureFile(path, JPEGReadScale::Whole);
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return {};
    const QSize size = fit(picture.size());
    ResamplingOptions options;
    options.threads = threads;
    StretchBitmapWith(size.width(), size.height(), filter, radius, picture, options);
    return picture;
}

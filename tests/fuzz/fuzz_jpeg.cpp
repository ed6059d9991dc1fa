// The scaled JPEG reader on arbitrary bytes. The scale comes from the input's
// length so that every scale is exercised; pictures whose decoding would take
// long however small the file (the library decodes every declared block,
// data or not) are read at one eighth or only up to the header.
#include "imaging/JPEG_IO.h"

#include <QImage>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    JPEGInfo info;
    if (!ReadJPEGInfo(data, size, info))
        return 0;
    const int64_t pixels = int64_t(info.width) * info.height;
    if (pixels > (int64_t(1) << 24))
        return 0;
    const JPEGReadScale scale = pixels > (int64_t(1) << 20) ? JPEGReadScale::Eighth : JPEGReadScale(size % 4);
    QImage target;
    const JPEGReadOutcome outcome = ReadJPEGBytes(target, data, size, scale);
    if (outcome.status == JPEGReadStatus::Decoded || outcome.status == JPEGReadStatus::Damaged) {
        // Touch every row the reader handed over.
        unsigned sum = 0;
        for (int y = 0; y < target.height(); ++y) {
            const uchar *row = target.constScanLine(y);
            for (qsizetype x = 0; x < target.bytesPerLine(); ++x)
                sum += row[x];
        }
        return sum == 0x7FFFFFFF ? 1 : 0;
    }
    return 0;
}

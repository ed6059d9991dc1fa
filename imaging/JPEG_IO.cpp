#include "imaging/JPEG_IO.h"

#include "common/VistranoError.h"
#include "common/WholeFile.h"
#include "imaging/JPEGDecompressor.h"
#include "imaging/JPEGRowReader.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ExifOrientation.h"

#include <cstring>
#include <vector>

namespace {

void BlackenRowsFrom(QImage &target, int firstRow)
{
    for (int y = firstRow; y < target.height(); ++y)
        std::memset(target.scanLine(y), 0, size_t(target.bytesPerLine()));
}

// Decodes every row straight into the target's rows.
bool ReadAllRows(TJPEGRowReader &reader, QImage &target)
{
    uchar *bits = target.bits();
    std::vector<uint8_t *> rows(size_t(target.height()));
    for (int y = 0; y < target.height(); ++y)
        rows[size_t(y)] = bits + qsizetype(y) * target.bytesPerLine();
    int read = 0;
    return reader.ReadRows(rows.data(), target.height(), read);
}

// Whether the data behind the first scan header can hold that scan for a
// picture of the size the frame gives. A Huffman code is at least one bit
// long, and every block of a sequential or DC scan takes at least one; an AC
// scan of a progressive file codes up to 32767 empty blocks in one end-of-band
// run. Data shorter than that cannot be a picture of that size, and is
// refused before the picture is allocated rather than claiming memory for
// it. Arithmetic coding has no such bound: its data must merely be there.
bool ScanDataCanHoldPicture(const jpeg_decompress_struct &info)
{
    const uint64_t available = info.src ? uint64_t(info.src->bytes_in_buffer) : 0;
    if (info.arith_code)
        return available > 0;
    uint64_t blocks = 0;
    for (int i = 0; i < info.comps_in_scan; ++i)
        blocks += uint64_t(info.cur_comp_info[i]->width_in_blocks) * info.cur_comp_info[i]->height_in_blocks;
    constexpr uint64_t kLongestEndOfBandRun = 32767;
    const uint64_t bits = info.Ss == 0 ? blocks : (blocks + kLongestEndOfBandRun - 1) / kLongestEndOfBandRun;
    return available * 8 >= bits;
}

} // namespace

bool ReadJPEGInfo(const uint8_t *data, size_t size, JPEGInfo &info)
{
    JPEGDecompressor jpeg;
    if (!jpeg.ReadHeader(data, size))
        return false;
    const jpeg_decompress_struct &header = jpeg.Info();
    info.width = int(header.image_width);
    info.height = int(header.image_height);
    info.channels = header.num_components;
    info.progressive = header.progressive_mode;
    return true;
}

JPEGReadOutcome ReadJPEGBytes(QImage &target, const uint8_t *data, size_t size, JPEGReadScale scale)
{
    TJPEGRowReader reader;
    if (!reader.Open(data, size, scale))
        return {JPEGReadStatus::Unreadable, {}};
    const int orientation = ExifOrientation(reader.ExifPayload());
    if (const JPEGReadOutcome refused = CheckJPEGDecodable(reader); refused.status != JPEGReadStatus::Decoded)
        return {refused.status, refused.message, orientation};
    try {
        target = NewPictureImage(reader.Width(), reader.Height(), reader.Format());
    } catch (const VistranoError &error) {
        return {JPEGReadStatus::TooLarge, error.message(), orientation};
    }
    if (!reader.Start() || !ReadAllRows(reader, target)) {
        BlackenRowsFrom(target, reader.NextRow());
        return {JPEGReadStatus::Damaged, {}, orientation};
    }
    return {JPEGReadStatus::Decoded, {}, orientation};
}

JPEGReadOutcome CheckJPEGDecodable(const TJPEGRowReader &reader)
{
    try {
        // A progressive file is held whole, as coefficients, while it is
        // read, whatever the output scale.
        if (reader.Progressive())
            CheckPictureSize(reader.ImageWidth(), reader.ImageHeight());
        CheckPictureSize(reader.Width(), reader.Height());
    } catch (const VistranoError &error) {
        return {JPEGReadStatus::TooLarge, error.message()};
    }
    if (!ScanDataCanHoldPicture(reader.Info()))
        return {JPEGReadStatus::Unreadable, {}};
    return {JPEGReadStatus::Decoded, {}};
}

bool ReadJPEGFileBytes(const QString &path, QByteArray &bytes)
{
    // Read rather than mapped: a mapped file that shrinks under the reader
    // would end the process.
    try {
        bytes = ReadWholeFile(path);
    } catch (const VistranoError &) {
        return false;
    }
    return true;
}

JPEGReadOutcome ReadJPEGFile(QImage &target, const QString &path, JPEGReadScale scale)
{
    QByteArray bytes;
    if (!ReadJPEGFileBytes(path, bytes))
        return {JPEGReadStatus::Unreadable, {}};
    return ReadJPEGBytes(target, reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), scale);
}

bool LoadJPEGFile(QImage &target, const QString &path, JPEGReadScale scale)
{
    return ReadJPEGFile(target, path, scale).status == JPEGReadStatus::Decoded;
}

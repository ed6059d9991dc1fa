#include "imaging/JPEG_IO.h"

#include "common/VistranoError.h"
#include "common/WholeFile.h"
#include "imaging/JPEGDecompressor.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ExifOrientation.h"

#include <cstring>
#include <vector>

namespace {

// Ink values of a four-channel JPEG become blue, green, red. Photoshop (and
// every writer that sets an Adobe marker) stores the inks inverted, 255 for
// no ink; plain files store the ink itself.
void CMYKToBGR(const uint8_t *cmyk, uint8_t *bgr, JDIMENSION width, bool inverted)
{
    const auto mix = [](unsigned colour, unsigned black) { return uint8_t((2 * colour * black + 255) / 510); };
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted)
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        bgr[0] = mix(y, k);
        bgr[1] = mix(m, k);
        bgr[2] = mix(c, k);
    }
}

void BlackenRowsFrom(QImage &target, int firstRow)
{
    for (int y = firstRow; y < target.height(); ++y)
        std::memset(target.scanLine(y), 0, size_t(target.bytesPerLine()));
}

// Decodes every row straight into the target's rows.
bool ReadDirect(JPEGDecompressor &jpeg, QImage &target)
{
    jpeg_decompress_struct &info = jpeg.Info();
    uchar *bits = target.bits();
    std::vector<JSAMPROW> rows(info.output_height);
    for (JDIMENSION y = 0; y < info.output_height; ++y)
        rows[y] = bits + qsizetype(y) * target.bytesPerLine();
    while (info.output_scanline < info.output_height) {
        JDIMENSION read = 0;
        const JDIMENSION at = info.output_scanline;
        if (!jpeg.ReadRows(rows.data() + at, info.output_height - at, read) || read == 0)
            return false;
    }
    return true;
}

// Decodes four-channel rows into a small buffer and converts them.
bool ReadCMYK(JPEGDecompressor &jpeg, QImage &target)
{
    jpeg_decompress_struct &info = jpeg.Info();
    const JDIMENSION group = JDIMENSION(info.rec_outbuf_height > 0 ? info.rec_outbuf_height : 1);
    std::vector<uint8_t> buffer(size_t(info.output_width) * 4 * group);
    std::vector<JSAMPROW> rows(group);
    for (JDIMENSION i = 0; i < group; ++i)
        rows[i] = buffer.data() + size_t(i) * info.output_width * 4;
    const bool inverted = info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        JDIMENSION read = 0;
        const JDIMENSION at = info.output_scanline;
        if (!jpeg.ReadRows(rows.data(), group, read) || read == 0)
            return false;
        for (JDIMENSION i = 0; i < read; ++i)
            CMYKToBGR(rows[i], target.scanLine(int(at + i)), info.output_width, inverted);
    }
    return true;
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
    JPEGDecompressor jpeg;
    if (!jpeg.ReadHeader(data, size))
        return {JPEGReadStatus::Unreadable, {}};
    jpeg_decompress_struct &info = jpeg.Info();
    const int orientation = ExifOrientation(jpeg.ExifPayload());

    QImage::Format format;
    switch (info.num_components) {
    case 1:
        info.out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
        break;
    case 3:
        info.out_color_space = JCS_EXT_BGR;
        format = QImage::Format_BGR888;
        break;
    case 4:
        if (info.jpeg_color_space != JCS_CMYK && info.jpeg_color_space != JCS_YCCK)
            return {JPEGReadStatus::Unreadable, {}};
        info.out_color_space = JCS_CMYK;
        format = QImage::Format_BGR888;
        break;
    default:
        return {JPEGReadStatus::Unreadable, {}};
    }
    info.scale_num = 1;
    info.scale_denom = unsigned(JPEGScaleDivisor(scale));
    if (!jpeg.CalcOutputDimensions())
        return {JPEGReadStatus::Unreadable, {}};

    // A progressive file is held whole, as coefficients, while it is read,
    // whatever the output scale.
    try {
        if (info.progressive_mode)
            CheckPictureSize(info.image_width, info.image_height);
        CheckPictureSize(info.output_width, info.output_height);
        if (!ScanDataCanHoldPicture(info))
            return {JPEGReadStatus::Unreadable, {}};
        target = NewPictureImage(info.output_width, info.output_height, format);
    } catch (const VistranoError &error) {
        return {JPEGReadStatus::TooLarge, error.message(), orientation};
    }

    const bool complete = jpeg.Start() && (info.out_color_space == JCS_CMYK ? ReadCMYK(jpeg, target)
                                                                             : ReadDirect(jpeg, target));
    if (!complete) {
        BlackenRowsFrom(target, int(info.output_scanline));
        return {JPEGReadStatus::Damaged, {}, orientation};
    }
    return {JPEGReadStatus::Decoded, {}, orientation};
}

JPEGReadOutcome ReadJPEGFile(QImage &target, const QString &path, JPEGReadScale scale)
{
    // Read rather than mapped: a mapped file that shrinks under the reader
    // would end the process.
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const VistranoError &) {
        return {JPEGReadStatus::Unreadable, {}};
    }
    return ReadJPEGBytes(target, reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), scale);
}

bool LoadJPEGFile(QImage &target, const QString &path, JPEGReadScale scale)
{
    return ReadJPEGFile(target, path, scale).status == JPEGReadStatus::Decoded;
}

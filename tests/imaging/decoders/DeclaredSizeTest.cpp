// Every decoder meets a file whose header declares the largest picture the
// program takes and holds no pixel data behind it: the decoder must see that
// the data is missing before it allocates anything for the picture, so the
// file is refused within a small address-space limit. A decoder of a new
// format adds its row to kDeclaredSizeRows.

#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "tests/imaging/decoders/TIFFBuilder.h"
#include "tests/support/ByteFields.h"
#include "tests/support/ChildLimits.h"
#include "tests/support/TestFiles.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

// 16384 x 16384 is the picture limit: 2^28 pixels.
constexpr uint32_t kLargest = 16384;
// Far below any picture of that size, far above what refusing it takes.
constexpr qint64 kMemoryBudget = 64 << 20;

// Grey or colour samples of a small picture, row after row.
QByteArray Samples(uint32_t width, uint32_t height, int channels)
{
    QByteArray samples;
    for (uint32_t i = 0; i < width * height * uint32_t(channels); ++i)
        samples += char(i * 37);
    return samples;
}

// A row of kDeclaredSizeRows: the file of a picture of the given size, with
// its pixels (a small picture that must decode) or without them.
struct DeclaredSizeRow
{
    const char *extension;
    QByteArray (*file)(uint32_t width, uint32_t height, bool withPixels);
};

QByteArray Bitmap24(uint32_t width, uint32_t height, bool withPixels)
{
    const uint32_t stride = (width * 3 + 3) / 4 * 4;
    QByteArray file = "BM" + Le(54 + stride * height, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(width, 4)
                      + Le(height, 4) + Le(1, 2) + Le(24, 2) + QByteArray(24, '\0');
    if (withPixels)
        file += QByteArray(qsizetype(stride * height), '\x55');
    return file;
}

// Run-length 8-bit bitmap: each row one run, then end of line; end of bitmap.
QByteArray BitmapRLE8(uint32_t width, uint32_t height, bool withPixels)
{
    const uint32_t offset = 54 + 4 * 256;
    QByteArray file = "BM" + Le(offset, 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4) + Le(width, 4) + Le(height, 4)
                      + Le(1, 2) + Le(8, 2) + Le(1, 4) + QByteArray(20, '\0');
    for (int i = 0; i < 256; ++i)
        file += Le(uint32_t(i * 0x010101), 4);
    if (withPixels) {
        for (uint32_t y = 0; y < height; ++y)
            file += char(width) + char(y * 40) + QByteArray(2, '\0');
        file += QByteArray("\0\1", 2);
    }
    return file;
}

QByteArray Targa(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file = QByteArray(2, '\0') + char(2) + QByteArray(9, '\0') + Le(width, 2) + Le(height, 2) + char(24)
                      + char(0x20);
    return withPixels ? file + Samples(width, height, 3) : file;
}

QByteArray TargaRLE(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file = QByteArray(2, '\0') + char(10) + QByteArray(9, '\0') + Le(width, 2) + Le(height, 2) + char(24)
                      + char(0x20);
    if (withPixels) {
        for (uint32_t y = 0; y < height; ++y)
            file += char(0x80 | (width - 1)) + QByteArray(3, char(y * 50));
    }
    return file;
}

QByteArray TIFF(uint32_t width, uint32_t height, bool withPixels)
{
    return TIFFBuilder::Picture(width, height, 8, 1, 1, 1, withPixels ? Samples(width, height, 1) : QByteArray())
        .Build();
}

QByteArray EPS(uint32_t width, uint32_t height, bool withPixels)
{
    const QByteArray tiff = TIFF(width, height, withPixels);
    return QByteArray("\xC5\xD0\xD3\xC6", 4) + Le(30, 4) + Le(0, 4) + Le(0, 4) + Le(0, 4) + Le(30, 4)
           + Le(uint32_t(tiff.size()), 4) + QByteArray(2, '\xFF') + tiff;
}

QByteArray PCX(uint32_t width, uint32_t height, bool withPixels)
{
    const uint32_t bytesPerLine = (width + 1) / 2 * 2;
    QByteArray file = QByteArray("\x0A\x05\x01\x08", 4) + Le(0, 4) + Le(width - 1, 2) + Le(height - 1, 2)
                      + QByteArray(4 + 48 + 1, '\0') + char(1) + Le(bytesPerLine, 2);
    file += QByteArray(128 - file.size(), '\0');
    if (withPixels) {
        for (uint32_t y = 0; y < height; ++y)
            file += QByteArray(qsizetype(bytesPerLine), char(y * 30));
        file += char(0x0C) + Samples(256, 1, 3);
    }
    return file;
}

QByteArray RLA(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file(740, '\0');
    const auto put = [&](int at, uint32_t value) { file.replace(at, 2, Be(value, 2)); };
    put(8, 0);
    put(10, width - 1);
    put(12, 0);
    put(14, height - 1);
    put(20, 3);
    put(658, 8);
    if (!withPixels)
        return file;
    // Per line: the offset table entry, then for each channel a 2-byte
    // length and one literal run of the whole line.
    QByteArray lines;
    for (uint32_t y = 0; y < height; ++y) {
        file += Be(uint32_t(740 + 4 * height + lines.size()), 4);
        for (int c = 0; c < 3; ++c)
            lines += Be(width + 1, 2) + char(-int(width)) + QByteArray(qsizetype(width), char(y * 60 + c));
    }
    return file + lines;
}

QByteArray SGI(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file = Be(474, 2) + char(0) + char(1) + Be(3, 2) + Be(width, 2) + Be(height, 2) + Be(3, 2) + Be(0, 4)
                      + Be(255, 4);
    file += QByteArray(512 - file.size(), '\0');
    return withPixels ? file + Samples(width, height, 3) : file;
}

QByteArray SGIRLE(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file = Be(474, 2) + char(1) + char(1) + Be(3, 2) + Be(width, 2) + Be(height, 2) + Be(3, 2) + Be(0, 4)
                      + Be(255, 4);
    file += QByteArray(512 - file.size(), '\0');
    if (!withPixels)
        return file;
    // Every row of every channel shares one run of the width and its end.
    const uint32_t rows = height * 3;
    const uint32_t data = 512 + 8 * rows;
    for (uint32_t i = 0; i < rows; ++i)
        file += Be(data, 4);
    for (uint32_t i = 0; i < rows; ++i)
        file += Be(3, 4);
    return file + char(width) + char(99) + char(0);
}

QByteArray PSD(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file = "8BPS" + Be(1, 2) + QByteArray(6, '\0') + Be(3, 2) + Be(height, 4) + Be(width, 4) + Be(8, 2)
                      + Be(3, 2) + Be(0, 4) + Be(0, 4) + Be(0, 4) + Be(0, 2);
    return withPixels ? file + Samples(width, height, 3) : file;
}

QByteArray PPM(uint32_t width, uint32_t height, bool withPixels)
{
    const QByteArray file = QStringLiteral("P6\n%1 %2\n255\n").arg(width).arg(height).toLatin1();
    return withPixels ? file + Samples(width, height, 3) : file;
}

QByteArray AutodeskCel(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file = Le(0x9119, 2) + Le(width, 2) + Le(height, 2) + Le(0, 4) + char(8) + char(0)
                      + Le(width * height, 4) + QByteArray(16, '\0') + Samples(256, 1, 3);
    return withPixels ? file + Samples(width, height, 1) : file;
}

QByteArray GIF(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file = "GIF89a" + Le(width, 2) + Le(height, 2) + QByteArray(3, '\0') + char(0x2C) + Le(0, 4)
                      + Le(width, 2) + Le(height, 2) + char(0) + char(8);
    // Uncompressed LZW: a clear code before every 254 pixels keeps the codes
    // 9 bits wide.
    if (withPixels) {
        QByteArray codes;
        uint32_t bits = 0;
        int count = 0;
        const auto put = [&](uint32_t code) {
            bits |= code << count;
            count += 9;
            while (count >= 8) {
                codes += char(bits & 255);
                bits >>= 8;
                count -= 8;
            }
        };
        for (uint32_t i = 0; i < width * height; ++i) {
            if (i % 254 == 0)
                put(256);
            put(i * 7 % 256);
        }
        put(257);
        if (count > 0)
            codes += char(bits & 255);
        for (qsizetype i = 0; i < codes.size(); i += 255) {
            const QByteArray block = codes.mid(i, 255);
            file += char(block.size()) + block;
        }
    }
    return file + char(0) + char(0x3B);
}

QByteArray CUT(uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray file = Le(width, 2) + Le(height, 2) + Le(0, 2);
    if (withPixels) {
        for (uint32_t y = 0; y < height; ++y)
            file += Le(width + 2, 2) + char(width) + QByteArray(qsizetype(width), char(y * 20)) + char(0);
    }
    return file;
}

QByteArray PNG(uint32_t width, uint32_t height, bool withPixels)
{
    const auto chunk = [](const char *type, const QByteArray &data) {
        const QByteArray typed = QByteArray(type, 4) + data;
        return Be(uint32_t(data.size()), 4) + typed
               + Be(uint32_t(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size()))), 4);
    };
    QByteArray file = QByteArray("\x89PNG\r\n\x1a\n", 8)
                      + chunk("IHDR", Be(width, 4) + Be(height, 4) + char(8) + char(2) + QByteArray(3, '\0'));
    if (withPixels) {
        QByteArray rows;
        for (uint32_t y = 0; y < height; ++y)
            rows += char(0) + Samples(width, 1, 3);
        uLongf size = compressBound(uLong(rows.size()));
        QByteArray packed(qsizetype(size), '\0');
        compress(reinterpret_cast<Bytef *>(packed.data()), &size, reinterpret_cast<const Bytef *>(rows.constData()),
                 uLong(rows.size()));
        packed.resize(qsizetype(size));
        file += chunk("IDAT", packed);
    }
    return file + chunk("IEND", {});
}

// A baseline JPEG written by Qt, its frame resized and, without pixels, cut
// after the scan header.
QByteArray JPEG(uint32_t width, uint32_t height, bool withPixels)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(200, 100, 50));
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG");
    const qsizetype frame = file.indexOf("\xFF\xC0");
    file.replace(frame + 5, 4, Be(height, 2) + Be(width, 2));
    if (!withPixels) {
        const qsizetype scan = file.indexOf("\xFF\xDA");
        file.truncate(scan + 2 + ((uchar(file[scan + 2]) << 8) | uchar(file[scan + 3])));
    }
    return file;
}

// A corpus file of the fuzz target `name`.
QByteArray Seed(const char *name, const char *file)
{
    return ReadFileBytes(QStringLiteral(VISTRANO_SOURCE_DIR "/tests/fuzz/corpus/%1/%2").arg(name, file));
}

QByteArray PSP(uint32_t width, uint32_t height, bool withPixels)
{
    // A version 5 file with its pixels; the attributes block follows the
    // 36-byte header, its body behind a 10-byte block header.
    QByteArray file = Seed("psp", "rgb_rle_v5.psp");
    if (withPixels)
        return file;
    file.replace(50, 8, Le(width, 4) + Le(height, 4));
    const uint32_t body = uint32_t(uchar(file[42]) | uchar(file[43]) << 8 | uchar(file[44]) << 16 | uchar(file[45]) << 24);
    return file.left(46 + body);
}

// HEIF and AVIF: the corpus file with pixels; without them, every image
// spatial extent ("ispe") declares the size and the file ends with the
// media data box's header.
QByteArray HEIF(const char *file, uint32_t width, uint32_t height, bool withPixels)
{
    QByteArray bytes = Seed("heif", file);
    if (withPixels)
        return bytes;
    for (qsizetype at = bytes.indexOf("ispe"); at >= 0; at = bytes.indexOf("ispe", at + 4))
        bytes.replace(at + 8, 8, Be(width, 4) + Be(height, 4));
    return bytes.left(bytes.indexOf("mdat") + 4);
}

QByteArray HEIC(uint32_t width, uint32_t height, bool withPixels)
{
    return HEIF("rgb_16x12.heic", width, height, withPixels);
}

QByteArray AVIF(uint32_t width, uint32_t height, bool withPixels)
{
    return HEIF("rgb_16x12.avif", width, height, withPixels);
}

// WebP: the corpus file with pixels; without them, the extended header
// alone, declaring the canvas.
QByteArray WebP(uint32_t width, uint32_t height, bool withPixels)
{
    if (withPixels)
        return Seed("webp", "lossy_16x12.webp");
    const QByteArray extended = "VP8X" + Le(10, 4) + Le(0, 4) + Le(width - 1, 3) + Le(height - 1, 3);
    return "RIFF" + Le(uint32_t(4 + extended.size()), 4) + "WEBP" + extended;
}

const DeclaredSizeRow kDeclaredSizeRows[] = {
    {"bmp", Bitmap24}, {"rle", BitmapRLE8}, {"tga", Targa},     {"tga", TargaRLE}, {"tif", TIFF},
    {"eps", EPS},      {"pcx", PCX},        {"rla", RLA},       {"sgi", SGI},      {"rgb", SGIRLE},
    {"psd", PSD},      {"ppm", PPM},        {"cel", AutodeskCel}, {"gif", GIF},    {"cut", CUT},
    {"png", PNG},      {"jpg", JPEG},       {"psp", PSP},         {"heic", HEIC},  {"avif", AVIF},
    {"webp", WebP},
};

void PrintTo(const DeclaredSizeRow &row, std::ostream *out)
{
    *out << row.extension;
}

class DeclaredSize : public ::testing::TestWithParam<DeclaredSizeRow>
{
protected:
    QString Write(const QByteArray &bytes) { return m_folder.Write(QStringLiteral("picture.") + GetParam().extension, bytes); }

    TestFolder m_folder;
    TFileFormatRegistration m_formats;
};

TEST_P(DeclaredSize, NoDataIsRefusedBeforeThePictureIsAllocated)
{
    // The row's file layout is one the decoder reads: with its pixels, a
    // small picture decodes.
    ASSERT_FALSE(LoadPictureFile(Write(GetParam().file(3, 2, true)), JPEGReadScale::Whole).isNull());

    const QString path = Write(GetParam().file(kLargest, kLargest, false));
    ChildLimits limits;
    limits.memory = kMemoryBudget;
    const int outcome = RunInChild(limits, [&] {
        try {
            // The JPEG reader refuses with an empty picture, the others with
            // their message; running out of memory is no refusal.
            return LoadPictureFile(path, JPEGReadScale::Whole).isNull() ? 0 : 1;
        } catch (const VistranoError &error) {
            return error.message().contains(QLatin1String("memory")) ? kChildOutOfMemory : 0;
        }
    });
    EXPECT_EQ(outcome, 0) << "1: decoded, 200: ran out of memory, -1: crashed or hung";
}

INSTANTIATE_TEST_SUITE_P(EveryDecoder, DeclaredSize, ::testing::ValuesIn(kDeclaredSizeRows),
                         [](const ::testing::TestParamInfo<DeclaredSizeRow> &row) {
                             return std::string(row.param.extension) + "_" + std::to_string(row.index);
                         });

} // namespace

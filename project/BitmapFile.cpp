#include "project/BitmapFile.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ByteReader.h"

#include <QBuffer>
#include <QImageReader>

#include <cstring>

namespace {

[[noreturn]] void ThrowInvalidBitmap()
{
    throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
}

void PutU16(char *at, uint32_t value)
{
    at[0] = char(value);
    at[1] = char(value >> 8);
}

void PutU32(char *at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = char(value >> (8 * i));
}

struct BitmapHeader
{
    uint32_t pixelOffset = 0;
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0; // negative: rows top-down
    uint32_t bitCount = 0;
    uint32_t compression = 0;
};

BitmapHeader ReadHeader(const QByteArray &file)
{
    ByteReader in(file);
    BitmapHeader header;
    if (in.U8() != 'B' || in.U8() != 'M')
        ThrowInvalidBitmap();
    in.Skip(8); // file size and reserved words: not relied on
    header.pixelOffset = in.U32LE();
    header.headerSize = in.U32LE();
    if (header.headerSize == 12) {
        header.width = in.U16LE();
        header.height = in.I16LE();
        in.Skip(2);
        header.bitCount = in.U16LE();
    } else if (header.headerSize >= 40) {
        header.width = in.I32LE();
        header.height = in.I32LE();
        in.Skip(2);
        header.bitCount = in.U16LE();
        header.compression = in.U32LE();
    } else {
        ThrowInvalidBitmap();
    }
    return header;
}

// The common case, the program's own thumbnails: 24 bits, uncompressed,
// copied row by row.
QImage DecodeBitmap24(const QByteArray &file, const BitmapHeader &header, int width, int height)
{
    const qsizetype rowBytes = (qsizetype(width) * 3 + 3) / 4 * 4;
    QImage bitmap(width, height, QImage::Format_BGR888);
    if (bitmap.isNull())
        throw std::bad_alloc();
    const char *pixels = file.constData() + header.pixelOffset;
    for (int y = 0; y < height; ++y) {
        const int row = header.height > 0 ? height - 1 - y : y;
        std::memcpy(bitmap.scanLine(y), pixels + qsizetype(row) * rowBytes, size_t(width) * 3);
    }
    return bitmap;
}

} // namespace

qsizetype BitmapFileSize(const QImage &bitmap)
{
    if (bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0)
        return 0;
    return 54 + (qsizetype(bitmap.width()) * 3 + 3) / 4 * 4 * bitmap.height();
}

void AppendBitmapFile(QByteArray &out, const QImage &bitmap)
{
    const qsizetype fileSize = BitmapFileSize(bitmap);
    if (fileSize == 0)
        return;
    const QImage image =
        bitmap.format() == QImage::Format_BGR888 ? bitmap : bitmap.convertToFormat(QImage::Format_BGR888);
    const int width = image.width();
    const int height = image.height();
    const qsizetype rowBytes = (qsizetype(width) * 3 + 3) / 4 * 4;
    const qsizetype start = out.size();
    out.resize(start + fileSize);
    char *file = out.data() + start;
    std::memset(file, 0, 54);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file + 2, uint32_t(fileSize));
    PutU32(file + 10, 54);
    PutU32(file + 14, 40);
    PutU32(file + 18, uint32_t(width));
    PutU32(file + 22, uint32_t(height));
    PutU16(file + 26, 1);
    PutU16(file + 28, 24);
    PutU32(file + 34, uint32_t(fileSize - 54));
    const size_t padding = size_t(rowBytes) - size_t(width) * 3;
    for (int y = 0; y < height; ++y) {
        char *row = file + 54 + qsizetype(height - 1 - y) * rowBytes;
        std::memcpy(row, image.constScanLine(y), size_t(width) * 3);
        std::memset(row + size_t(width) * 3, 0, padding);
    }
}

QByteArray EncodeBitmapFile(const QImage &bitmap)
{
    QByteArray file;
    AppendBitmapFile(file, bitmap);
    return file;
}

QImage DecodeBitmapFile(const QByteArray &file)
{
    BitmapHeader header;
    try {
        header = ReadHeader(file);
    } catch (const EReadError &) {
        ThrowInvalidBitmap();
    }
    const int64_t height = header.height < 0 ? -header.height : header.height;
    if (!PictureSizeAllowed(header.width, height))
        ThrowInvalidBitmap();
    const bool uncompressed = header.compression == 0 || header.compression == 3;
    if (uncompressed) {
        if (header.bitCount == 0 || header.bitCount > 32)
            ThrowInvalidBitmap();
        const int64_t rowBytes = (header.width * header.bitCount + 31) / 32 * 4;
        if (header.pixelOffset > uint64_t(file.size()) || rowBytes * height > file.size() - int64_t(header.pixelOffset))
            ThrowInvalidBitmap();
        if (header.bitCount == 24 && header.compression == 0 && header.headerSize >= 40)
            return DecodeBitmap24(file, header, int(header.width), int(height));
    }
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    QImage bitmap = reader.read();
    if (bitmap.isNull())
        ThrowInvalidBitmap();
    if (bitmap.hasAlphaChannel()) {
        // Transparency is composed onto black.
        bitmap = bitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    }
    return bitmap.convertToFormat(QImage::Format_BGR888);
}

#include "project/BitmapFile.h"

#include "imaging/PictureLoading.h"
#include "imaging/WindowsBitmapReader.h"

#include <cstring>

namespace {

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
    return MakeBitmap24(ReadWindowsBitmap(file));
}

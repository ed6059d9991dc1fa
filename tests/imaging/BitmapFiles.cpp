#include "tests/imaging/BitmapFiles.h"

#include <QtEndian>

namespace {

void Put16(QByteArray &out, uint16_t value)
{
    out.append(char(value & 0xFF)).append(char(value >> 8));
}

void Put32(QByteArray &out, uint32_t value)
{
    Put16(out, uint16_t(value & 0xFFFF));
    Put16(out, uint16_t(value >> 16));
}

} // namespace

QByteArray BuildBitmapFile(const BitmapFileLayout &layout)
{
    QByteArray info;
    Put32(info, layout.headerSize);
    if (layout.headerSize == 12) {
        Put16(info, uint16_t(layout.width));
        Put16(info, uint16_t(layout.height));
        Put16(info, 1);
        Put16(info, layout.bitCount);
    } else {
        Put32(info, uint32_t(layout.width));
        Put32(info, uint32_t(layout.height));
        Put16(info, 1);
        Put16(info, layout.bitCount);
        Put32(info, layout.compression);
        Put32(info, uint32_t(layout.pixels.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, layout.colorsUsed);
        Put32(info, 0);
        if (layout.headerSize > 40)
            for (uint32_t mask : layout.masks)
                Put32(info, mask);
        info.resize(layout.headerSize, '\0');
    }
    if (layout.headerSize == 40)
        for (uint32_t mask : layout.masks)
            Put32(info, mask);
    for (QRgb color : layout.palette) {
        info.append(char(qBlue(color))).append(char(qGreen(color))).append(char(qRed(color)));
        if (layout.headerSize != 12)
            info.append('\0');
    }
    QByteArray file;
    if (layout.fileHeader) {
        file.append("BM");
        Put32(file, uint32_t(14 + info.size() + layout.pixels.size()));
        Put32(file, 0);
        Put32(file, uint32_t(14 + info.size()));
    }
    return file + info + layout.pixels;
}

QByteArray PaddedRows(const std::vector<QByteArray> &rows)
{
    QByteArray out;
    for (QByteArray row : rows) {
        while (row.size() % 4)
            row.append('\0');
        out += row;
    }
    return out;
}

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

QByteArray BuildBitmapFile(const BitmapFileSpec &spec)
{
    QByteArray info;
    Put32(info, spec.headerSize);
    if (spec.headerSize == 12) {
        Put16(info, uint16_t(spec.width));
        Put16(info, uint16_t(spec.height));
        Put16(info, 1);
        Put16(info, spec.bitCount);
    } else {
        Put32(info, uint32_t(spec.width));
        Put32(info, uint32_t(spec.height));
        Put16(info, 1);
        Put16(info, spec.bitCount);
        Put32(info, spec.compression);
        Put32(info, uint32_t(spec.pixels.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, spec.colorsUsed);
        Put32(info, 0);
        if (spec.headerSize > 40)
            for (uint32_t mask : spec.masks)
                Put32(info, mask);
        info.resize(spec.headerSize, '\0');
    }
    if (spec.headerSize == 40)
        for (uint32_t mask : spec.masks)
            Put32(info, mask);
    for (QRgb color : spec.palette) {
        info.append(char(qBlue(color))).append(char(qGreen(color))).append(char(qRed(color)));
        if (spec.headerSize != 12)
            info.append('\0');
    }
    QByteArray file;
    if (spec.fileHeader) {
        file.append("BM");
        Put32(file, uint32_t(14 + info.size() + spec.pixels.size()));
        Put32(file, 0);
        Put32(file, uint32_t(14 + info.size()));
    }
    return file + info + spec.pixels;
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

#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <cstdint>
#include <vector>

// Builds Windows bitmap files byte by byte for the tests.
struct BitmapFileLayout
{
    uint32_t headerSize = 40; // 12 writes the OS/2 1.x header
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks; // in the header (52 bytes and more) or after a 40-byte one
    QList<QRgb> palette;
    QByteArray pixels;
    bool fileHeader = true;
};

QByteArray BuildBitmapFile(const BitmapFileLayout &layout);

// Stored rows of pixel bytes, each padded to 4 bytes.
QByteArray PaddedRows(const std::vector<QByteArray> &rows);

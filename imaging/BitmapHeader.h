#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <cstddef>
#include <cstdint>

// Compression codes of a Windows bitmap header.
enum BitmapCompression : uint32_t {
    biRGB = 0,
    biRLE8 = 1,
    biRLE4 = 2,
    biBitfields = 3,
    biAlphaBitfields = 6,
};

// Everything a Windows bitmap file says about its pixels, checked: the size
// is within the picture limits, the bit count and compression go together,
// the colour table lies inside the file and the pixel data starts inside it.
struct BitmapHeader
{
    int64_t width = 0;
    int64_t height = 0;  // always positive
    bool topDown = false; // the first stored row is the top row
    int bitCount = 0;     // 1, 2, 4, 8, 16, 24 or 32
    uint32_t compression = biRGB;
    // Channel masks for 16 and 32 bits; alphaMask is 0 when the file has no
    // alpha channel.
    uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
    // 2^bitCount entries for up to 8 bits (missing ones are black); empty
    // above 8 bits.
    QList<QRgb> colorTable;
    size_t pixelOffset = 0; // where the pixel data starts in the file
};

// Reads the headers of a bitmap file: a file header ("BM") followed by an
// OS/2 1.x (12-byte), OS/2 2.x (16 to 64 bytes) or Windows (40, 52, 56, 108,
// 124 bytes) header, or such a header alone (a packed device-independent
// bitmap). Fails with "Bitmap image is not valid", the compression and bit
// count messages, the picture size messages or "Stream read error".
BitmapHeader ReadBitmapHeader(const QByteArray &data);

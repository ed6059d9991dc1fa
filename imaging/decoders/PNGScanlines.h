#pragma once

#include <QImage>
#include <QList>

#include <cstddef>
#include <cstdint>

// Undoes the filter of one PNG row in place. prior is the unfiltered row
// above in the same pass (all zero for a pass's first row), bytesPerPixel
// the filter's byte distance (at least 1). False for an unknown filter type.
bool UnfilterPNGRow(uint8_t filterType, uint8_t *row, const uint8_t *prior, size_t rowBytes, size_t bytesPerPixel);

// How the unfiltered samples of a PNG become bitmap pixels.
struct PNGPixelLayout
{
    int colourType = 0; // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    int bitDepth = 8;
    QList<QRgb> palette;      // 256 entries with the tRNS alphas (type 3)
    bool paletteAlpha = false; // some palette entry is not opaque
    bool colourKey = false;   // tRNS gives a transparent grey or RGB value
    uint16_t keyGrey = 0;
    uint16_t keyRed = 0, keyGreen = 0, keyBlue = 0;

    int BitsPerPixel() const;
    // Grayscale8, Indexed8, BGR888, or ARGB32 when the picture has alpha.
    QImage::Format OutputFormat() const;
};

// Writes `count` pixels of an unfiltered row to out, pixel i at
// out + i * outStep bytes, in the layout's output format.
void ConvertPNGRow(const PNGPixelLayout &layout, const uint8_t *row, size_t count, uchar *out, size_t outStep);

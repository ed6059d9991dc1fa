#pragma once

#include "imaging/decoders/DecoderGraphic.h"

#include <span>

// TIFF pictures, fax files included: the first image of the file, in either
// byte order, from strips or tiles; bilevel, grey, palette, RGB, RGBA, CMYK
// and JPEG YCbCr; 1, 2, 4, 8 and 16 bits per sample; no compression, LZW,
// PackBits, Deflate, JPEG, CCITT modified Huffman / group 3 / group 4 and
// ThunderScan. A strip or tile whose data ends early leaves the rest of its
// rows as they are (zero); a file that ends early fails with
// "Stream read error".
class TTIFFGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;

protected:
    // Decodes a whole TIFF file held in bytes; formatName goes into the
    // family's messages.
    void LoadTIFF(std::span<const uint8_t> bytes, const char *formatName);

    class ImageReader;
};

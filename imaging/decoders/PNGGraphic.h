#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// Portable Network Graphics: every colour type and bit depth (grey 1 to 16
// bits, RGB 8 and 16, palette 1 to 8, grey and alpha, RGBA), both interlace
// methods, palette and colour-key transparency. Delivers Grayscale8,
// Indexed8, BGR888 (the working format), or ARGB32 whenever the picture has
// transparency; 16-bit
// samples are brought to 8. A wrong CRC and damaged deflate data are errors.
class TPNGGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

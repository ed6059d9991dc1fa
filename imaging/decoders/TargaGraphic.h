#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// Truevision Targa: colour-mapped (8-bit indices, map entries of 15, 16, 24
// or 32 bits), grey (8 bits) and true colour (15, 16, 24, 32 bits), raw or
// run-length packed (image types 1, 2, 3, 9, 10, 11), stored bottom-up or
// top-down and either left-to-right or right-to-left. Delivers Indexed8,
// Grayscale8, BGR888, RGB32, or ARGB32 when the file's alpha is meaningful.
class TTargaGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

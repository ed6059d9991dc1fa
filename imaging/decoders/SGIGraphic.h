#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// SGI image (sgi, rgb, rgba, bw): 8 or 16 bits per sample (16 brought to 8),
// verbatim or run-length packed, 1 to 4 channels (grey, grey and alpha, RGB,
// RGBA; further channels are ignored). Delivers Grayscale8, BGR888 (the
// working format, so picture loading has nothing to convert) or ARGB32.
class TSGIGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// Alias/Wavefront RLA and RPF pictures: the active region of the first
// image, grey (one colour channel) or RGB (the first three), 8 bits or up to
// 16 bits per channel brought down to 8. Matte and auxiliary channels are
// dropped: renderers store colour premultiplied by the matte, which is the
// picture composed onto black.
class TRLAGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

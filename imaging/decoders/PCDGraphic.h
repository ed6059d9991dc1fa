#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// Kodak Photo-CD Image Pac at its Base resolution (768 x 512): the
// uncompressed PhotoYCC of the Base level, converted with Kodak's constants
// and turned upright by the orientation the Image Pac records (portrait
// pictures come out 512 x 768).
class TPCDGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

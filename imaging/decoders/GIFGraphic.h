#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// Placeholder until the decoder is written: refuses every file.
class TGIFGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

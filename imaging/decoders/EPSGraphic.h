#pragma once

#include "imaging/decoders/TIFFGraphic.h"

// Placeholder until the decoder is written: refuses every file.
class TEPSGraphic : public TTIFFGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

#pragma once

#include "imaging/decoders/TIFFGraphic.h"

// Encapsulated PostScript with a DOS binary header (C5 D0 D3 C6): the TIFF
// preview embedded in it. Files without that header, or without a TIFF
// preview, are refused with the family's message.
class TEPSGraphic : public TTIFFGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// ZSoft PCX (also pcc, and the scr screen captures): 1, 2 and 4 bits per
// pixel in one plane, 1 bit in 2 to 4 planes, 8 bits with the 256-colour
// palette at the end of the file, 24 bits as three planes (and 32 as four).
// Delivers Indexed8, BGR888 (the working format), or ARGB32 for four planes
// with alpha.
class TPCXGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

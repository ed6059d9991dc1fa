#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// The portable bitmap, graymap and pixmap family (pbm, pgm, ppm): P1 to P6,
// plain (ASCII) and raw (binary), comments in the header, a maximum value up
// to 65535 scaled to 8 bits. Only the first picture of a file is read.
// Delivers Mono (white and black), Grayscale8 or BGR888 (the working format).
class TPPMGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

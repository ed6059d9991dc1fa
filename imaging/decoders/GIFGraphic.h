#pragma once

#include "imaging/decoders/DecoderGraphic.h"

#include <QByteArray>

// CompuServe GIF: the first image of the file as an 8-bit palette bitmap
// (Format_Indexed8 with the local colour table, else the global one).
// Animation, transparency and later images are ignored. A file that holds
// no image gives an empty bitmap.
class TGIFGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }

    // True when the data is long enough to be a GIF (more than 22 bytes) and
    // starts with "GIF" in any letter case.
    static bool CanLoad(const QByteArray &data);

    void LoadFromBytes(const QByteArray &data) override;
};

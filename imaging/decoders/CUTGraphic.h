#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// Dr. Halo CUT pictures: 8-bit colour indices in run-length rows. The
// colours come from the palette file beside the picture (LoadFromFile);
// without one, and always when only bytes are given, the indices are shown
// as greys stretched so that the largest index used is white (line art with
// indices 0 and 1 comes out black and white).
class TCUTGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromFile(const QString &path) override;
    void LoadFromBytes(const QByteArray &data) override;
};

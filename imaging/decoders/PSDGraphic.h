#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// Photoshop documents (PSD, PhotoDeluxe PDD and large-document PSB): the
// merged image that Photoshop stores behind the layers. Bitmap, grey,
// duotone (as grey), indexed, RGB, CMYK and multichannel modes at 1, 8 or
// 16 bits per sample, raw, PackBits or zlib packed. When the file marks its
// first extra channel as the merged transparency the picture has an alpha
// channel; other extra channels are ignored. Lab and 32-bit float files are
// refused with the colour format message.
class TPSDGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
};

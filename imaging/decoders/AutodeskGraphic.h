#pragma once

#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/DecoderGraphic.h"

#include <QList>
#include <QRgb>

// Autodesk Animator pictures, told apart by their magic numbers: the
// original Animator's CEL and PIC (0x9119, a 6-bit palette and raw pixels),
// Animator Pro's PIC (0x9500, chunks with a palette and the pixels) and
// Animator Pro's CEL (a one-frame flic, 0xAF12; 0xAF11 flics are read the
// same way). The result is 8-bit indexed.
class TAutodeskGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;

private:
    void LoadAnimator(ByteReader &file);
    void LoadProPicture(ByteReader &file);
    void LoadFlic(ByteReader &file, bool flc);
    void DecodeFrame(ByteReader frame, QImage &bitmap, QList<QRgb> &colors);
};

#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// HEIF pictures (the HEIC photos of phones) through libheif: the primary
// image, with the file's own transformations (rotation, mirroring, cropping)
// applied; a grid of tiles gives the whole picture, a file of several
// pictures (a burst, a sequence with a still) its primary one. A sequence
// stored only as a track has no picture this library version reads and is
// refused with the family's message. 10-bit and 12-bit pictures are reduced to 8 bits with
// rounding; alpha is left for picture loading to compose onto black. A
// scaled load takes an embedded thumbnail that covers the needed size, and
// otherwise reduces the decoded picture (HEVC has no scaled decoding).
class THEIFGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
    void LoadScaledFromFile(const QString &path, const TPictureScale &scale) override;
    void LoadScaledFromBytes(const QByteArray &data, const TPictureScale &scale);

protected:
    // The format's name in the family's messages.
    virtual const char *FormatName() const { return "HEIF"; }
};

// AVIF pictures: the same container with AV1 coding, read by the same
// library; only the name in the messages differs.
class TAVIFGraphic : public THEIFGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }

protected:
    const char *FormatName() const override { return "AVIF"; }
};

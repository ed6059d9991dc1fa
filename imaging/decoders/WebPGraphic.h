#pragma once

#include "imaging/decoders/DecoderGraphic.h"

// WebP pictures through libwebp: lossy and lossless, with or without alpha
// (left for picture loading to compose onto black); an animation gives its
// first picture on its canvas. A scaled load decodes straight to the scaled
// size (the library scales while it decodes; the full-size picture is never
// held).
class TWebPGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
    void LoadScaledFromFile(const QString &path, const TPictureScale &scale) override;
    void LoadScaledFromBytes(const QByteArray &data, const TPictureScale &scale);
    // From the file's EXIF chunk, as phones write it.
    int Orientation() const override { return m_orientation; }

private:
    void LoadAnimation(const QByteArray &data, const TPictureScale &scale);

    int m_orientation = 1;
};

#pragma once

#include "imaging/decoders/DecoderGraphic.h"
#include "imaging/decoders/PSPBlock.h"
#include "imaging/decoders/PSPChannel.h"

#include <QList>
#include <QRgb>

// Paint Shop Pro images (file formats 3 and later). The picture is the full
// composite image that later versions store beside the layers, else the
// first visible raster layer (the bottom one: layers are stored bottom
// first) placed on the canvas, else a stored thumbnail. 1-, 4- and 8-bit
// pictures (with their palette, or grey) and 24-bit RGB; a transparency
// mask gives an alpha channel. Channels may be uncompressed, run-length or
// zlib packed; JPEG composites and 16-bit channels are not read.
class TPSPGraphic : public TDecoderGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;

private:
    // What the channels of one picture (layer or composite) need.
    struct Picture
    {
        int width = 0, height = 0;   // of the canvas
        int bitDepth = 0;
        bool greyscale = false;
        PSPCompression compression = PSPCompression::None;
        QList<QRgb> palette;
        // The stored pixels: their size and place on the canvas.
        int left = 0, top = 0, storedWidth = 0, storedHeight = 0;
        std::vector<PSPChannel> channels;
    };

    void CheckPicture(const Picture &picture) const;
    // Reads the channel blocks (and a palette block) among the blocks of a
    // reader into the picture.
    void ReadChannels(ByteReader blocks, Picture &picture) const;
    QList<QRgb> ReadPalette(const PSPBlock &block) const;
    bool ReadLayer(const PSPBlock &block, Picture &picture, bool &visible) const;
    bool ReadCompositeBank(const PSPBlock &bank, Picture document, Picture &full, Picture &thumbnail) const;
    QImage Render(const Picture &picture) const;

    int m_major = 0;
};

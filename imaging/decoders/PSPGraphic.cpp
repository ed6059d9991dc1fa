#include "imaging/decoders/PSPGraphic.h"

#include "imaging/PictureLimits.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char *kFormat = "PSP";
constexpr char kSignature[] = "Paint Shop Pro Image File\n\x1a";

bool IsImage(uint16_t bitmapType)
{
    return bitmapType == 0 || bitmapType == 5 || bitmapType == 8; // layer, thumbnail, composite
}

bool IsTransparency(uint16_t bitmapType)
{
    return bitmapType == 1 || bitmapType == 6 || bitmapType == 9;
}

const PSPChannel *FindChannel(const std::vector<PSPChannel> &channels, bool transparency, uint16_t channelType)
{
    for (const PSPChannel &channel : channels) {
        if (transparency ? IsTransparency(channel.bitmapType) : IsImage(channel.bitmapType) && channel.channelType == channelType)
            return &channel;
    }
    return nullptr;
}

} // namespace

const TGraphicClass &TPSPGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPSPGraphic", [] { return std::unique_ptr<TGraphic>(new TPSPGraphic); }};
    return cls;
}

void TPSPGraphic::LoadFromBytes(const QByteArray &data)
{
    ByteReader file(data);
    ByteReader header = file.Sub(0, 36);
    if (std::memcmp(header.Bytes(32).data(), kSignature, sizeof kSignature - 1) != 0)
        FormatError(kFormat);
    m_major = header.U16LE();
    if (m_major < 3)
        FormatError(kFormat);
    file.Seek(36);

    // The general image attributes come first.
    const std::optional<PSPBlock> attributes = ReadPSPBlock(file, m_major);
    if (!attributes || attributes->id != PSPIdImageAttributes)
        FormatError(kFormat);
    Picture document;
    {
        ByteReader a = attributes->body;
        if (m_major >= 4)
            a.Skip(4);
        document.width = a.I32LE();
        document.height = a.I32LE();
        a.Skip(9);
        const uint16_t compression = a.U16LE();
        document.bitDepth = a.U16LE();
        a.Skip(6);
        document.greyscale = a.U8() != 0;
        if (compression > uint16_t(PSPCompression::LZ77))
            FormatError(kFormat);
        document.compression = PSPCompression(compression);
        document.storedWidth = document.width;
        document.storedHeight = document.height;
    }
    CheckPicture(document);

    Picture full, thumbnail, firstLayer, visibleLayer;
    while (!file.AtEnd()) {
        const std::optional<PSPBlock> block = ReadPSPBlock(file, m_major);
        if (!block)
            break; // trailing bytes that are no block
        switch (block->id) {
        case PSPIdColorPalette:
            document.palette = ReadPalette(*block);
            break;
        case PSPIdLayerBank: {
            ByteReader layers = block->body;
            while (visibleLayer.channels.empty()) {
                const std::optional<PSPBlock> layer = ReadPSPBlock(layers, m_major);
                if (!layer)
                    break;
                if (layer->id != PSPIdLayer)
                    continue;
                Picture picture = document;
                bool visible = false;
                if (!ReadLayer(*layer, picture, visible))
                    continue;
                if (visible)
                    visibleLayer = std::move(picture);
                else if (firstLayer.channels.empty())
                    firstLayer = std::move(picture);
            }
            break;
        }
        case PSPIdCompositeImageBank:
            if (m_major >= 4 && full.channels.empty())
                ReadCompositeBank(*block, document, full, thumbnail);
            break;
        default:
            break;
        }
    }

    // The palette block may follow the layers it colours.
    for (Picture *picture : {&visibleLayer, &firstLayer})
        picture->palette = document.palette;
    for (Picture *picture : {&full, &visibleLayer, &firstLayer, &thumbnail}) {
        if (!picture->channels.empty()) {
            m_bitmap = Render(*picture);
            return;
        }
    }
    FormatError(kFormat);
}

void TPSPGraphic::CheckPicture(const Picture &picture) const
{
    CheckPictureSize(picture.width, picture.height);
    if (picture.bitDepth != 1 && picture.bitDepth != 4 && picture.bitDepth != 8 && picture.bitDepth != 24)
        ColorFormatError(kFormat);
}

QList<QRgb> TPSPGraphic::ReadPalette(const PSPBlock &block) const
{
    ByteReader body = block.body;
    size_t entriesAt = 4;
    if (m_major >= 4) {
        entriesAt = body.U32LE();
        if (entriesAt < 8)
            FormatError(kFormat);
    }
    const uint32_t count = body.U32LE();
    body.Seek(entriesAt);
    // Entries are blue, green, red and a spare byte.
    QList<QRgb> colors;
    for (uint32_t i = 0; i < count && i < 256; ++i) {
        std::span<const uint8_t> entry = body.Bytes(4);
        colors.append(qRgb(entry[2], entry[1], entry[0]));
    }
    return colors;
}

void TPSPGraphic::ReadChannels(ByteReader blocks, Picture &picture) const
{
    const size_t rows = size_t(picture.storedHeight);
    const size_t width = size_t(picture.storedWidth);
    while (blocks.Remaining() >= 4) {
        if (!AtPSPBlock(blocks)) {
            // Later formats put plain chunks (the layer's bitmap counts)
            // between the blocks; each starts with its own size.
            if (m_major < 4)
                break;
            const uint32_t size = blocks.Sub(blocks.Position(), 4).U32LE();
            if (size < 4)
                FormatError(kFormat);
            blocks.Skip(size);
            continue;
        }
        const PSPBlock block = *ReadPSPBlock(blocks, m_major);
        if (block.id == PSPIdColorPalette) {
            picture.palette = ReadPalette(block);
            continue;
        }
        if (block.id != PSPIdChannel)
            continue;
        const PSPChannelInfo info = ReadPSPChannelInfo(block, m_major);
        const bool transparency = IsTransparency(info.bitmapType);
        if (!transparency && !IsImage(info.bitmapType))
            continue;
        if (transparency && picture.bitDepth != 24)
            continue;
        if (FindChannel(picture.channels, transparency, info.channelType))
            continue; // a second plane of the same kind
        const size_t bits = picture.bitDepth == 24 || transparency ? 8 : size_t(picture.bitDepth);
        std::optional<PSPChannel> channel = ReadPSPChannel(info, picture.compression, rows, (width * bits + 7) / 8);
        if (!channel)
            FormatError(kFormat);
        picture.channels.push_back(std::move(*channel));
    }
}

bool TPSPGraphic::ReadLayer(const PSPBlock &block, Picture &picture, bool &visible) const
{
    ByteReader body = block.body;
    size_t channelsAt = 0;
    if (m_major >= 4) {
        channelsAt = body.U32LE();
        body.Skip(body.U16LE()); // name
    } else {
        body.Skip(256);
    }
    body.Skip(1); // layer type
    int32_t image[4], saved[4];
    for (int32_t &v : image)
        v = body.I32LE();
    for (int32_t &v : saved)
        v = body.I32LE();
    body.Skip(2); // opacity, blend mode
    const uint8_t flags = body.U8();
    visible = m_major >= 4 ? (flags & 1) != 0 : flags != 0;

    if (m_major >= 4) {
        if (channelsAt < body.Position())
            FormatError(kFormat);
        body.Seek(channelsAt);
    } else {
        // Format 3 gives the length of the layer's first chunk, but writers
        // disagree on what it counts: the channel blocks start behind it or
        // behind the 375 bytes of the fixed fields.
        body.Seek(0);
        const size_t candidates[] = {block.initialChunkLength, 375};
        bool found = false;
        for (size_t at : candidates) {
            if (at <= body.Size() && AtPSPBlock(body.Sub(at, body.Size() - at))) {
                body.Seek(at);
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }

    // The stored pixels sit at the saved rectangle, inside the layer's own.
    const int64_t storedWidth = int64_t(saved[2]) - saved[0];
    const int64_t storedHeight = int64_t(saved[3]) - saved[1];
    if (!PictureSizeAllowed(storedWidth, storedHeight))
        return false;
    picture.storedWidth = int(storedWidth);
    picture.storedHeight = int(storedHeight);
    picture.left = int(std::clamp<int64_t>(int64_t(image[0]) + saved[0], -kMaxPictureSide, kMaxPictureSide));
    picture.top = int(std::clamp<int64_t>(int64_t(image[1]) + saved[1], -kMaxPictureSide, kMaxPictureSide));
    ReadChannels(body.Sub(body.Position(), body.Remaining()), picture);
    for (const PSPChannel &channel : picture.channels)
        if (IsImage(channel.bitmapType))
            return true;
    picture.channels.clear();
    return false;
}

bool TPSPGraphic::ReadCompositeBank(const PSPBlock &bank, Picture document, Picture &full, Picture &thumbnail) const
{
    ByteReader body = bank.body;
    const uint32_t infoSize = body.U32LE();
    if (infoSize < 4)
        FormatError(kFormat);
    body.Seek(infoSize);
    Picture current;
    bool described = false;
    uint16_t type = 0;
    while (std::optional<PSPBlock> block = ReadPSPBlock(body, m_major)) {
        if (block->id == PSPIdCompositeAttributes) {
            ByteReader a = block->body;
            a.Skip(4);
            current = document;
            current.palette.clear();
            current.width = current.storedWidth = a.I32LE();
            current.height = current.storedHeight = a.I32LE();
            current.bitDepth = a.U16LE();
            const uint16_t compression = a.U16LE();
            a.Skip(6);
            type = a.U16LE();
            described = compression <= uint16_t(PSPCompression::LZ77)
                        && PictureSizeAllowed(current.width, current.height)
                        && (current.bitDepth == 1 || current.bitDepth == 4 || current.bitDepth == 8 || current.bitDepth == 24);
            current.compression = PSPCompression(compression);
            continue;
        }
        if (block->id != PSPIdCompositeImage || !described)
            continue;
        described = false;
        Picture *target = nullptr;
        if (type == 0 && full.channels.empty() && current.width == document.width && current.height == document.height)
            target = &full;
        else if (type == 1 && thumbnail.channels.empty())
            target = &thumbnail;
        if (!target)
            continue;
        ByteReader image = block->body;
        const uint32_t chunkSize = image.U32LE();
        if (chunkSize < 4 || chunkSize > image.Size())
            FormatError(kFormat);
        ReadChannels(image.Sub(chunkSize, image.Size() - chunkSize), current);
        if (current.palette.isEmpty())
            current.palette = document.palette;
        if (FindChannel(current.channels, false, current.bitDepth == 24 ? 1 : 0)
            || FindChannel(current.channels, false, 2) || FindChannel(current.channels, false, 3))
            *target = current;
    }
    return !full.channels.empty();
}

QImage TPSPGraphic::Render(const Picture &picture) const
{
    // The part of the stored pixels that lies on the canvas.
    const int x0 = std::max(0, picture.left), y0 = std::max(0, picture.top);
    const int x1 = int(std::min<int64_t>(picture.width, int64_t(picture.left) + picture.storedWidth));
    const int y1 = int(std::min<int64_t>(picture.height, int64_t(picture.top) + picture.storedHeight));

    if (picture.bitDepth == 24) {
        const PSPChannel *planes[3] = {FindChannel(picture.channels, false, 1), FindChannel(picture.channels, false, 2),
                                       FindChannel(picture.channels, false, 3)};
        const PSPChannel *alpha = FindChannel(picture.channels, true, 0);
        QImage bitmap = NewBitmap(picture.width, picture.height, alpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
        bitmap.fill(0);
        const size_t pixelBytes = alpha ? 4 : 3;
        for (int y = y0; y < y1; ++y) {
            const size_t sy = size_t(y - picture.top);
            uchar *out = bitmap.scanLine(y);
            for (int c = 0; c < 3; ++c) {
                if (!planes[c])
                    continue;
                const uint8_t *in = planes[c]->data.data() + sy * planes[c]->stride;
                // Red, green, blue to blue first in memory.
                for (int x = x0; x < x1; ++x)
                    out[size_t(x) * pixelBytes + size_t(2 - c)] = in[x - picture.left];
            }
            if (alpha) {
                const uint8_t *in = alpha->data.data() + sy * alpha->stride;
                for (int x = x0; x < x1; ++x)
                    out[size_t(x) * 4 + 3] = in[x - picture.left];
            }
        }
        return bitmap;
    }

    const PSPChannel *indices = FindChannel(picture.channels, false, 0);
    QImage bitmap = NewBitmap(picture.width, picture.height, QImage::Format_Indexed8);
    bitmap.fill(0);
    const int depth = picture.bitDepth;
    const int largest = (1 << depth) - 1;
    QList<QRgb> colors;
    if (!picture.greyscale && !picture.palette.isEmpty()) {
        colors = picture.palette;
    } else {
        for (int i = 0; i <= largest; ++i) {
            const int grey = i * 255 / largest;
            colors.append(qRgb(grey, grey, grey));
        }
    }
    while (colors.size() < 256)
        colors.append(qRgb(0, 0, 0));
    bitmap.setColorTable(colors);
    if (!indices)
        return bitmap;
    for (int y = y0; y < y1; ++y) {
        const uint8_t *in = indices->data.data() + size_t(y - picture.top) * indices->stride;
        uchar *out = bitmap.scanLine(y);
        for (int x = x0; x < x1; ++x) {
            const int sx = x - picture.left;
            if (depth == 8)
                out[x] = in[sx];
            else if (depth == 4)
                out[x] = (in[sx / 2] >> (sx % 2 ? 0 : 4)) & 15;
            else
                out[x] = (in[sx / 8] >> (7 - sx % 8)) & 1;
        }
    }
    return bitmap;
}

#include "imaging/decoders/PSPChannel.h"

#include "imaging/decoders/LZ77Decoder.h"
#include "imaging/decoders/PSPRLEDecoder.h"

#include <zlib.h>

#include <cstring>

PSPChannelInfo ReadPSPChannelInfo(const PSPBlock &block, int majorVersion)
{
    ByteReader body = block.body;
    PSPChannelInfo info;
    size_t dataStart = 0;
    if (majorVersion <= 3) {
        dataStart = block.initialChunkLength;
    } else {
        // Later formats may append fields: the chunk's own size says where
        // the data begins.
        dataStart = body.U32LE();
    }
    ByteReader fields = body.Sub(majorVersion <= 3 ? 0 : 4, 12);
    info.compressedLength = fields.U32LE();
    info.uncompressedLength = fields.U32LE();
    info.bitmapType = fields.U16LE();
    info.channelType = fields.U16LE();
    if (dataStart < (majorVersion <= 3 ? 12u : 16u))
        throw EReadError();
    info.packed = body.Sub(dataStart, body.Size() >= dataStart ? body.Size() - dataStart : 0);
    return info;
}

std::optional<PSPChannel> ReadPSPChannel(const PSPChannelInfo &info, PSPCompression compression, size_t rows,
                                         size_t rowBytes)
{
    const size_t padded = (rowBytes + 3) / 4 * 4;
    size_t stride = 0;
    if (info.uncompressedLength == rows * rowBytes)
        stride = rowBytes;
    else if (info.uncompressedLength == rows * padded)
        stride = padded;
    else
        return std::nullopt;
    if (info.compressedLength > info.packed.Size())
        throw EReadError();
    // The packed data must be able to fill the plane (a run packet of two
    // bytes gives at most 127, deflate at most 1032 bytes a byte) before the
    // plane is allocated.
    const uint64_t mostUnpacked = uint64_t(info.compressedLength)
                                  * (compression == PSPCompression::None ? 1 : compression == PSPCompression::RLE ? 64 : 1032);
    if (mostUnpacked < info.uncompressedLength)
        throw EReadError();
    std::span<const uint8_t> packed = info.packed.Rest().first(info.compressedLength);

    PSPChannel channel;
    channel.bitmapType = info.bitmapType;
    channel.channelType = info.channelType;
    channel.stride = stride;
    channel.data.resize(info.uncompressedLength);
    size_t written = 0;
    switch (compression) {
    case PSPCompression::None:
        written = std::min(packed.size(), channel.data.size());
        if (written)
            std::memcpy(channel.data.data(), packed.data(), written);
        break;
    case PSPCompression::RLE: {
        TPSPRLEDecoder decoder;
        decoder.Start();
        written = decoder.Decode(packed, channel.data, channel.data.size());
        decoder.Finish();
        break;
    }
    case PSPCompression::LZ77: {
        // Every channel is a zlib stream of its own.
        TLZ77Decoder decoder(Z_NO_FLUSH, false);
        decoder.Start();
        written = decoder.Decode(packed, channel.data, channel.data.size());
        if (decoder.DataError())
            decoder.Finish();
        break;
    }
    }
    if (written < channel.data.size())
        throw EReadError();
    return channel;
}

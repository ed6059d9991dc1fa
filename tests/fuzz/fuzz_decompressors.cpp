// Every member of the decompressor family on arbitrary packed data. The
// first byte picks the member, the next two its configuration (a width or
// options), the fourth and fifth the destination size; the rest is the
// packed data. The destination is exactly as large as said, so that any
// write past it is caught.
#include "common/VistranoError.h"
#include "imaging/decoders/CCITTFax3Decoder.h"
#include "imaging/decoders/CCITTFax4Decoder.h"
#include "imaging/decoders/CCITTMHDecoder.h"
#include "imaging/decoders/CUTRLEDecoder.h"
#include "imaging/decoders/GIFLZWDecoder.h"
#include "imaging/decoders/LZ77Decoder.h"
#include "imaging/decoders/PCDDecoder.h"
#include "imaging/decoders/PCXRLEDecoder.h"
#include "imaging/decoders/PSPRLEDecoder.h"
#include "imaging/decoders/PackbitsRLEDecoder.h"
#include "imaging/decoders/RLADecoder.h"
#include "imaging/decoders/SGIRLEDecoder.h"
#include "imaging/decoders/TargaRLEDecoder.h"
#include "imaging/decoders/ThunderDecoder.h"
#include "imaging/decoders/TIFFJPEGDecoder.h"
#include "imaging/decoders/TIFFLZWDecoder.h"

#include <zlib.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using Maker = std::function<std::unique_ptr<TDecoder>(unsigned config)>;

const std::vector<Maker> &Members()
{
    static const std::vector<Maker> members = {
        [](unsigned) { return std::make_unique<TPackbitsRLEDecoder>(); },
        [](unsigned config) { return std::make_unique<TLZ77Decoder>(config & 1 ? Z_SYNC_FLUSH : Z_NO_FLUSH, config & 2); },
        [](unsigned) { return std::make_unique<TTIFFLZWDecoder>(); },
        [](unsigned config) { return std::make_unique<TCCITTMHDecoder>(config % 4000); },
        [](unsigned config) { return std::make_unique<TCCITTFax3Decoder>((config >> 2) % 4000, config & 3); },
        [](unsigned config) { return std::make_unique<TCCITTFax4Decoder>(config % 4000); },
        [](unsigned config) { return std::make_unique<TThunderDecoder>(config % 4000); },
        [](unsigned config) {
            using Space = TTIFFJPEGDecoder::ColorSpace;
            const Space spaces[] = {Space::Grey, Space::RGB, Space::YCbCr, Space::CMYK};
            return std::make_unique<TTIFFJPEGDecoder>(std::vector<uint8_t>{}, spaces[config & 3], (config >> 2) % 512);
        },
        [](unsigned config) { return std::make_unique<TGIFLZWDecoder>(int(config % 7) + 2); },
        [](unsigned config) {
            const int depths[] = {8, 15, 16, 24, 32, 7};
            return std::make_unique<TTargaRLEDecoder>(depths[config % 6]);
        },
        [](unsigned) { return std::make_unique<TPCXRLEDecoder>(); },
        [](unsigned config) { return std::make_unique<TSGIRLEDecoder>(config & 1 ? 16 : 8); },
        [](unsigned) { return std::make_unique<TCUTRLEDecoder>(); },
        [](unsigned) { return std::make_unique<TPSPRLEDecoder>(); },
        [](unsigned) { return std::make_unique<TRLADecoder>(); },
        [](unsigned config) { return std::make_unique<TPCDDecoder>(int(config % 4000)); },
    };
    return members;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 5)
        return 0;
    const auto &members = Members();
    const unsigned config = unsigned(data[1]) << 8 | data[2];
    const size_t destSize = size_t(data[3]) << 8 | data[4];
    std::unique_ptr<TDecoder> decoder = members[data[0] % members.size()](config);
    std::vector<uint8_t> dest(destSize);
    std::span<const uint8_t> source(data + 5, size - 5);
    try {
        decoder->Start();
        // Twice, as decoders are fed strip after strip.
        for (int pass = 0; pass < 2; ++pass) {
            std::span<const uint8_t> packed = source;
            const size_t written = decoder->Decode(packed, dest, destSize - destSize / 4 * pass);
            if (written > dest.size() || packed.size() > source.size())
                __builtin_trap();
        }
        decoder->Finish();
    } catch (const VistranoError &) {
    }
    return 0;
}

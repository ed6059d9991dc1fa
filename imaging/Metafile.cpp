#include "imaging/Metafile.h"

#include "common/VistranoError.h"
#include "imaging/decoders/ByteReader.h"

namespace {

constexpr uint32_t kEmfHeaderRecord = 1;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

} // namespace

const TGraphicClass &TMetafile::StaticClass()
{
    static const TGraphicClass cls{"TMetafile", [] { return std::unique_ptr<TGraphic>(new TMetafile); }};
    return cls;
}

void TMetafile::LoadFromBytes(const QByteArray &data)
{
    const auto invalid = [] { return EInvalidGraphic(QStringLiteral("Metafile is not valid")); };
    try {
        ByteReader reader(data);
        const uint32_t first = reader.U32LE();
        if (first == kEmfHeaderRecord) {
            const uint32_t headerSize = reader.U32LE();
            reader.Seek(40);
            if (reader.U32LE() != kEmfSignature || headerSize < 88 || headerSize > data.size())
                throw invalid();
            m_enhanced = true;
            return;
        }
        if (first != kPlaceableKey)
            throw invalid();
        // The placeable header's checksum is the XOR of its first ten words.
        reader.Seek(0);
        uint16_t checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= reader.U16LE();
        if (reader.U16LE() != checksum)
            throw invalid();
        const uint16_t type = reader.U16LE();
        const uint16_t headerWords = reader.U16LE();
        if ((type != 1 && type != 2) || headerWords != 9)
            throw invalid();
        m_enhanced = false;
    } catch (const EReadError &) {
        throw invalid();
    }
}

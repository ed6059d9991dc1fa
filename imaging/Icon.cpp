#include "imaging/Icon.h"

#include "common/VistranoError.h"
#include "imaging/decoders/ByteReader.h"

const TGraphicClass &TIcon::StaticClass()
{
    static const TGraphicClass cls{"TIcon", [] { return std::unique_ptr<TGraphic>(new TIcon); }};
    return cls;
}

void TIcon::LoadFromBytes(const QByteArray &data)
{
    const auto invalid = [] { return EInvalidGraphic(QStringLiteral("Icon image is not valid")); };
    try {
        ByteReader reader(data);
        const uint16_t reserved = reader.U16LE();
        const uint16_t type = reader.U16LE();
        const uint16_t count = reader.U16LE();
        // Type 0 is the old stock icon, 1 an icon; cursors (2) are not icons.
        if (reserved != 0 || type > 1 || count == 0)
            throw invalid();
        for (int i = 0; i < count; ++i) {
            reader.Skip(8); // width, height, colours, reserved, planes, bit count
            const uint32_t size = reader.U32LE();
            const uint32_t offset = reader.U32LE();
            if (size == 0 || offset > data.size() || size > uint64_t(data.size()) - offset)
                throw invalid();
        }
        m_imageCount = count;
    } catch (const EReadError &) {
        throw invalid();
    }
}

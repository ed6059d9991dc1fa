#include "imaging/decoders/PCDGraphic.h"

#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/PCDDecoder.h"

#include <QTransform>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr const char *kFormat = "PCD";
constexpr int kBaseWidth = 768;
constexpr int kBaseHeight = 512;
constexpr size_t kSignatureOffset = 0x800;
constexpr size_t kAttributeOffset = 0xE02;
constexpr size_t kBaseOffset = 0x30000;
constexpr size_t kBaseBytes = size_t(kBaseWidth) * kBaseHeight * 3 / 2;

// PhotoYCC to RGB with Kodak's constants:
//   R = 1.3584 Y + 1.8215 (C2 - 137)
//   G = 1.3584 Y - 0.4303 (C1 - 156) - 0.9271 (C2 - 137)
//   B = 1.3584 Y + 2.2179 (C1 - 156)
// in 16.16 fixed point, rounded to the nearest and clamped to 0..255 (the
// headroom above reference white is cut).
struct YCCTables
{
    std::array<int32_t, 256> luma, red, greenC1, greenC2, blue;

    YCCTables()
    {
        auto fixed = [](double v) { return int32_t(std::lround(v * 65536.0)); };
        for (int i = 0; i < 256; ++i) {
            luma[i] = fixed(1.3584 * i) + 32768;
            red[i] = fixed(1.8215 * (i - 137));
            greenC1[i] = fixed(-0.4303 * (i - 156));
            greenC2[i] = fixed(-0.9271 * (i - 137));
            blue[i] = fixed(2.2179 * (i - 156));
        }
    }
};

inline uint8_t Clamp(int32_t fixed)
{
    const int32_t value = fixed >> 16;
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

} // namespace

const TGraphicClass &TPCDGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPCDGraphic", [] { return std::unique_ptr<TGraphic>(new TPCDGraphic); }};
    return cls;
}

void TPCDGraphic::LoadFromBytes(const QByteArray &data)
{
    ByteReader file(data);
    // Overview files ("PCD_OPA") and everything else are not Image Pacs.
    ByteReader signature = file.Sub(kSignatureOffset, 7);
    if (std::memcmp(signature.Bytes(7).data(), "PCD_IPI", 7) != 0)
        FormatError(kFormat);
    const int orientation = file.Sub(kAttributeOffset, 1).U8() & 3;
    std::span<const uint8_t> base = file.Sub(kBaseOffset, kBaseBytes).Rest();

    std::vector<uint8_t> ycc(size_t(kBaseWidth) * kBaseHeight * 3);
    TPCDDecoder decoder(kBaseWidth);
    decoder.Start();
    decoder.Decode(base, ycc, ycc.size());
    decoder.Finish();

    static const YCCTables tables;
    QImage bitmap = NewBitmap(kBaseWidth, kBaseHeight, QImage::Format_BGR888);
    for (int y = 0; y < kBaseHeight; ++y) {
        const uint8_t *in = ycc.data() + size_t(y) * kBaseWidth * 3;
        uchar *out = bitmap.scanLine(y);
        for (int x = 0; x < kBaseWidth; ++x, in += 3, out += 3) {
            const int32_t luma = tables.luma[in[0]];
            out[0] = Clamp(luma + tables.blue[in[1]]);
            out[1] = Clamp(luma + tables.greenC1[in[1]] + tables.greenC2[in[2]]);
            out[2] = Clamp(luma + tables.red[in[2]]);
        }
    }

    // 1 and 3 are portraits scanned sideways, 2 is upside down.
    static const int kTurn[4] = {0, -90, 180, 90};
    if (orientation != 0)
        bitmap = bitmap.transformed(QTransform().rotate(kTurn[orientation]));
    m_bitmap = bitmap;
}

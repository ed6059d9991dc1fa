#include "imaging/decoders/CUTGraphic.h"
#include "imaging/decoders/HaloPalette.h"

#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes &out, int value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

QByteArray ToQt(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

// Writes a CUT file: rows of runs (bit 7 set) and literals (up to 127),
// each with its length word (counting the end marker, as Dr. Halo writes
// it) and the end marker.
QByteArray EncodeCUT(int width, int height, const std::function<int(int, int)> &index)
{
    Bytes out;
    Put16(out, width);
    Put16(out, height);
    Put16(out, 0);
    for (int y = 0; y < height; ++y) {
        Bytes packets;
        int x = 0;
        while (x < width) {
            int run = 1;
            while (x + run < width && run < 127 && index(x + run, y) == index(x, y))
                ++run;
            if (run >= 3) {
                packets.push_back(uint8_t(0x80 | run));
                packets.push_back(uint8_t(index(x, y)));
                x += run;
                continue;
            }
            int literal = 0;
            Bytes values;
            while (x < width && literal < 127 && !(x + 2 < width && index(x, y) == index(x + 1, y)
                                                   && index(x, y) == index(x + 2, y))) {
                values.push_back(uint8_t(index(x, y)));
                ++x, ++literal;
            }
            packets.push_back(uint8_t(literal));
            packets.insert(packets.end(), values.begin(), values.end());
        }
        Put16(out, int(packets.size()) + 1);
        out.insert(out.end(), packets.begin(), packets.end());
        out.push_back(0);
    }
    return ToQt(out);
}

// Writes a generic Dr. Halo palette with 16-bit components up to `maximum`.
QByteArray EncodePalette(const std::vector<std::array<int, 3>> &colors, int maximum)
{
    Bytes out = {'A', 'H'};
    Put16(out, 0x0300);
    Put16(out, 0);
    out.push_back(10); // file type
    out.push_back(0);  // generic sub-type
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, int(colors.size()) - 1);
    for (int i = 0; i < 3; ++i)
        Put16(out, maximum);
    const char id[20] = "Dr. Halo";
    out.insert(out.end(), id, id + 20);
    for (const auto &c : colors) {
        if (512 - out.size() % 512 < 6)
            out.resize(out.size() + 512 - out.size() % 512, 0);
        for (int v : c)
            Put16(out, v);
    }
    return ToQt(out);
}

int Indices(int x, int y)
{
    return x < 20 ? 5 : (x * 7 + y * 3) % 97;
}

std::vector<std::array<int, 3>> SixBitColors(int count)
{
    std::vector<std::array<int, 3>> colors;
    for (int i = 0; i < count; ++i)
        colors.push_back({i % 64, (i * 5) % 64, 63 - i % 64});
    return colors;
}

} // namespace

TEST(CUTGraphic, MatchesImageMagickWithAndWithoutPalette)
{
    REQUIRE_TOOLS("convert");
    TestFolder folder;
    const QByteArray cut = EncodeCUT(301, 17, Indices);
    const QString bare = folder.Write("bare/picture.cut", cut);

    TCUTGraphic grey;
    grey.LoadFromFile(bare);
    const QImage indices = grey.Bitmap();
    ASSERT_EQ(indices.format(), QImage::Format_Indexed8);
    ASSERT_EQ(indices.size(), QSize(301, 17));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 301; ++x)
            ASSERT_EQ(indices.pixelIndex(x, y), Indices(x, y)) << x << "," << y;
    // Without a palette the greys are stretched to the largest index (96).
    EXPECT_EQ(indices.color(0), qRgb(0, 0, 0));
    EXPECT_EQ(indices.color(96), qRgb(255, 255, 255));
    EXPECT_EQ(indices.color(48), qRgb(128, 128, 128));

    // ImageMagick shows a bare CUT with grey = index: compare the indices.
    QImage ours = indices;
    QList<QRgb> plain(256);
    for (int i = 0; i < 256; ++i)
        plain[i] = qRgb(i, i, i);
    ours.setColorTable(plain);
    EXPECT_EQ(MaxDifference(ours, Magick(bare)), 0);

    // With a palette of 6-bit components that runs over the first 512-byte
    // block; the extension's letter case does not matter.
    folder.Write("coloured/picture.cut", cut);
    folder.Write("coloured/picture.PaL", EncodePalette(SixBitColors(120), 63));
    TCUTGraphic coloured;
    coloured.LoadFromFile(folder.Path("coloured/picture.cut"));
    const QImage image = coloured.Bitmap();
    EXPECT_EQ(image.color(0), qRgb(0, 0, 255));
    EXPECT_EQ(image.color(90), qRgb(26 * 255 / 63, 2 * 255 / 63, (63 - 26) * 255 / 63)) << "in block 1";
    // ImageMagick looks for "picture.pal" or "picture.PAL" only.
    folder.Write("magick/picture.cut", cut);
    folder.Write("magick/picture.pal", EncodePalette(SixBitColors(120), 63));
    EXPECT_EQ(MaxDifference(image, Magick(folder.Path("magick/picture.cut"))), 0);
}

TEST(CUTGraphic, BytesAloneAreGreyAndBadPalettesAreIgnored)
{
    TestFolder folder;
    const QByteArray cut = EncodeCUT(4, 2, [](int x, int) { return x % 2; });
    const QImage fromBytes = Decode<TCUTGraphic>(cut);
    ASSERT_FALSE(fromBytes.isNull());
    EXPECT_EQ(fromBytes.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(fromBytes.pixel(1, 0), qRgb(255, 255, 255)) << "line art is black and white";

    folder.Write("a.cut", cut);
    folder.Write("a.pal", "not a palette at all, but long enough to have a header..");
    TCUTGraphic graphic;
    graphic.LoadFromFile(folder.Path("a.cut"));
    EXPECT_EQ(graphic.Bitmap().pixel(1, 0), qRgb(255, 255, 255));

    // Palettes with fewer colours than indices leave the rest black; one
    // cut short keeps the colours it holds.
    QByteArray short2 = EncodePalette({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, 255);
    short2.chop(6);
    const std::optional<QList<QRgb>> colors = ReadHaloPalette(short2);
    ASSERT_TRUE(colors.has_value());
    EXPECT_EQ(*colors, (QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0)}));
    EXPECT_FALSE(ReadHaloPalette(QByteArray("AH")).has_value());
    QByteArray boardSpecific = EncodePalette({{1, 2, 3}}, 255);
    boardSpecific[7] = 3;
    EXPECT_FALSE(ReadHaloPalette(boardSpecific).has_value());

    folder.Write("b.cut", cut);
    folder.Write("B.PAL", EncodePalette({{255, 0, 0}}, 255));
    TCUTGraphic loose;
    loose.LoadFromFile(folder.Path("b.cut"));
    EXPECT_EQ(loose.Bitmap().pixel(0, 0), qRgb(255, 0, 0)) << "base name in another case";
    EXPECT_EQ(loose.Bitmap().pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(FindHaloPaletteFile(folder.Path("none.cut")), QString());
}

TEST(CUTGraphic, TruncatedAndHostileFilesFail)
{
    const QByteArray cut = EncodeCUT(40, 6, Indices);
    const QString read = QStringLiteral("Stream read error");
    EXPECT_EQ(ErrorOf<TCUTGraphic>(cut.left(5)), read);
    EXPECT_EQ(ErrorOf<TCUTGraphic>(cut.left(cut.size() / 2)), read);
    QByteArray bad = cut;
    bad[0] = 0, bad[1] = 0;
    EXPECT_EQ(ErrorOf<TCUTGraphic>(bad), QStringLiteral("Cannot load image. Invalid or unexpected CUT image format."));
    // A header that promises 65535 x 65535 pixels in a few bytes is refused
    // before anything is allocated for it.
    bad = cut;
    bad[0] = bad[1] = bad[2] = bad[3] = char(0xFF);
    EXPECT_EQ(ErrorOf<TCUTGraphic>(bad), read);

    // A last row without its end marker is taken as far as it goes.
    QByteArray open = cut;
    open.chop(1);
    EXPECT_FALSE(Decode<TCUTGraphic>(open).isNull());
}

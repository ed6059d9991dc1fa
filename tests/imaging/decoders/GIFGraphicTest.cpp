#include "imaging/decoders/GIFGraphic.h"

#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Builds small GIF files byte by byte. Image data is packed with literal
// codes only, sending a clear code before the width would grow: valid LZW
// that any reader decodes.
class GIFBuilder
{
public:
    explicit GIFBuilder(int screenWidth, int screenHeight, const char *signature = "GIF89a")
    {
        m_bytes.append(signature, 6);
        Word(screenWidth);
        Word(screenHeight);
    }
    GIFBuilder &ScreenFlags(uint8_t flags, const std::vector<QRgb> &globalTable = {})
    {
        m_bytes.append(char(flags)).append('\0').append('\0');
        Table(globalTable);
        return *this;
    }
    GIFBuilder &Raw(const QByteArray &bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }
    GIFBuilder &Image(int width, int height, uint8_t flags, const std::vector<QRgb> &localTable,
                      const std::vector<uint8_t> &pixels, int codeSize)
    {
        m_bytes.append(',');
        Word(0);
        Word(0);
        Word(width);
        Word(height);
        m_bytes.append(char(flags));
        Table(localTable);
        m_bytes.append(char(codeSize));
        const std::vector<uint8_t> packed = PackLiterals(pixels, codeSize);
        for (size_t i = 0; i < packed.size(); i += 255) {
            const size_t n = std::min<size_t>(255, packed.size() - i);
            m_bytes.append(char(n));
            m_bytes.append(reinterpret_cast<const char *>(packed.data() + i), qsizetype(n));
        }
        m_bytes.append('\0');
        return *this;
    }
    QByteArray Finish() { return m_bytes + ';'; }
    QByteArray Bytes() const { return m_bytes; }

private:
    void Word(int v) { m_bytes.append(char(v & 255)).append(char(v >> 8 & 255)); }
    void Table(const std::vector<QRgb> &table)
    {
        for (QRgb c : table)
            m_bytes.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    static std::vector<uint8_t> PackLiterals(const std::vector<uint8_t> &pixels, int s)
    {
        const unsigned clear = 1u << s, width = unsigned(s) + 1;
        std::vector<uint8_t> out;
        uint32_t bits = 0;
        unsigned count = 0;
        auto put = [&](unsigned code) {
            bits |= code << count;
            count += width;
            while (count >= 8) {
                out.push_back(uint8_t(bits));
                bits >>= 8;
                count -= 8;
            }
        };
        unsigned sinceClear = clear; // forces a clear first
        for (uint8_t p : pixels) {
            if (sinceClear + 2 >= clear) {
                put(clear);
                sinceClear = 0;
            }
            put(p);
            ++sinceClear;
        }
        put(clear + 1);
        if (count)
            out.push_back(uint8_t(bits));
        return out;
    }

    QByteArray m_bytes;
};

std::vector<QRgb> Palette(int count, int base)
{
    std::vector<QRgb> table;
    for (int i = 0; i < count; ++i)
        table.push_back(qRgb(base + i, 255 - i, (base * i) & 255));
    return table;
}

QImage Load(const QByteArray &bytes) { return DecodeOrFail<TGIFGraphic>(bytes); }
QString LoadError(const QByteArray &bytes) { return ErrorOf<TGIFGraphic>(bytes); }

} // namespace

TEST(TGIFGraphic, ReadsTheFirstImageWithTheLocalTableInPlaceOfTheGlobalOne)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 6 * 3; ++i)
        pixels.push_back(uint8_t(i % 16));
    const QByteArray comment = QByteArray("!\xFE\x05hello\x00", 9);
    const QByteArray application = QByteArray("!\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    const QByteArray control = QByteArray("!\xF9\x04\x01\x00\x00\x02\x00", 8);
    const QByteArray bytes = GIFBuilder(6, 3)
                                 .ScreenFlags(0x81, Palette(4, 10)) // 4-colour global table
                                 .Raw(comment + application + control)
                                 .Image(6, 3, 0x83, Palette(16, 100), pixels, 4) // 16-colour local table
                                 .Image(6, 3, 0x00, {}, std::vector<uint8_t>(18, 1), 4)
                                 .Finish();
    const QImage image = Load(bytes);
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.size(), QSize(6, 3));
    const std::vector<QRgb> local = Palette(16, 100);
    ASSERT_EQ(image.colorCount(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image.color(i), local[size_t(i)]);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(image.pixelIndex(x, y), (y * 6 + x) % 16);
}

TEST(TGIFGraphic, PlacesInterlacedRowsInPassOrder)
{
    // Row n of the data carries the value n: rows 0, 8, 4, 2, 6, 1, 3, 5, 7, 9.
    std::vector<uint8_t> pixels;
    for (int n = 0; n < 10; ++n)
        pixels.insert(pixels.end(), 2, uint8_t(n));
    const QImage image = Load(GIFBuilder(2, 10).ScreenFlags(0x83, Palette(16, 0)).Image(2, 10, 0x40, {}, pixels, 4).Finish());
    const int expectedOrder[] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    for (int n = 0; n < 10; ++n)
        EXPECT_EQ(image.pixelIndex(1, expectedOrder[n]), n) << "data row " << n;
}

TEST(TGIFGraphic, HandlesTheHeaderVariants)
{
    // Lower-case signature; width and height 0 take the screen's.
    const QImage lower = Load(GIFBuilder(3, 2, "gif87a").ScreenFlags(0x80, Palette(2, 0)).Image(0, 0, 0, {}, {1, 0, 1, 0, 1, 0}, 2).Finish());
    ASSERT_EQ(lower.size(), QSize(3, 2));
    EXPECT_EQ(lower.pixelIndex(0, 0), 1);
    EXPECT_EQ(lower.pixelIndex(1, 1), 1);

    // Only the trailer after the header: an empty picture.
    TGIFGraphic empty;
    empty.LoadFromBytes(GIFBuilder(10, 10).ScreenFlags(0).Finish());
    EXPECT_TRUE(empty.Bitmap().isNull());

    // Rows the data does not reach are colour 0.
    const QImage partial = Load(GIFBuilder(2, 3).ScreenFlags(0x80, Palette(2, 0)).Image(2, 3, 0, {}, {1, 1, 1}, 2).Finish());
    EXPECT_EQ(partial.pixelIndex(0, 1), 1);
    EXPECT_EQ(partial.pixelIndex(1, 1), 0);
    EXPECT_EQ(partial.pixelIndex(1, 2), 0);

    // An unknown extension label has its sub-blocks skipped, even when they
    // hold the bytes "," and ";".
    const QImage unknown = Load(GIFBuilder(1, 1).ScreenFlags(0x80, Palette(2, 0))
                                    .Raw(QByteArray("!\x42\x03,;,\x00", 7))
                                    .Image(1, 1, 0, {}, {1}, 2)
                                    .Finish());
    EXPECT_EQ(unknown.pixelIndex(0, 0), 1);

    // Without any colour table the indices are shown as grey levels.
    const QImage noTable = Load(GIFBuilder(1, 1).ScreenFlags(0).Image(1, 1, 0, {}, {200}, 8).Finish());
    EXPECT_EQ(noTable.pixel(0, 0), qRgb(200, 200, 200));

    EXPECT_TRUE(TGIFGraphic::CanLoad(QByteArray("gIf89a") + QByteArray(17, '\0')));
    EXPECT_FALSE(TGIFGraphic::CanLoad(QByteArray("GIF89a") + QByteArray(16, '\0')));
    EXPECT_FALSE(TGIFGraphic::CanLoad(QByteArray("PNG89a") + QByteArray(30, '\0')));
}

TEST(TGIFGraphic, FailsWithTheFamilyMessages)
{
    EXPECT_EQ(LoadError(QByteArray("GIT89a") + QByteArray(30, '\0')),
              QStringLiteral("Cannot load image. Invalid or unexpected GIF image format."));
    const QByteArray good = GIFBuilder(4, 4).ScreenFlags(0x80, Palette(2, 0)).Image(4, 4, 0, {}, std::vector<uint8_t>(16, 1), 2).Finish();
    for (qsizetype cut : {qsizetype(4), qsizetype(12), qsizetype(20), qsizetype(25), qsizetype(30), good.size() - 2})
        EXPECT_EQ(LoadError(good.left(cut)), QStringLiteral("Stream read error")) << cut;
    QByteArray badCodeSize = good;
    badCodeSize[6 + 7 + 6 + 10] = 12;
    EXPECT_EQ(LoadError(badCodeSize), QStringLiteral("Cannot load image. Invalid or unexpected GIF image format."));
    // Without a trailer or image the scan runs into the end of the data.
    EXPECT_EQ(LoadError(GIFBuilder(4, 4).ScreenFlags(0).Bytes()), QStringLiteral("Stream read error"));
    EXPECT_NE(LoadError(GIFBuilder(0, 0).ScreenFlags(0).Image(0, 0, 0, {}, {}, 2).Finish()), QStringLiteral("(no error)"));
    // A picture of 16000 by 16000 from three bytes of image data: no LZW
    // data that short reaches that size, so nothing is allocated for it.
    EXPECT_EQ(LoadError(GIFBuilder(16000, 16000).ScreenFlags(0).Image(0, 0, 0, {}, {1, 2}, 2).Finish()),
              QStringLiteral("Cannot load image. Invalid or unexpected GIF image format."));
}

TEST(TGIFGraphic, MatchesGiflibAndNetpbmOnFilesTheyWrite)
{
    REQUIRE_TOOLS("gifbuild", "giftopnm", "ppmtogif");
    TestFolder folder;

    // netpbm: a 256-colour picture, plain and interlaced, and a 2-colour one.
    struct Case
    {
        const char *name;
        QImage picture;
        QStringList options;
    };
    const Case cases[] = {
        {"many.gif", MakeIndexedPicture(203, 157, 256, 7), {}},
        {"interlaced.gif", MakeIndexedPicture(97, 61, 200, 8), {QStringLiteral("-interlace")}},
        {"two.gif", MakeIndexedPicture(33, 17, 2, 9), {}},
        {"sixteen-interlaced.gif", MakeIndexedPicture(64, 9, 16, 10), {QStringLiteral("-interlace")}},
    };
    for (const Case &c : cases) {
        const QByteArray gif = RunTool(QStringLiteral("ppmtogif"), c.options, EncodePPM(c.picture));
        ASSERT_FALSE(gif.isEmpty());
        const QImage reference = DecodeNetpbm(RunTool(QStringLiteral("giftopnm"), {}, gif));
        ExpectSamePixels(Load(gif), reference, QString::fromLatin1(c.name));
        ExpectSamePixels(Load(gif), c.picture, QString::fromLatin1(c.name));
    }

    // giflib: a global and a local table, extensions and two images.
    const QByteArray description = R"(screen width 5
screen height 4
screen colors 4
screen map
	rgb 255 000 000 is r
	rgb 000 255 000 is g
	rgb 000 000 255 is b
	rgb 255 255 255 is w
end
comment
a comment
end
image
image interlaced
image map
	rgb 010 020 030 is A
	rgb 040 050 060 is B
	rgb 070 080 090 is C
	rgb 100 110 120 is D
	rgb 130 140 150 is E
	rgb 160 170 180 is F
	rgb 190 200 210 is G
	rgb 220 230 240 is H
end
image bits 5 by 4
ABCDE
FGHAB
CDEFG
HHHHA
image
image bits 5 by 4
rrrrr
ggggg
bbbbb
wwwww
)";
    const QByteArray built = RunTool(QStringLiteral("gifbuild"), {}, description);
    ASSERT_FALSE(built.isEmpty());
    const QImage ours = Load(built);
    EXPECT_EQ(ours.colorCount(), 8);
    EXPECT_EQ(ours.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(ours.pixel(4, 3), qRgb(10, 20, 30));
    EXPECT_EQ(ours.pixel(1, 3), qRgb(220, 230, 240));
    ExpectSamePixels(ours, DecodeNetpbm(RunTool(QStringLiteral("giftopnm"), {}, built)), QStringLiteral("gifbuild"));
}

TEST(TGIFGraphic, MatchesImageMagickOnAQuantisedPhoto)
{
    const QString convert = ConvertProgram();
    REQUIRE_TOOLS("convert");
    TestFolder folder;
    const QString source = folder.Write(QStringLiteral("photo.ppm"), EncodePPM(MakeTestPicture(320, 240, 3)));
    for (const char *interlace : {"None", "GIF"}) {
        const QString gif = folder.Path(QStringLiteral("photo-%1.gif").arg(QLatin1String(interlace)));
        RunTool(convert, {source, QStringLiteral("-interlace"), QLatin1String(interlace), gif});
        const QImage reference = DecodeNetpbm(RunTool(convert, {gif, QStringLiteral("ppm:-")}));
        ExpectSamePixels(Load(ReadFileBytes(gif)), reference, gif);
    }
}

TEST(TGIFGraphic, ShowsThroughPictureLoading)
{
    REQUIRE_TOOLS("ppmtogif", "giftopnm");
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QByteArray gif = RunTool(QStringLiteral("ppmtogif"), {QStringLiteral("-interlace")}, EncodePPM(MakeIndexedPicture(45, 31, 100, 21)));
    const QImage reference = DecodeNetpbm(RunTool(QStringLiteral("giftopnm"), {}, gif));
    ExpectShownAs(folder.Root(), QStringLiteral("picture.GIF"), gif, reference);
    // Indices past a short colour table show black.
    const QImage beyond = LoadPictureFile(folder.Write(QStringLiteral("beyond.gif"),
                                                       GIFBuilder(2, 1).ScreenFlags(0x80, Palette(2, 50)).Image(2, 1, 0, {}, {1, 3}, 2).Finish()),
                                          JPEGReadScale::Whole);
    EXPECT_EQ(beyond.pixel(0, 0), Palette(2, 50)[1]);
    EXPECT_EQ(beyond.pixel(1, 0), qRgb(0, 0, 0));
}

#include "imaging/decoders/EPSGraphic.h"
#include "imaging/decoders/TIFFGraphic.h"

#include "TIFFBuilder.h"
#include "common/VistranoError.h"

#include <gtest/gtest.h>

namespace {

QByteArray Le32(uint32_t v)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char(v >> (8 * i)));
    return out;
}

// A DOS EPS file: header, PostScript, then the TIFF preview.
QByteArray EPS(const QByteArray &tiff, uint32_t tiffOffset = 0, uint32_t tiffLength = 0)
{
    const QByteArray postscript("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 4 3\nshowpage\n");
    QByteArray out = QByteArray::fromHex("C5D0D3C6");
    out += Le32(30) + Le32(uint32_t(postscript.size())) + Le32(0) + Le32(0);
    out += Le32(tiffOffset ? tiffOffset : 30 + uint32_t(postscript.size()));
    out += Le32(tiffLength ? tiffLength : uint32_t(tiff.size()));
    out += QByteArray::fromHex("FFFF");
    return out + postscript + tiff;
}

QString Error(const QByteArray &bytes)
{
    try {
        TEPSGraphic graphic;
        graphic.LoadFromBytes(bytes);
    } catch (const VistranoError &error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

const QString kEPSMessage = QStringLiteral("Cannot load image. Invalid or unexpected EPS image format.");

} // namespace

TEST(TEPSGraphic, DecodesTheEmbeddedTIFFPreview)
{
    const QByteArray tiff = TIFFBuilder::Picture(4, 3, 8, 1, 1, 1, QByteArray::fromHex("000102031011121320212223")).Build();
    TEPSGraphic graphic;
    graphic.LoadFromBytes(EPS(tiff));
    const QImage image = graphic.Bitmap();
    ASSERT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixelColor(2, 1).red(), 0x12);
    EXPECT_EQ(&graphic.Class(), &TEPSGraphic::StaticClass());
}

TEST(TEPSGraphic, RefusesFilesWithoutAUsablePreview)
{
    const QByteArray tiff = TIFFBuilder::Picture(4, 3, 8, 1, 1, 1, QByteArray::fromHex("000102031011121320212223")).Build();
    EXPECT_EQ(Error("%!PS-Adobe-3.0 EPSF-3.0\n"), kEPSMessage) << "plain PostScript";
    EXPECT_EQ(Error(QByteArray::fromHex("C5D0D3C6") + QByteArray(10, '\0')), kEPSMessage) << "short header";
    QByteArray noPreview = EPS({});
    noPreview.replace(20, 8, QByteArray(8, '\0'));
    EXPECT_EQ(Error(noPreview), kEPSMessage) << "metafile or no preview";
    EXPECT_EQ(Error(EPS(tiff, 0xFFFFFF00u, 100)), QStringLiteral("Stream read error")) << "offset beyond the file";
    EXPECT_EQ(Error(EPS(tiff, 0, uint32_t(tiff.size()) + 1)), QStringLiteral("Stream read error"))
        << "preview longer than the file";
    EXPECT_EQ(Error(EPS(QByteArray("not a tiff preview"))), kEPSMessage);
    // The preview's own offsets count from its start, not the file's: a
    // preview cut short is a read error even though the EPS goes on.
    QByteArray cut = EPS(tiff, 0, uint32_t(tiff.size()) - 30);
    EXPECT_EQ(Error(cut), QStringLiteral("Stream read error"));
}

// A 16-bit colour map entry is read by its high byte, as TIFF readers take
// it: maps written as value x 256 (0xFF00 for full red) and as value x 257
// give the same colours, in a TIFF file and in an EPS preview alike.
TEST(TEPSGraphic, PaletteEntriesAreTheirHighByte)
{
    std::vector<uint32_t> map(3 * 256, 0);
    for (uint32_t i = 0; i < 256; ++i) {
        map[i] = i << 8;                  // red: value x 256
        map[256 + i] = i * 257;           // green: value x 257
        map[512 + i] = (255 - i) << 8 | 0xFF; // blue: value x 256 + 255
    }
    const QByteArray tiff = TIFFBuilder::Picture(4, 3, 8, 1, 3, 1, QByteArray::fromHex("00017F80FEFF00017F80FEFF"))
                                .Short(320, map)
                                .Build();
    TTIFFGraphic plain;
    plain.LoadFromBytes(tiff);
    TEPSGraphic preview;
    preview.LoadFromBytes(EPS(tiff));
    for (const QImage &image : {plain.Bitmap(), preview.Bitmap()}) {
        ASSERT_EQ(image.size(), QSize(4, 3));
        const int levels[6] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
        for (int i = 0; i < 6; ++i) {
            const QColor colour = image.pixelColor(i % 4, i / 4);
            EXPECT_EQ(colour.red(), levels[i]) << i;
            EXPECT_EQ(colour.green(), levels[i]) << i;
            EXPECT_EQ(colour.blue(), 255 - levels[i]) << i;
        }
    }
}

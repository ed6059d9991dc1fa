#include "imaging/decoders/TargaGraphic.h"

#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

QByteArray Header(uint8_t type, int width, int height, int depth, uint8_t descriptor, int mapLength = 0,
                  int mapEntrySize = 0, int mapFirst = 0, QByteArray id = {})
{
    QByteArray h;
    h.append(char(id.size())).append(char(mapLength ? 1 : 0)).append(char(type));
    h.append(char(mapFirst & 255)).append(char(mapFirst >> 8));
    h.append(char(mapLength & 255)).append(char(mapLength >> 8)).append(char(mapEntrySize));
    h.append(4, '\0');
    h.append(char(width & 255)).append(char(width >> 8)).append(char(height & 255)).append(char(height >> 8));
    h.append(char(depth)).append(char(descriptor));
    return h + id;
}

QImage Load(const QByteArray &bytes) { return DecodeOrFail<TTargaGraphic>(bytes); }
QString LoadError(const QByteArray &bytes) { return ErrorOf<TTargaGraphic>(bytes); }

// A TGA 2.0 footer with an extension area that gives the attributes type.
QByteArray WithExtensionArea(QByteArray file, int attributesType)
{
    const int offset = int(file.size());
    QByteArray extension(495, '\0');
    extension[0] = char(495 & 255);
    extension[1] = char(495 >> 8);
    extension[494] = char(attributesType);
    file += extension;
    file += ByteString({offset & 255, offset >> 8 & 255, offset >> 16 & 255, 0, 0, 0, 0, 0});
    file += QByteArray("TRUEVISION-XFILE.", 17) + '\0';
    return file;
}

} // namespace

TEST(TTargaGraphic, ReadsPackedRowsThatCrossRowEndsInEitherOrigin)
{
    // 2 by 2 at 24 bits: one run of 3 pixels across the row end, then one literal.
    const QByteArray pixels = ByteString({0x82, 1, 2, 3, 0x00, 4, 5, 6});
    const QImage bottomUp = Load(Header(10, 2, 2, 24, 0x00, 0, 0, 0, "an id") + pixels);
    ASSERT_EQ(bottomUp.format(), QImage::Format_BGR888);
    EXPECT_EQ(bottomUp.pixel(0, 1), qRgb(3, 2, 1)) << "the first stored row is the bottom one";
    EXPECT_EQ(bottomUp.pixel(1, 1), qRgb(3, 2, 1));
    EXPECT_EQ(bottomUp.pixel(0, 0), qRgb(3, 2, 1));
    EXPECT_EQ(bottomUp.pixel(1, 0), qRgb(6, 5, 4));

    const QImage topDown = Load(Header(10, 2, 2, 24, 0x20) + pixels);
    EXPECT_EQ(topDown.pixel(1, 1), qRgb(6, 5, 4));
    // Right-to-left: the first stored pixel of a row is its rightmost one.
    const QImage mirrored = Load(Header(10, 2, 2, 24, 0x30) + pixels);
    EXPECT_EQ(mirrored.pixel(0, 1), qRgb(6, 5, 4));
    EXPECT_EQ(mirrored.pixel(1, 1), qRgb(3, 2, 1));
}

TEST(TTargaGraphic, ReadsColourMapsOfEveryEntrySize)
{
    // A map that starts at index 2, with 15-bit entries: red, green.
    const QByteArray map15 = ByteString({0x00, 0x7C, 0xE0, 0x03});
    const QImage image = Load(Header(1, 3, 1, 8, 0x20, 2, 15, 2) + map15 + ByteString({2, 3, 0}));
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0)) << "an index below the map is black";

    const QImage map32 = Load(Header(9, 2, 1, 8, 0x20, 1, 32) + ByteString({10, 20, 30, 0, 0x81, 0}));
    EXPECT_EQ(map32.pixel(1, 0), qRgb(30, 20, 10));

    // A colour map in a true-colour file is skipped.
    const QImage skipped = Load(Header(2, 1, 1, 24, 0, 2, 24) + ByteString({9, 9, 9, 9, 9, 9, 7, 8, 9}));
    EXPECT_EQ(skipped.pixel(0, 0), qRgb(9, 8, 7));
}

TEST(TTargaGraphic, UsesAlphaOnlyWhenItIsMeaningful)
{
    // 16 bits with one attribute bit: bit 15 set is opaque.
    const QImage sixteen = Load(Header(2, 2, 1, 16, 0x21) + ByteString({0x1F, 0x80, 0x1F, 0x00}));
    ASSERT_EQ(sixteen.format(), QImage::Format_ARGB32);
    EXPECT_EQ(sixteen.pixel(0, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(qAlpha(sixteen.pixel(1, 0)), 0);
    // No attribute bits: the top bit means nothing.
    EXPECT_EQ(Load(Header(2, 2, 1, 16, 0x20) + ByteString({0x1F, 0x80, 0x1F, 0x00})).format(), QImage::Format_RGB32);

    const QByteArray pixels32 = ByteString({1, 2, 3, 128, 4, 5, 6, 0});
    const QImage withAlpha = Load(Header(2, 2, 1, 32, 0x28) + pixels32);
    ASSERT_EQ(withAlpha.format(), QImage::Format_ARGB32);
    EXPECT_EQ(withAlpha.pixel(0, 0), qRgba(3, 2, 1, 128));
    EXPECT_EQ(withAlpha.pixel(1, 0), qRgba(6, 5, 4, 0));
    // Alpha bits that are all 0 leave the picture opaque.
    const QImage zeroAlpha = Load(Header(2, 2, 1, 32, 0x28) + ByteString({1, 2, 3, 0, 4, 5, 6, 0}));
    EXPECT_EQ(zeroAlpha.pixel(1, 0), qRgb(6, 5, 4));
    EXPECT_FALSE(zeroAlpha.hasAlphaChannel());
    // The extension area has the last word: type 2 (undefined data) is opaque,
    // type 3 is real alpha even without attribute bits, type 4 premultiplied.
    EXPECT_FALSE(Load(WithExtensionArea(Header(2, 2, 1, 32, 0x28) + pixels32, 2)).hasAlphaChannel());
    EXPECT_EQ(Load(WithExtensionArea(Header(2, 2, 1, 32, 0x20) + pixels32, 3)).pixel(0, 0), qRgba(3, 2, 1, 128));
    const QImage premultiplied = Load(WithExtensionArea(Header(2, 2, 1, 32, 0x28) + ByteString({1, 2, 200, 128, 0, 0, 0, 0}), 4));
    EXPECT_EQ(premultiplied.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(premultiplied.pixel(0, 0), qRgba(128, 2, 1, 128)) << "colour above its alpha is clamped";
}

TEST(TTargaGraphic, FailsWithTheFamilyMessages)
{
    const QString format = QStringLiteral("Cannot load image. Invalid or unexpected Targa image format.");
    const QString colour = QStringLiteral("Invalid color format in Targa file.");
    EXPECT_EQ(LoadError(Header(0, 1, 1, 8, 0) + ByteString({0})), format);
    EXPECT_EQ(LoadError(Header(32, 1, 1, 8, 0) + ByteString({0})), format);
    EXPECT_EQ(LoadError(Header(2, 1, 1, 8, 0) + ByteString({0})), colour);
    EXPECT_EQ(LoadError(Header(3, 1, 1, 24, 0) + ByteString({0, 0, 0})), colour);
    EXPECT_EQ(LoadError(Header(1, 1, 1, 8, 0) + ByteString({0})), colour) << "a colour-mapped file without a map";
    EXPECT_EQ(LoadError(Header(1, 1, 1, 8, 0, 1, 8) + ByteString({0, 0})), colour);
    EXPECT_EQ(LoadError(Header(2, 2, 2, 24, 0) + QByteArray(11, '\0')), QStringLiteral("Stream read error"));
    EXPECT_EQ(LoadError(Header(10, 2, 2, 24, 0) + ByteString({0x82, 1, 2, 3})), QStringLiteral("Stream read error"));
    EXPECT_EQ(LoadError(Header(2, 1, 1, 24, 0).left(17)), QStringLiteral("Stream read error"));
    EXPECT_EQ(LoadError(Header(1, 1, 1, 8, 0, 200, 24) + QByteArray(10, '\0')), QStringLiteral("Stream read error"));
    // A huge picture from a few bytes is refused before anything is allocated.
    EXPECT_EQ(LoadError(Header(10, 60000, 4000, 32, 0) + QByteArray(100, '\x7F')), QStringLiteral("Stream read error"));
    EXPECT_NE(LoadError(Header(2, 0, 5, 24, 0)), QStringLiteral("(no error)"));
}

TEST(TTargaGraphic, MatchesImageMagickAndNetpbmOnFilesTheyWrite)
{
    const QString convert = ConvertProgram();
    REQUIRE_TOOLS("convert", "pamtotga");
    TestFolder folder;
    const QString photo = folder.Write(QStringLiteral("photo.ppm"), EncodePPM(MakeTestPicture(131, 77, 5)));
    const QString indexed = folder.Write(QStringLiteral("indexed.ppm"), EncodePPM(MakeIndexedPicture(64, 40, 200, 6)));

    struct Case
    {
        const char *name;
        QString source;
        QStringList options;
        bool alpha;
    };
    const QString rle = QStringLiteral("-compress"), rleValue = QStringLiteral("RLE");
    const Case cases[] = {
        {"raw24.tga", photo, {}, false},
        {"rle24.tga", photo, {rle, rleValue}, false},
        {"topleft.tga", photo, {QStringLiteral("-orient"), QStringLiteral("TopLeft")}, false},
        {"topright-rle.tga", photo, {QStringLiteral("-orient"), QStringLiteral("TopRight"), rle, rleValue}, false},
        {"palette.tga", indexed, {QStringLiteral("-type"), QStringLiteral("Palette")}, false},
        {"palette-rle.tga", indexed, {QStringLiteral("-type"), QStringLiteral("Palette"), rle, rleValue}, false},
        {"grey.tga", photo, {QStringLiteral("-type"), QStringLiteral("Grayscale")}, false},
        {"grey-rle.tga", photo, {QStringLiteral("-type"), QStringLiteral("Grayscale"), rle, rleValue}, false},
        {"rgb555.tga", photo, {QStringLiteral("-depth"), QStringLiteral("5")}, false},
        {"alpha32.tga", photo, {QStringLiteral("-alpha"), QStringLiteral("set"), QStringLiteral("-channel"), QStringLiteral("A"),
                                QStringLiteral("-fx"), QStringLiteral("(i+j)%256/255"), QStringLiteral("+channel")}, true},
        {"alpha32-rle.tga", photo, {QStringLiteral("-alpha"), QStringLiteral("set"), QStringLiteral("-channel"), QStringLiteral("A"),
                                    QStringLiteral("-fx"), QStringLiteral("i%2"), QStringLiteral("+channel"), rle, rleValue}, true},
    };
    for (const Case &c : cases) {
        const QString tga = folder.Path(QString::fromLatin1(c.name));
        RunTool(convert, QStringList{c.source} + c.options + QStringList{tga});
        // ImageMagick keeps a Targa's origin as a note on the picture and
        // writes its rows as they are: -auto-orient gives the picture as
        // the file describes it.
        // 5-bit samples: ImageMagick rounds some of them down on the way to
        // 8 bits, netpbm hands them over exactly.
        const QImage reference = DecodeNetpbm(
            c.name == QLatin1String("rgb555.tga")
                ? RunTool(QStringLiteral("tgatoppm"), {tga})
                : RunTool(convert, {tga, QStringLiteral("-auto-orient"), QStringLiteral("-depth"), QStringLiteral("8"),
                                    c.alpha ? QStringLiteral("pam:-") : QStringLiteral("ppm:-")}));
        ExpectSamePixels(Load(ReadFileBytes(tga)), reference, tga);
    }

    const QStringList netpbmOptions[] = {{}, {QStringLiteral("-norle")}, {QStringLiteral("-cmap")},
                                         {QStringLiteral("-cmap16"), QStringLiteral("-norle")}, {QStringLiteral("-mono")}};
    for (const QStringList &options : netpbmOptions) {
        const QByteArray source = options.contains(QStringLiteral("-mono")) ? ReadFileBytes(photo) : ReadFileBytes(indexed);
        const QByteArray tga = RunTool(QStringLiteral("pamtotga"), options, source);
        // netpbm's own reader: ImageMagick misreads 15-bit colour maps.
        const QImage reference = DecodeNetpbm(RunTool(QStringLiteral("tgatoppm"), {}, tga));
        ExpectSamePixels(Load(tga), reference, QStringLiteral("pamtotga ") + options.join(QLatin1Char(' ')));
    }
}

TEST(TTargaGraphic, ShowsThroughPictureLoadingUnderEveryExtension)
{
    const QString convert = ConvertProgram();
    REQUIRE_TOOLS("convert");
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QString photo = folder.Write(QStringLiteral("photo.ppm"), EncodePPM(MakeTestPicture(61, 43, 22)));
    const QString tga = folder.Path(QStringLiteral("alpha.tga"));
    RunTool(convert, {photo, QStringLiteral("-alpha"), QStringLiteral("set"), QStringLiteral("-channel"), QStringLiteral("A"),
                      QStringLiteral("-fx"), QStringLiteral("(i*4+j)%256/255"), QStringLiteral("+channel"),
                      QStringLiteral("-orient"), QStringLiteral("TopLeft"), QStringLiteral("-compress"), QStringLiteral("RLE"), tga});
    const QImage rgba = DecodeNetpbm(RunTool(convert, {tga, QStringLiteral("-auto-orient"), QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("pam:-")}));
    for (const char *name : {"a.tga", "b.VDA", "c.icb", "d.vst", "e.Win"})
        ExpectShownAs(folder.Root(), QLatin1String(name), ReadFileBytes(tga), OntoBlack(rgba));
}

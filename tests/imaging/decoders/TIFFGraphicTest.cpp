#include "imaging/decoders/TIFFGraphic.h"

#include "TIFFBuilder.h"
#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <QFile>

#include <functional>

namespace {

// ImageMagick's own decoding of a file, transparency put onto black.
QImage OracleRGB(const QString &path)
{
    return Magick(path + QStringLiteral("[0]"), {QStringLiteral("-background"), QStringLiteral("black"),
                                                 QStringLiteral("-alpha"), QStringLiteral("remove")});
}

QImage DecodeFile(const QString &path)
{
    TTIFFGraphic graphic;
    graphic.LoadFromBytes(ReadFileBytes(path));
    return graphic.Bitmap();
}

// One way of writing a TIFF file with the independent tools, from the
// folder's source pictures (src.ppm, grey.pgm, bilevel.pbm, narrow.pbm).
struct ToolCase
{
    const char *name;
    std::vector<QStringList> steps; // program and arguments; "@" is the folder, "PIL" Python with PIL
    int tolerance;                  // 0: pixel for pixel
};

std::ostream &operator<<(std::ostream &out, const ToolCase &c) { return out << c.name; }

QStringList Step(std::initializer_list<const char *> words)
{
    QStringList list;
    for (const char *word : words)
        list << QString::fromUtf8(word);
    return list;
}

const std::vector<ToolCase> &ToolCases()
{
    static const std::vector<ToolCase> cases = {
        // RGB, 8 bits per sample, through libtiff's own tools.
        {"rgb_none", {Step({"ppm2tiff", "@/src.ppm", "@/out.tif"})}, 0},
        {"rgb_lzw", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "lzw", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_lzw_predictor", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "lzw:2", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_zip", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "zip", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_zip_predictor", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "zip:2", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_packbits_strips_of_5", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "packbits", "-r", "5", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_tiles_lzw", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-t", "-w", "16", "-l", "16", "-c", "lzw:2", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_planar_lzw", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-p", "separate", "-c", "lzw:2", "-r", "8", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_planar_tiles", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-p", "separate", "-t", "-w", "32", "-l", "16", "-c", "zip", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_big_endian", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-B", "-c", "lzw:2", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_little_endian", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-L", "-c", "zip", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_raw2tiff_packbits_lsb_first", {Step({"raw2tiff", "-w", "67", "-l", "45", "-b", "3", "-d", "byte", "-i", "pixel", "-p", "rgb", "@/src.rgb", "@/out.tif"})}, 0},
        {"rgb_zip_lsb_first", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-f", "lsb2msb", "-c", "zip", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_lzw_lsb_first", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-f", "lsb2msb", "-c", "lzw:2", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_none_lsb_first", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-f", "lsb2msb", "-c", "none", "@/a.tif", "@/out.tif"})}, 0},
        {"rgb_jpeg_ycbcr", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "jpeg", "-r", "16", "@/a.tif", "@/out.tif"})}, 2},
        {"rgb_jpeg_rgb", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "jpeg:r", "-r", "16", "@/a.tif", "@/out.tif"})}, 2},
        {"rgb_jpeg_lsb_first", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-f", "lsb2msb", "-c", "jpeg", "-r", "16", "@/a.tif", "@/out.tif"})}, 2},
        {"rgb_jpeg_tiles", {Step({"ppm2tiff", "@/src.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "jpeg", "-t", "-w", "32", "-l", "32", "@/a.tif", "@/out.tif"})}, 2},
        {"rgb_jpeg_imagemagick", {Step({"convert", "@/src.ppm", "-compress", "jpeg", "@/out.tif"})}, 2},
        // Rows of a width the bitmap stores unpadded, decoded straight into it.
        {"wide_rgb_none", {Step({"ppm2tiff", "@/src68.ppm", "@/out.tif"})}, 0},
        {"wide_rgb_lzw_predictor", {Step({"ppm2tiff", "@/src68.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "lzw:2", "-r", "7", "@/a.tif", "@/out.tif"})}, 0},
        {"wide_rgb_zip", {Step({"ppm2tiff", "@/src68.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "zip", "@/a.tif", "@/out.tif"})}, 0},
        {"wide_grey_min_is_white", {Step({"convert", "@/grey68.pgm", "-define", "tiff:photometric=min-is-white", "-compress", "lzw", "@/out.tif"})}, 0},
        {"wide_rgb_jpeg", {Step({"ppm2tiff", "@/src68.ppm", "@/a.tif"}), Step({"tiffcp", "-c", "jpeg", "-r", "16", "@/a.tif", "@/out.tif"})}, 2},
        // Palettes: ImageMagick writes 16-bit levels of its own and rounds
        // them by 257 where TIFF readers take the high byte, one step apart.
        {"wide_palette", {Step({"convert", "@/src68.ppm", "-colors", "100", "-type", "palette", "-compress", "zip", "@/out.tif"})}, 1},
        // ImageMagick: 16 bits, CMYK, alpha, palettes, grey depths.
        {"rgb16_lzw_predictor", {Step({"convert", "@/src.ppm", "-depth", "16", "-compress", "lzw", "-define", "tiff:predictor=2", "@/out.tif"})}, 1},
        {"rgb16_big_endian", {Step({"convert", "@/src.ppm", "-depth", "16", "-endian", "MSB", "@/out.tif"})}, 1},
        {"cmyk", {Step({"convert", "@/src.ppm", "-colorspace", "cmyk", "-compress", "lzw", "@/out.tif"})}, 1},
        {"cmyk16", {Step({"convert", "@/src.ppm", "-colorspace", "cmyk", "-depth", "16", "@/out.tif"})}, 1},
        {"rgba_unassociated", {Step({"convert", "@/src.ppm", "-alpha", "set", "-channel", "A", "-fx", "(i+j)/(w+h)", "+channel", "-define", "tiff:alpha=unassociated", "@/out.tif"})}, 1},
        {"rgba_associated", {Step({"convert", "@/src.ppm", "-alpha", "set", "-channel", "A", "-fx", "(i+j)/(w+h)", "+channel", "-define", "tiff:alpha=associated", "-compress", "zip", "@/out.tif"})}, 2},
        {"palette_8", {Step({"convert", "@/src.ppm", "-colors", "200", "-type", "palette", "@/out.tif"})}, 1},
        {"palette_4", {Step({"convert", "@/src.ppm", "-colors", "16", "-type", "palette", "-compress", "lzw", "@/out.tif"})}, 1},
        {"palette_2", {Step({"convert", "@/src.ppm", "-colors", "4", "-type", "palette", "@/out.tif"})}, 1},
        {"grey_8", {Step({"ppm2tiff", "@/grey.pgm", "@/out.tif"})}, 0},
        {"grey_4", {Step({"convert", "@/grey.pgm", "-depth", "4", "@/out.tif"})}, 0},
        {"grey_2", {Step({"convert", "@/grey.pgm", "-depth", "2", "-compress", "rle", "@/out.tif"})}, 0},
        {"grey_16_zip_predictor", {Step({"convert", "@/grey.pgm", "-depth", "16", "-compress", "zip", "-define", "tiff:predictor=2", "@/out.tif"})}, 1},
        {"grey_min_is_white", {Step({"convert", "@/grey.pgm", "-define", "tiff:photometric=min-is-white", "@/out.tif"})}, 0},
        {"grey_alpha", {Step({"convert", "@/grey.pgm", "-alpha", "set", "-channel", "A", "-fx", "i/w", "+channel", "-define", "tiff:alpha=unassociated", "@/out.tif"})}, 1},
        {"grey_jpeg", {Step({"ppm2tiff", "@/grey.pgm", "@/a.tif"}), Step({"tiffcp", "-c", "jpeg", "@/a.tif", "@/out.tif"})}, 2},
        // Bilevel and fax.
        {"bilevel_none", {Step({"ppm2tiff", "@/bilevel.pbm", "@/out.tif"})}, 0},
        {"bilevel_min_is_white_packbits", {Step({"convert", "@/narrow.pbm", "-compress", "rle", "@/out.tif"})}, 0},
        {"bilevel_tiles", {Step({"ppm2tiff", "@/narrow.pbm", "@/a.tif"}), Step({"tiffcp", "-t", "-w", "48", "-l", "16", "-c", "lzw", "@/a.tif", "@/out.tif"})}, 0},
        {"fax_g3_1d", {Step({"ppm2tiff", "@/bilevel.pbm", "@/a.tif"}), Step({"tiffcp", "-c", "g3", "@/a.tif", "@/out.tif"})}, 0},
        {"fax_g3_2d", {Step({"ppm2tiff", "@/bilevel.pbm", "@/a.tif"}), Step({"tiffcp", "-c", "g3:2d", "@/a.tif", "@/out.tif"})}, 0},
        {"fax_g3_2d_fill", {Step({"ppm2tiff", "@/bilevel.pbm", "@/a.tif"}), Step({"tiffcp", "-c", "g3:2d:fill", "-r", "7", "@/a.tif", "@/out.tif"})}, 0},
        {"fax_g3_lsb_first", {Step({"ppm2tiff", "@/bilevel.pbm", "@/a.tif"}), Step({"tiffcp", "-c", "g3:2d", "-f", "lsb2msb", "@/a.tif", "@/out.tif"})}, 0},
        {"fax_g4", {Step({"ppm2tiff", "@/bilevel.pbm", "@/a.tif"}), Step({"tiffcp", "-c", "g4", "@/a.tif", "@/out.tif"})}, 0},
        {"fax_g4_narrow_lsb_first", {Step({"ppm2tiff", "@/narrow.pbm", "@/a.tif"}), Step({"tiffcp", "-c", "g4", "-f", "lsb2msb", "@/a.tif", "@/out.tif"})}, 0},
        {"fax_g4_imagemagick", {Step({"convert", "@/narrow.pbm", "-compress", "group4", "@/out.tif"})}, 0},
        {"fax_modified_huffman", {Step({"PIL", "-c", "import sys; from PIL import Image; Image.open(sys.argv[1]).convert('1').save(sys.argv[2], compression='tiff_ccitt')", "@/bilevel.pbm", "@/out.tif"})}, 0},
        {"fax_g3_pil", {Step({"PIL", "-c", "import sys; from PIL import Image; Image.open(sys.argv[1]).convert('1').save(sys.argv[2], compression='group3')", "@/narrow.pbm", "@/out.tif"})}, 0},
        {"pil_rgb_lzw", {Step({"PIL", "-c", "import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[2], compression='tiff_lzw')", "@/src.ppm", "@/out.tif"})}, 0},
        {"pil_rgba_deflate", {Step({"PIL", "-c", "import sys; from PIL import Image; im=Image.open(sys.argv[1]).convert('RGBA'); im.putalpha(Image.linear_gradient('L').resize(im.size)); im.save(sys.argv[2], compression='tiff_adobe_deflate')", "@/src.ppm", "@/out.tif"})}, 1},
    };
    return cases;
}

class TIFFToolTest : public ::testing::TestWithParam<ToolCase>
{
};

} // namespace

TEST_P(TIFFToolTest, MatchesImageMagicksDecodingOfTheSameFile)
{
    const ToolCase &c = GetParam();
    // ImageMagick reads every file back.
    QStringList tools = {QStringLiteral("convert")};
    for (const QStringList &step : c.steps)
        tools << step.first();
    REQUIRE_TOOLS(tools);
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QImage source = MakeTestPicture(67, 45, 3);
    ASSERT_TRUE(source.save(folder.Path(QStringLiteral("src.ppm")), "PPM"));
    ASSERT_TRUE(source.convertToFormat(QImage::Format_Grayscale8).save(folder.Path(QStringLiteral("grey.pgm")), "PGM"));
    const QImage wide = MakeTestPicture(68, 45, 4);
    ASSERT_TRUE(wide.save(folder.Path(QStringLiteral("src68.ppm")), "PPM"));
    ASSERT_TRUE(wide.convertToFormat(QImage::Format_Grayscale8).save(folder.Path(QStringLiteral("grey68.pgm")), "PGM"));
    QByteArray raw;
    for (int y = 0; y < source.height(); ++y)
        raw.append(reinterpret_cast<const char *>(source.constScanLine(y)), 67 * 3);
    folder.Write(QStringLiteral("src.rgb"), raw);
    ASSERT_TRUE(TestBilevelPicture(2600, 40, 5).save(folder.Path(QStringLiteral("bilevel.pbm")), "PBM"));
    ASSERT_TRUE(TestBilevelPicture(203, 61, 9).save(folder.Path(QStringLiteral("narrow.pbm")), "PBM"));

    for (QStringList step : c.steps) {
        QString program = step.takeFirst();
        if (program == QLatin1String("PIL"))
            program = PillowPython();
        step.replaceInStrings(QStringLiteral("@"), folder.Root());
        ASSERT_TRUE(RunTool(program, step));
    }
    const QString path = folder.Path(QStringLiteral("out.tif"));
    const QImage expected = OracleRGB(path);
    ASSERT_FALSE(expected.isNull());
    // What the program shows: through the registry and picture loading.
    const QImage shown = LoadPictureFile(path, JPEGReadScale::Whole).convertToFormat(QImage::Format_RGB888);
    EXPECT_LE(MaxDifference(shown, expected), c.tolerance + (DecodeFile(path).hasAlphaChannel() ? 1 : 0)) << c.name;
    EXPECT_LE(MaxDifference(OntoBlack(DecodeFile(path)), expected), c.tolerance) << c.name;
}

TEST(TTIFFGraphic, FaxFilesAndTheCommandLineGoThroughTheSameDecoder)
{
    REQUIRE_TOOLS("ppm2tiff", "tiffcp", "convert");
    const TFileFormatRegistration formats;
    TestFolder folder;
    ASSERT_TRUE(TestBilevelPicture(1728, 30, 2).save(folder.Path(QStringLiteral("page.pbm")), "PBM"));
    ASSERT_TRUE(RunTool(QStringLiteral("ppm2tiff"), {folder.Path(QStringLiteral("page.pbm")), folder.Path(QStringLiteral("a.tif"))}));
    ASSERT_TRUE(RunTool(QStringLiteral("tiffcp"), {QStringLiteral("-c"), QStringLiteral("g3:2d"), folder.Path(QStringLiteral("a.tif")),
                                                   folder.Path(QStringLiteral("page.FAX"))}));
    const QImage expected = OracleRGB(folder.Path(QStringLiteral("page.FAX")));
    const QImage shown = LoadPictureFile(folder.Path(QStringLiteral("page.FAX")), JPEGReadScale::Eighth);
    EXPECT_EQ(MaxDifference(shown.convertToFormat(QImage::Format_RGB888), expected), 0);

    const QString cli = BuiltProgram(QStringLiteral("vistrano-cli"));
    if (!QFile::exists(cli))
        return;
    EXPECT_EQ(RunProgram(cli, {QStringLiteral("decode"), folder.Path(QStringLiteral("page.FAX")), folder.Path(QStringLiteral("page.ppm"))}), 0);
    QImage decoded(folder.Path(QStringLiteral("page.ppm")), "PPM");
    EXPECT_EQ(MaxDifference(decoded.convertToFormat(QImage::Format_RGB888), expected), 0);
    QByteArray bytes = ReadFileBytes(folder.Path(QStringLiteral("page.FAX")));
    folder.Write(QStringLiteral("cut.tif"), bytes.left(bytes.size() / 2));
    QByteArray err;
    EXPECT_EQ(RunProgram(cli, {QStringLiteral("decode"), folder.Path(QStringLiteral("cut.tif")), folder.Path(QStringLiteral("cut.ppm"))}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Stream read error")) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tools, TIFFToolTest, ::testing::ValuesIn(ToolCases()),
                         [](const auto &info) { return std::string(info.param.name); });

namespace {

QImage DecodeBytes(const QByteArray &bytes)
{
    TTIFFGraphic graphic;
    graphic.LoadFromBytes(bytes);
    return graphic.Bitmap();
}

QString DecodeError(const QByteArray &bytes)
{
    try {
        DecodeBytes(bytes);
    } catch (const VistranoError &error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

const QString kFormatMessage = QStringLiteral("Cannot load image. Invalid or unexpected TIFF image format.");
const QString kColorMessage = QStringLiteral("Invalid color format in TIFF file.");
const QString kReadMessage = QStringLiteral("Stream read error");

QByteArray Grey4x3()
{
    return QByteArray::fromHex("000102031011121320212223");
}

} // namespace

TEST(TTIFFGraphic, ReadsAHandMadeFileInBothByteOrders)
{
    for (bool bigEndian : {false, true}) {
        TIFFBuilder builder(bigEndian);
        builder.Long(256, {4}).Long(257, {3}).Short(258, {8}).Short(259, {1}).Short(262, {1}).Chunks({Grey4x3()});
        const QImage image = DecodeBytes(builder.Build());
        ASSERT_EQ(image.size(), QSize(4, 3));
        EXPECT_EQ(image.format(), QImage::Format_Grayscale8);
        EXPECT_EQ(image.pixelColor(3, 2).red(), 0x23);
        EXPECT_EQ(image.pixelColor(1, 1).red(), 0x11);
    }
}

TEST(TTIFFGraphic, StripsThatEndEarlyLeaveTheirRowsZeroButAFileThatEndsEarlyFails)
{
    // Uncompressed: the strip holds 1.5 rows of 3.
    TIFFBuilder none = TIFFBuilder::Picture(4, 3, 8, 1, 1, 1, QByteArray::fromHex("0A0B0C0D0E0F"));
    QImage image = DecodeBytes(none.Build());
    EXPECT_EQ(image.pixelColor(3, 0).red(), 0x0D);
    EXPECT_EQ(image.pixelColor(1, 1).red(), 0x0F);
    EXPECT_EQ(image.pixelColor(2, 1).red(), 0);
    EXPECT_EQ(image.pixelColor(0, 2).red(), 0);

    // PackBits: a run of 4 and then nothing.
    image = DecodeBytes(TIFFBuilder::Picture(4, 3, 8, 1, 1, 32773, QByteArray::fromHex("FD77")).Build());
    EXPECT_EQ(image.pixelColor(3, 0).red(), 0x77);
    EXPECT_EQ(image.pixelColor(0, 1).red(), 0);

    // Two strips, the second missing (offset and count 0).
    TIFFBuilder twoStrips = TIFFBuilder::Picture(4, 2, 8, 1, 1, 1, {});
    twoStrips.Long(278, {1}).Chunks({QByteArray::fromHex("01020304")}).Long(273, {8, 0}).Long(279, {4, 0});
    image = DecodeBytes(twoStrips.Build());
    EXPECT_EQ(image.pixelColor(3, 0).red(), 4);
    EXPECT_EQ(image.pixelColor(3, 1).red(), 0);

    // The file is cut inside the strip data: a read error, not a short strip.
    QByteArray whole = TIFFBuilder::Picture(4, 3, 8, 1, 1, 1, Grey4x3()).Build();
    // The directory comes after the data; point the strip beyond the end.
    TIFFBuilder beyond = TIFFBuilder::Picture(4, 3, 8, 1, 1, 1, Grey4x3());
    beyond.Long(273, {uint32_t(whole.size() - 4)});
    EXPECT_EQ(DecodeError(beyond.Build()), kReadMessage);
    EXPECT_EQ(DecodeError(whole.left(whole.size() - 20)), kReadMessage);
}

TEST(TTIFFGraphic, RefusesHostileAndUnsupportedFieldsWithTheFamilysMessages)
{
    EXPECT_EQ(DecodeError("not a tiff at all"), kFormatMessage);
    EXPECT_EQ(DecodeError(QByteArray::fromHex("49492B0008000000")), kFormatMessage) << "BigTIFF";
    EXPECT_EQ(DecodeError(QByteArray::fromHex("49492A00FFFFFF00")), kReadMessage) << "directory beyond the end";
    EXPECT_EQ(DecodeError(QByteArray::fromHex("49492A0008000000FFFF")), kFormatMessage) << "65535 entries";

    auto with = [](std::function<void(TIFFBuilder &)> change) {
        TIFFBuilder builder = TIFFBuilder::Picture(4, 3, 8, 1, 1, 1, Grey4x3());
        change(builder);
        return DecodeError(builder.Build());
    };
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Long(256, {0}); }), kFormatMessage);
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Remove(257); }), kFormatMessage);
    EXPECT_TRUE(with([](TIFFBuilder &b) { b.Long(256, {70000}); }).contains(QStringLiteral("70000")))
        << "the picture limit names the size";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(259, {6}); }), kFormatMessage) << "old-style JPEG";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(259, {34712}); }), kFormatMessage);
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(258, {3}); }), kColorMessage);
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(262, {8}); }), kColorMessage) << "CIELab";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(262, {2}); }), kColorMessage) << "RGB with one sample";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(262, {3}); }), kColorMessage) << "palette without a colour map";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(262, {6}); }), kColorMessage) << "YCbCr without JPEG";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(339, {3}); }), kColorMessage) << "floating point samples";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(317, {3}); }), kColorMessage) << "floating point predictor";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Short(259, {4}).Short(258, {8}); }), kColorMessage) << "8-bit fax";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Long(278, {1}); }), kFormatMessage) << "3 strips, 1 offset";
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Long(273, {8, 8}).Long(279, {12, 100000}).Long(278, {2}); }), kReadMessage);
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Long(273, {0xFFFFFFF0u}); }), kReadMessage);
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Long(279, {0xFFFFFFFFu}); }), kReadMessage);
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Long(322, {60000}).Long(323, {60000}).Long(324, {8}); }), kFormatMessage)
        << "a tile far larger than the picture";
    // Byte counts may be left out only by uncompressed files.
    EXPECT_NO_THROW(DecodeBytes(TIFFBuilder::Picture(4, 3, 8, 1, 1, 1, Grey4x3()).Remove(279).Build()));
    EXPECT_EQ(with([](TIFFBuilder &b) { b.Remove(279).Short(259, {5}); }), kFormatMessage);
    // A colour map field whose values lie beyond the file.
    TIFFBuilder palette = TIFFBuilder::Picture(4, 3, 8, 1, 3, 1, Grey4x3());
    QByteArray bytes = palette.Short(320, std::vector<uint32_t>(768, 0x8080)).Build();
    EXPECT_EQ(DecodeError(bytes.left(bytes.size() - 800) + bytes.right(200)), kReadMessage);
}

TEST(TTIFFGraphic, DecodesThunderScanData)
{
    // Row 0: raw 5; three 2-bit deltas +1, skip, -1 (6, 5); two 3-bit deltas
    // +3, -3 (8, 5); a run of 3 (5, 5, 5). Row 1 starts again from 0: delta
    // +1 twice and -1 (1, 2, 1); raw 15 ...
    const QByteArray data = QByteArray::fromHex("C5" "5B" "9D" "03" "57" "CF" "05");
    const QImage image = DecodeBytes(TIFFBuilder::Picture(8, 2, 4, 1, 1, 32809, data).Build());
    ASSERT_EQ(image.format(), QImage::Format_Grayscale8);
    const int row0[8] = {5, 6, 5, 8, 5, 5, 5, 5};
    const int row1[8] = {1, 2, 1, 15, 15, 15, 15, 15};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(image.pixelColor(x, 0).red(), row0[x] * 17) << x;
        EXPECT_EQ(image.pixelColor(x, 1).red(), row1[x] * 17) << x;
    }
}

TEST(TTIFFGraphic, TurnsThePictureAsItsOrientationSays)
{
    // 4 x 3 grey with orientation 6 (row 0 on the right): 3 x 4, the first
    // stored row becomes the right-hand column from the top.
    TIFFBuilder builder = TIFFBuilder::Picture(4, 3, 8, 1, 1, 1, Grey4x3());
    QImage image = DecodeBytes(builder.Short(274, {6}).Build());
    ASSERT_EQ(image.size(), QSize(3, 4));
    EXPECT_EQ(image.pixelColor(2, 0).red(), 0x00);
    EXPECT_EQ(image.pixelColor(2, 3).red(), 0x03);
    EXPECT_EQ(image.pixelColor(0, 0).red(), 0x20);
    image = DecodeBytes(builder.Short(274, {3}).Build());
    ASSERT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixelColor(0, 0).red(), 0x23);
    image = DecodeBytes(builder.Short(274, {5}).Build());
    ASSERT_EQ(image.size(), QSize(3, 4));
    EXPECT_EQ(image.pixelColor(0, 3).red(), 0x03);
    EXPECT_EQ(image.pixelColor(2, 0).red(), 0x20);
    image = DecodeBytes(builder.Short(274, {7}).Build());
    ASSERT_EQ(image.size(), QSize(3, 4));
    EXPECT_EQ(image.pixelColor(2, 3).red(), 0x00);
    EXPECT_EQ(image.pixelColor(0, 0).red(), 0x23);
    image = DecodeBytes(builder.Short(274, {8}).Build());
    ASSERT_EQ(image.size(), QSize(3, 4));
    EXPECT_EQ(image.pixelColor(0, 3).red(), 0x00);
    EXPECT_EQ(image.pixelColor(2, 0).red(), 0x23);
    EXPECT_EQ(image.pixelColor(1, 2).red(), 0x11);
    // A turned colour picture: a 2 x 1 RGB row (red, blue) becomes a column.
    TIFFBuilder colour = TIFFBuilder::Picture(2, 1, 8, 3, 2, 1, QByteArray::fromHex("FF00000000FF"));
    image = DecodeBytes(colour.Short(274, {6}).Build());
    ASSERT_EQ(image.size(), QSize(1, 2));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(0, 1), QColor(0, 0, 255));
}

TEST(TTIFFGraphic, AlphaIsDeliveredForCompositionOntoBlack)
{
    // RGBA, one pixel each: unassociated (2) and associated (1) alpha.
    const QByteArray pixel = QByteArray::fromHex("C8643280");
    TIFFBuilder unassociated = TIFFBuilder::Picture(1, 1, 8, 4, 2, 1, pixel);
    QImage image = DecodeBytes(unassociated.Short(338, {2}).Build());
    EXPECT_EQ(image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(image.pixel(0, 0), qRgba(0xC8, 0x64, 0x32, 0x80));
    TIFFBuilder associated = TIFFBuilder::Picture(1, 1, 8, 4, 2, 1, QByteArray::fromHex("60301080"));
    image = DecodeBytes(associated.Short(338, {1}).Build());
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(OntoBlack(image).pixelColor(0, 0), QColor(0x60, 0x30, 0x10));
    // Unspecified extra samples are ignored.
    image = DecodeBytes(TIFFBuilder::Picture(1, 1, 8, 4, 2, 1, pixel).Short(338, {0}).Build());
    EXPECT_FALSE(image.hasAlphaChannel());
}

TEST(TTIFFGraphic, ALargePictureWithLittleDataIsRefusedBeforeItIsMade)
{
    // What the fuzzer found slow: a small file declaring a picture near the
    // size limit, with one LZW strip holding a few pixels. Six bytes of LZW
    // cannot fill it, so the file has ended early: it is refused at once,
    // before half a gigabyte is taken for the picture.
    const QByteArray strip = QByteArray::fromHex("803FD0040808"); // 9-bit codes: clear, 255, 128, 64, end
    TIFFBuilder builder = TIFFBuilder::Picture(16000, 12000, 8, 3, 2, 5, strip);
    EXPECT_EQ(DecodeError(builder.Short(274, {8}).Build()), QStringLiteral("Stream read error"));
    // A strip that could hold its rows is decoded as far as it goes.
    const QImage image = DecodeBytes(TIFFBuilder::Picture(2, 1, 8, 3, 2, 5, strip).Build());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 128, 64));
    EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 0, 0));
}

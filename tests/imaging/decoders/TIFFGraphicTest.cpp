#include "imaging/decoders/TIFFGraphic.h"

#include "TIFFOracle.h"
#include "common/VistranoError.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

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
    std::vector<QStringList> steps; // program and arguments; "@" is the folder
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

const QString kPython = QStringLiteral("/usr/bin/python3");

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
        // ImageMagick: 16 bits, CMYK, alpha, palettes, grey depths.
        {"rgb16_lzw_predictor", {Step({"convert", "@/src.ppm", "-depth", "16", "-compress", "lzw", "-define", "tiff:predictor=2", "@/out.tif"})}, 1},
        {"rgb16_big_endian", {Step({"convert", "@/src.ppm", "-depth", "16", "-endian", "MSB", "@/out.tif"})}, 1},
        {"cmyk", {Step({"convert", "@/src.ppm", "-colorspace", "cmyk", "-compress", "lzw", "@/out.tif"})}, 1},
        {"cmyk16", {Step({"convert", "@/src.ppm", "-colorspace", "cmyk", "-depth", "16", "@/out.tif"})}, 1},
        {"rgba_unassociated", {Step({"convert", "@/src.ppm", "-alpha", "set", "-channel", "A", "-fx", "(i+j)/(w+h)", "+channel", "-define", "tiff:alpha=unassociated", "@/out.tif"})}, 1},
        {"rgba_associated", {Step({"convert", "@/src.ppm", "-alpha", "set", "-channel", "A", "-fx", "(i+j)/(w+h)", "+channel", "-define", "tiff:alpha=associated", "-compress", "zip", "@/out.tif"})}, 2},
        {"palette_8", {Step({"convert", "@/src.ppm", "-colors", "200", "-type", "palette", "@/out.tif"})}, 0},
        {"palette_4", {Step({"convert", "@/src.ppm", "-colors", "16", "-type", "palette", "-compress", "lzw", "@/out.tif"})}, 0},
        {"palette_2", {Step({"convert", "@/src.ppm", "-colors", "4", "-type", "palette", "@/out.tif"})}, 0},
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
        {"fax_modified_huffman", {Step({"/usr/bin/python3", "-c", "import sys; from PIL import Image; Image.open(sys.argv[1]).convert('1').save(sys.argv[2], compression='tiff_ccitt')", "@/bilevel.pbm", "@/out.tif"})}, 0},
        {"fax_g3_pil", {Step({"/usr/bin/python3", "-c", "import sys; from PIL import Image; Image.open(sys.argv[1]).convert('1').save(sys.argv[2], compression='group3')", "@/narrow.pbm", "@/out.tif"})}, 0},
        {"pil_rgb_lzw", {Step({"/usr/bin/python3", "-c", "import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[2], compression='tiff_lzw')", "@/src.ppm", "@/out.tif"})}, 0},
        {"pil_rgba_deflate", {Step({"/usr/bin/python3", "-c", "import sys; from PIL import Image; im=Image.open(sys.argv[1]).convert('RGBA'); im.putalpha(Image.linear_gradient('L').resize(im.size)); im.save(sys.argv[2], compression='tiff_adobe_deflate')", "@/src.ppm", "@/out.tif"})}, 1},
    };
    return cases;
}

class TIFFToolTest : public ::testing::TestWithParam<ToolCase>
{
};

} // namespace

TEST_P(TIFFToolTest, MatchesImageMagicksDecodingOfTheSameFile)
{
    for (const char *tool : {"tiffcp", "convert", "ppm2tiff"})
        if (!ToolAvailable(QString::fromUtf8(tool)))
            GTEST_SKIP() << tool << " is not installed";
    const ToolCase &c = GetParam();
    TestFolder folder;
    const QImage source = TestPicture(67, 45, 3);
    ASSERT_TRUE(source.save(folder.Path(QStringLiteral("src.ppm")), "PPM"));
    ASSERT_TRUE(source.convertToFormat(QImage::Format_Grayscale8).save(folder.Path(QStringLiteral("grey.pgm")), "PGM"));
    QByteArray raw;
    for (int y = 0; y < source.height(); ++y)
        raw.append(reinterpret_cast<const char *>(source.constScanLine(y)), 67 * 3);
    folder.Write(QStringLiteral("src.rgb"), raw);
    ASSERT_TRUE(TestBilevelPicture(2600, 40, 5).save(folder.Path(QStringLiteral("bilevel.pbm")), "PBM"));
    ASSERT_TRUE(TestBilevelPicture(203, 61, 9).save(folder.Path(QStringLiteral("narrow.pbm")), "PBM"));

    for (QStringList step : c.steps) {
        const QString program = step.takeFirst();
        step.replaceInStrings(QStringLiteral("@"), folder.Root());
        ASSERT_TRUE(RunTool(program, step));
    }
    const QString path = folder.Path(QStringLiteral("out.tif"));
    const QImage expected = OracleRGB(path);
    ASSERT_FALSE(expected.isNull());
    const QImage ours = AsRGB(DecodeFile(path));
    EXPECT_LE(MaxDifference(ours, expected), c.tolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Tools, TIFFToolTest, ::testing::ValuesIn(ToolCases()),
                         [](const auto &info) { return std::string(info.param.name); });

#include "tests/cli/CliTestFiles.h"

#include <gtest/gtest.h>

TEST(FormatsCommand, ListsEveryRegisteredExtensionInOrder)
{
    const CliRun run = RunCli({QStringLiteral("formats")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 44);
    EXPECT_EQ(lines[0], QStringLiteral("bmp\tWindows bitmaps\tTBitmap"));
    EXPECT_EQ(lines[3], QStringLiteral("emf\tWindows enhanced meta files\tTMetafile"));
    EXPECT_EQ(lines[4], QStringLiteral("jfif\tJFIF images\tTJPEGImage"));
    EXPECT_EQ(lines[9], QStringLiteral("dib\tDevice independant Windows bitmaps\tTBitmap"));
    EXPECT_EQ(lines[11], QStringLiteral("vst\tTruevision images\tTTargaGraphic"));
    EXPECT_EQ(lines[18], QStringLiteral("eps\tEncapsulated Postscript images\tTEPSGraphic"));
    EXPECT_EQ(lines[27], QStringLiteral("bw\tSGI black/white images\tTSGIGraphic"));
    EXPECT_EQ(lines[39], QStringLiteral("png\tPortable network graphic images\tTPNGGraphic"));
    EXPECT_EQ(lines[40], QStringLiteral("heic\tHEIC images\tTHEIFGraphic"));
    EXPECT_EQ(lines[41], QStringLiteral("heif\tHEIF images\tTHEIFGraphic"));
    EXPECT_EQ(lines[42], QStringLiteral("avif\tAV1 images\tTAVIFGraphic"));
    EXPECT_EQ(lines[43], QStringLiteral("webp\tWebP images\tTWebPGraphic"));
    EXPECT_EQ(RunCli({QStringLiteral("formats"), QStringLiteral("extra")}).status, 2);
}

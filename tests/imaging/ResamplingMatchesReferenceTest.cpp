// The fast resampler against the plain transcription, byte for byte, on
// random pictures of many sizes, every filter, several radii, every
// instruction path this processor has and one or several threads.

#include "imaging/ResamplingOptions.h"
#include "imaging/StreamedResampling.h"
#include "tests/imaging/ResamplingReference.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <QString>


namespace {

// The first differing byte, as a message; empty when the pictures agree.
QString Difference(const QImage &expected, const QImage &actual)
{
    if (expected.size() != actual.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    if (actual.format() != QImage::Format_BGR888)
        return QStringLiteral("format %1").arg(int(actual.format()));
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width() * 3; ++x)
            if (expected.constScanLine(y)[x] != actual.constScanLine(y)[x])
                return QStringLiteral("byte %1 of row %2: %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.constScanLine(y)[x])
                    .arg(expected.constScanLine(y)[x]);
    return {};
}

struct SizeCase
{
    int sourceWidth, sourceHeight, targetWidth, targetHeight;
};

const SizeCase kSizes[] = {
    {1, 1, 1, 1},    {1, 1, 5, 3},     {3, 2, 1, 1},     {1, 9, 4, 5},    {9, 1, 4, 3},     {2, 2, 2, 2},
    {2, 2, 7, 7},    {2, 1, 1, 1},     {13, 7, 5, 11},   {23, 17, 23, 17}, {64, 48, 17, 13}, {9, 6, 40, 31},
    {30, 20, 1, 1},  {30, 20, 1, 9},   {30, 20, 9, 1},   {10, 10, 3, 3},  {45, 33, 44, 34}, {121, 37, 29, 83},
    {300, 7, 37, 2}, {5, 200, 3, 61}, {17, 19, 100, 3}, {77, 50, 76, 49},
};

// A negative radius still takes the positions from Floor(Center - w) to
// Ceil(Center + w), which can hold one or two.
const float kRadii[] = {0.0f, 0.3f, 0.75f, 1.3f, 2.5f, 5.0f, -0.4f};

// The picture fed to the streamed resampler `rowsAtOnce` rows at a time.
QImage Streamed(const QImage &source, const SizeCase &size, ResamplingFilter filter, float radius, PixelPath path,
                int rowsAtOnce)
{
    TStreamedResampler resampler(source.size(), QSize(size.targetWidth, size.targetHeight), filter, radius, path);
    for (int y = 0; y < source.height(); y += rowsAtOnce) {
        EXPECT_TRUE(resampler.Result().isNull());
        resampler.AddRows(source.constScanLine(y), source.bytesPerLine(), rowsAtOnce);
    }
    return resampler.Result();
}

// StretchBitmap on every path and thread count, and the streamed resampler
// on every path and strip height, give the transcription's bytes.
TEST(StretchBitmap, MatchesThePlainTranscriptionOnEveryPathAndThreadCountAndStreamed)
{
    std::vector<ResamplingOptions> variants;
    for (PixelPath path : {PixelPath::Scalar, PixelPath::SSSE3, PixelPath::AVX2})
        if (PixelPathAvailable(path))
            for (int threads : {1, 3})
                variants.push_back({threads, path});
    uint32_t seed = 1;
    for (const SizeCase &size : kSizes) {
        for (int f = 0; f <= int(ResamplingFilter::Mitchell); ++f) {
            const ResamplingFilter filter = ResamplingFilter(f);
            for (float radius : kRadii) {
                const QImage source =
                    RandomPicture(size.sourceWidth, size.sourceHeight, seed, seed % 3 == 0);
                const QImage expected =
                    ReferenceStretch(source, size.targetWidth, size.targetHeight, filter, radius);
                ++seed;
                for (const ResamplingOptions &options : variants) {
                    QImage actual = source;
                    StretchBitmapWith(size.targetWidth, size.targetHeight, filter, radius, actual, options);
                    const QString difference = Difference(expected, actual);
                    ASSERT_TRUE(difference.isEmpty())
                        << size.sourceWidth << "x" << size.sourceHeight << " -> " << size.targetWidth << "x"
                        << size.targetHeight << " filter " << f << " radius " << radius << " path "
                        << int(options.path) << " threads " << options.threads << ": "
                        << difference.toStdString();
                    for (int rowsAtOnce : {1, 5, size.sourceHeight}) {
                        const QString streamed = Difference(
                            expected, Streamed(source, size, filter, radius, options.path, rowsAtOnce));
                        ASSERT_TRUE(streamed.isEmpty())
                            << size.sourceWidth << "x" << size.sourceHeight << " -> " << size.targetWidth << "x"
                            << size.targetHeight << " filter " << f << " radius " << radius << " path "
                            << int(options.path) << " streamed " << rowsAtOnce << " rows at once: "
                            << streamed.toStdString();
                    }
                }
            }
        }
    }
}

TEST(StretchBitmap, MatchesTheTranscriptionOnAPhotoSizedShrink)
{
    const QImage source = RandomPicture(640, 480, 99, false);
    for (ResamplingFilter filter : {ResamplingFilter::Lanczos3, ResamplingFilter::Box, ResamplingFilter::Mitchell}) {
        const QImage expected = ReferenceStretch(source, 200, 150, filter, 0.0f);
        QImage actual = source;
        StretchBitmap(200, 150, filter, 0.0f, actual);
        EXPECT_EQ(Difference(expected, actual).toStdString(), "") << int(filter);
    }
}

} // namespace

// Cases of the resampler that can be checked by hand: kernel values, the
// contributor lists they give, and the pixels those make.

#include "common/VistranoError.h"
#include "imaging/Contributors.h"
#include "imaging/ResamplingFilters.h"
#include "imaging/ResamplingOptions.h"
#include "tests/imaging/ResamplingReference.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A one-row grey picture: each value goes to blue, green and red.
QImage GreyRow(const std::vector<int> &values)
{
    QImage picture(int(values.size()), 1, QImage::Format_BGR888);
    for (size_t x = 0; x < values.size(); ++x)
        std::fill_n(picture.scanLine(0) + x * 3, 3, uint8_t(values[x]));
    return picture;
}

std::vector<int> GreyValues(const QImage &picture, int row = 0)
{
    std::vector<int> values;
    for (int x = 0; x < picture.width(); ++x) {
        const uint8_t *pixel = picture.constScanLine(row) + x * 3;
        EXPECT_TRUE(pixel[0] == pixel[1] && pixel[1] == pixel[2]);
        values.push_back(pixel[0]);
    }
    return values;
}

QImage Stretched(QImage picture, int width, int height, ResamplingFilter filter, float radius)
{
    StretchBitmap(width, height, filter, radius, picture);
    return picture;
}

} // namespace

TEST(ResamplingFilters, KernelValuesAndDefaultRadii)
{
    using F = ResamplingFilter;
    EXPECT_EQ(FilterKernel(F::Box, 0.5f), 1.0f); // half-open
    EXPECT_EQ(FilterKernel(F::Box, -0.5f), 0.0f);
    EXPECT_EQ(FilterKernel(F::Box, -0.49f), 1.0f);
    EXPECT_EQ(FilterKernel(F::Triangle, 0.25f), 0.75f);
    EXPECT_EQ(FilterKernel(F::Triangle, -1.0f), 0.0f);
    EXPECT_EQ(FilterKernel(F::Hermite, 0.5f), 0.5f);
    EXPECT_EQ(FilterKernel(F::Bell, 0.0f), 0.75f);
    EXPECT_EQ(FilterKernel(F::Bell, 1.0f), 0.125f);
    EXPECT_EQ(FilterKernel(F::Spline, 0.0f), 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(FilterKernel(F::Spline, 1.0f), 1.0f / 6.0f);
    EXPECT_EQ(FilterKernel(F::Lanczos3, 0.0f), 1.0f);
    EXPECT_NEAR(FilterKernel(F::Lanczos3, 1.5f), -4.0f / (3.0f * float(M_PI * M_PI)), 1e-6f);
    EXPECT_NEAR(FilterKernel(F::Lanczos3, 2.0f), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(FilterKernel(F::Mitchell, 0.0f), 16.0f / 18.0f);
    EXPECT_NEAR(FilterKernel(F::Mitchell, 1.0f), 1.0f / 18.0f, 1e-6f);
    EXPECT_LT(FilterKernel(F::Mitchell, 1.5f), 0.0f);
    const float radii[] = {0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
    for (int f = 0; f < 7; ++f) {
        EXPECT_EQ(DefaultFilterRadius(F(f)), radii[f]);
        for (float x : {-3.0f, -2.0f, 2.0f, 2.5f, 3.0f, 7.0f}) {
            if (std::fabs(x) >= radii[f]) {
                EXPECT_EQ(FilterKernel(F(f), x), 0.0f) << f << " at " << x;
            }
        }
        // Symmetric, and the same function the reference transcribes.
        for (float x = 0.0f; x < 3.2f; x += 0.0371f) {
            if (f != 0) {
                EXPECT_EQ(FilterKernel(F(f), x), FilterKernel(F(f), -x)) << f << " at " << x;
            }
            EXPECT_EQ(FilterKernel(F(f), x), ReferenceKernel(F(f), x)) << f << " at " << x;
        }
    }
}

TEST(Contributors, SameSizeWithBoxOrLanczos3IsOneWeightOf256)
{
    for (ResamplingFilter filter : {ResamplingFilter::Box, ResamplingFilter::Lanczos3}) {
        const ContributorList list = BuildContributors(37, 37, filter, DefaultFilterRadius(filter));
        for (int i = 0; i < 37; ++i) {
            ASSERT_EQ(list[i].size(), 1u) << int(filter) << " entry " << i;
            EXPECT_EQ(list[i][0].weight, 256);
            EXPECT_EQ(list[i][0].index, i);
        }
        const QImage picture = RandomPicture(37, 23, 5);
        EXPECT_EQ(Stretched(picture, 37, 23, filter, 0.0f), picture) << int(filter);
    }
}

TEST(Contributors, SameSizeWithBellBlursWith32And192And32)
{
    const ContributorList list = BuildContributors(5, 5, ResamplingFilter::Bell, 1.5f);
    for (int i = 1; i < 4; ++i) {
        ASSERT_EQ(list[i].size(), 3u);
        EXPECT_EQ(list[i][0].weight, 32);
        EXPECT_EQ(list[i][0].index, i - 1);
        EXPECT_EQ(list[i][1].weight, 192);
        EXPECT_EQ(list[i][2].weight, 32);
        EXPECT_EQ(list[i][2].index, i + 1);
    }
    // Mirroring: before the start -1 reflects to 1, past the end 5 to 4.
    EXPECT_EQ(list[0][0].index, 1);
    EXPECT_EQ(list[4][2].index, 4);

    // (32 a + 192 b + 32 c) / 256, truncated; the single row is its own
    // mirror image in the vertical pass, so it keeps its values.
    EXPECT_EQ(GreyValues(Stretched(GreyRow({100, 0, 255, 0, 40}), 5, 1, ResamplingFilter::Bell, 0.0f)),
              (std::vector<int>{75, 44, 191, 36, 35}));
    // Spline and Mitchell blur the same size too.
    for (ResamplingFilter filter : {ResamplingFilter::Spline, ResamplingFilter::Mitchell})
        EXPECT_GT(BuildContributors(5, 5, filter, 0.0f + DefaultFilterRadius(filter))[2].size(), 1u);
}

TEST(Contributors, HalvingFourHundredWithBoxAveragesWithEqualWeights)
{
    const float scale = ResamplingScale(200, 400);
    EXPECT_EQ(scale, 199.0f / 399.0f);
    const float width = 0.5f / scale;
    const ContributorList list = BuildContributors(200, 400, ResamplingFilter::Box, 0.5f);
    std::vector<int> values(400);
    for (int x = 0; x < 400; ++x)
        values[x] = (x * 37 + x * x) % 256;
    const std::vector<int> result =
        GreyValues(Stretched(GreyRow(values), 200, 1, ResamplingFilter::Box, 0.0f));
    for (int i = 0; i < 200; ++i) {
        const float center = float(i) / scale;
        ASSERT_GE(list[i].size(), 2u);
        int sum = 0;
        for (const Contributor &c : list[i]) {
            EXPECT_EQ(c.weight, 128); // Round(199 / 399 x 256)
            EXPECT_LE(std::fabs(center - float(c.index)), width);
            sum += values[c.index];
        }
        EXPECT_EQ(result[i], sum / int(list[i].size())) << i;
    }
}

TEST(Contributors, ALengthOfOneScalesByOneOverTheOtherLength)
{
    EXPECT_EQ(ResamplingScale(1, 30), 1.0f / 30.0f);
    EXPECT_EQ(ResamplingScale(9, 1), 9.0f);
    EXPECT_EQ(ResamplingScale(9, 30), 8.0f / 29.0f);
    EXPECT_EQ(ResamplingScale(1, 1), 1.0f);

    // One pixel from 30 with Box: w = 15, positions -15..14 (f(0.5) = 1,
    // f(-0.5) = 0), each weight Round(256 / 30) = 9; -15..-1 reflect to 15..1.
    std::vector<int> values(30);
    for (int x = 0; x < 30; ++x)
        values[x] = (x * 53) % 256;
    int sum = 0;
    for (int x = 0; x <= 14; ++x)
        sum += values[x] + values[x + 1];
    EXPECT_EQ(GreyValues(Stretched(GreyRow(values), 1, 1, ResamplingFilter::Box, 0.0f)),
              (std::vector<int>{sum * 9 / (9 * 30)}));
    // A column becomes one row the same way.
    QImage column(1, 30, QImage::Format_BGR888);
    for (int y = 0; y < 30; ++y)
        std::fill_n(column.scanLine(y), 3, uint8_t(values[y]));
    EXPECT_EQ(GreyValues(Stretched(column, 1, 1, ResamplingFilter::Box, 0.0f)), (std::vector<int>{sum / 30}));
}

TEST(StretchBitmap, RadiusZeroIsTheDefaultRadius)
{
    const QImage picture = RandomPicture(41, 29, 11);
    EXPECT_EQ(Stretched(picture, 17, 13, ResamplingFilter::Box, 0.0f),
              Stretched(picture, 17, 13, ResamplingFilter::Box, 0.5f));
    EXPECT_EQ(Stretched(picture, 17, 13, ResamplingFilter::Lanczos3, 0.0f),
              Stretched(picture, 17, 13, ResamplingFilter::Lanczos3, 3.0f));
    EXPECT_NE(Stretched(picture, 17, 13, ResamplingFilter::Lanczos3, 0.0f),
              Stretched(picture, 17, 13, ResamplingFilter::Lanczos3, 2.0f));
    // A radius that is no number is taken like 0; one beyond the kernel's
    // own support adds only zero weights, however large.
    EXPECT_EQ(Stretched(picture, 17, 13, ResamplingFilter::Lanczos3, std::nanf("")),
              Stretched(picture, 17, 13, ResamplingFilter::Lanczos3, 0.0f));
    const QImage wide = Stretched(picture, 7, 5, ResamplingFilter::Mitchell, 500.0f);
    EXPECT_EQ(wide, ReferenceStretch(picture, 7, 5, ResamplingFilter::Mitchell, 500.0f));
    EXPECT_EQ(wide, Stretched(picture, 7, 5, ResamplingFilter::Mitchell, std::numeric_limits<float>::infinity()));
    // A radius below 0 runs the positions backwards: here none is left.
    QImage black(7, 5, QImage::Format_BGR888);
    black.fill(Qt::black);
    EXPECT_EQ(Stretched(picture, 7, 5, ResamplingFilter::Mitchell, -std::numeric_limits<float>::infinity()), black);
}

TEST(StretchBitmap, LanczosOvershootIsClampedNotWrapped)
{
    const std::vector<int> values{0, 0, 0, 0, 0, 255, 255, 255, 255, 255};
    const std::vector<int> result =
        GreyValues(Stretched(GreyRow(values), 37, 1, ResamplingFilter::Lanczos3, 0.0f));
    const ContributorList list = BuildContributors(37, 10, ResamplingFilter::Lanczos3, 3.0f);
    int below = 0, above = 0;
    for (int i = 0; i < 37; ++i) {
        int sum = 0, total = 0;
        for (const Contributor &c : list[i]) {
            sum += c.weight * values[c.index];
            total += c.weight;
        }
        const int raw = sum / total;
        below += raw < 0;
        above += raw > 255;
        EXPECT_EQ(result[i], std::clamp(raw, 0, 255)) << i;
    }
    EXPECT_GT(below, 0);
    EXPECT_GT(above, 0);
}

TEST(StretchBitmap, ZeroSizesGiveAFreshBlackTarget)
{
    QImage picture = RandomPicture(5, 4, 3);
    StretchBitmap(0, 7, ResamplingFilter::Box, 0.0f, picture);
    EXPECT_EQ(picture.width(), 0);

    QImage empty;
    StretchBitmap(4, 3, ResamplingFilter::Lanczos3, 0.0f, empty);
    ASSERT_EQ(empty.size(), QSize(4, 3));
    EXPECT_EQ(empty.format(), QImage::Format_BGR888);
    QImage black(4, 3, QImage::Format_BGR888);
    black.fill(Qt::black);
    EXPECT_EQ(empty, black);
}

TEST(StretchBitmap, ConvertsOtherFormatsFirstAndRefusesImpossibleSizes)
{
    const QImage picture = RandomPicture(9, 7, 21);
    QImage other = picture.convertToFormat(QImage::Format_RGB32);
    StretchBitmap(5, 4, ResamplingFilter::Triangle, 0.0f, other);
    EXPECT_EQ(other.format(), QImage::Format_BGR888);
    EXPECT_EQ(other, Stretched(picture, 5, 4, ResamplingFilter::Triangle, 0.0f));

    QImage kept = picture.convertToFormat(QImage::Format_RGB32);
    EXPECT_THROW(StretchBitmap(-1, 4, ResamplingFilter::Box, 0.0f, kept), VistranoError);
    EXPECT_THROW(StretchBitmap(70000, 70000, ResamplingFilter::Box, 0.0f, kept), VistranoError);
    EXPECT_THROW(StretchBitmap(5, 4, ResamplingFilter(9), 0.0f, kept), VistranoError);
    QImage tall(1, 60000, QImage::Format_BGR888);
    EXPECT_THROW(StretchBitmap(60000, 1, ResamplingFilter::Box, 0.0f, tall), VistranoError)
        << "the 60000 x 60000 intermediate is refused";
}

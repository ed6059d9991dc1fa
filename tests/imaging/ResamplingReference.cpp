#include "tests/imaging/ResamplingReference.h"

#include <cmath>
#include <cstdint>
#include <vector>

// Single precision throughout, one operation at a time (this file is
// compiled like the resampler, with no fused multiply-add on x86-64).

namespace {

float Sinc(float x)
{
    if (x == 0.0f)
        return 1.0f;
    float pix = float(3.14159265358979323846 * double(x)); // pi x, rounded to single
    return float(std::sin(double(pix))) / pix;
}

float DefaultRadius(ResamplingFilter filter)
{
    const float radii[] = {0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
    return radii[int(filter)];
}

struct Contributor
{
    int32_t weight;
    int32_t pixel;
};

struct ContributorEntry
{
    int32_t n = 0;
    std::vector<Contributor> p;
};

long overfull = 0;

std::vector<ContributorEntry> Contributors(int targetSize, int sourceSize, float scale, ResamplingFilter filter,
                                           float radius)
{
    std::vector<ContributorEntry> list(targetSize);
    for (int i = 0; i < targetSize; ++i) {
        float center = float(i) / scale;
        float width;
        if (scale < 1.0f)
            width = radius / scale;
        else
            width = radius;
        ContributorEntry &entry = list[i];
        const int reserved = int(std::trunc(width * 2.0f + 1.0f));
        entry.p.reserve(reserved > 0 ? reserved : 0);
        int left = int(std::floor(center - width));
        int right = int(std::ceil(center + width));
        for (int j = left; j <= right; ++j) {
            float weight;
            if (scale < 1.0f) {
                float arg = (center - float(j)) * scale;
                weight = ReferenceKernel(filter, arg) * scale * 256.0f;
            } else {
                float arg = center - float(j);
                weight = ReferenceKernel(filter, arg) * 256.0f;
            }
            int32_t w = int32_t(std::nearbyint(weight));
            if (w == 0)
                continue;
            int n;
            if (j < 0)
                n = -j;
            else if (j >= sourceSize)
                n = sourceSize - j + sourceSize - 1;
            else
                n = j;
            // Still outside after one reflection: the nearest end pixel.
            if (n < 0)
                n = 0;
            if (n >= sourceSize)
                n = sourceSize - 1;
            entry.p.push_back({w, n});
            entry.n = entry.n + 1;
        }
        if (entry.n > reserved)
            ++overfull;
    }
    return list;
}

uint8_t Channel(int32_t sum, int32_t total)
{
    int64_t v;
    if (total != 0)
        v = int64_t(sum) / total;
    else
        v = uint32_t(sum) >> 8;
    if (v < 0)
        return 0;
    if (v > 255)
        return 255;
    return uint8_t(v);
}

// Combines entry from the cache into the 3-byte pixel at out.
void Combine(const ContributorEntry &entry, const std::vector<int32_t> &r, const std::vector<int32_t> &g,
             const std::vector<int32_t> &b, uint8_t *out)
{
    uint32_t sumR = 0, sumG = 0, sumB = 0, total = 0; // 32-bit, wrapping
    for (int j = 0; j < entry.n; ++j) {
        const Contributor &c = entry.p[j];
        sumR += uint32_t(c.weight) * uint32_t(r[c.pixel]);
        sumG += uint32_t(c.weight) * uint32_t(g[c.pixel]);
        sumB += uint32_t(c.weight) * uint32_t(b[c.pixel]);
        total += uint32_t(c.weight);
    }
    out[0] = Channel(int32_t(sumB), int32_t(total));
    out[1] = Channel(int32_t(sumG), int32_t(total));
    out[2] = Channel(int32_t(sumR), int32_t(total));
}

} // namespace

long ReferenceOverfullEntries()
{
    return overfull;
}

float ReferenceKernel(ResamplingFilter filter, float x)
{
    float a = x < 0.0f ? -x : x;
    switch (filter) {
    case ResamplingFilter::Box:
        if (x > -0.5f && x <= 0.5f)
            return 1.0f;
        return 0.0f;
    case ResamplingFilter::Triangle:
        if (a < 1.0f)
            return 1.0f - a;
        return 0.0f;
    case ResamplingFilter::Hermite:
        if (a < 1.0f)
            return (2.0f * a - 3.0f) * (a * a) + 1.0f;
        return 0.0f;
    case ResamplingFilter::Bell:
        if (a < 0.5f)
            return 0.75f - (a * a);
        if (a < 1.5f) {
            a = a - 1.5f;
            return 0.5f * (a * a);
        }
        return 0.0f;
    case ResamplingFilter::Spline:
        if (a < 1.0f) {
            float tt = a * a;
            return (0.5f * (tt * a)) - tt + 2.0f / 3.0f;
        }
        if (a < 2.0f) {
            a = 2.0f - a;
            return (a * a * a) / 6.0f;
        }
        return 0.0f;
    case ResamplingFilter::Lanczos3:
        if (a < 3.0f)
            return Sinc(a) * Sinc(a / 3.0f);
        return 0.0f;
    case ResamplingFilter::Mitchell: {
        float tt = a * a;
        float ttt = tt * a;
        if (a < 1.0f)
            return (7.0f * ttt - 12.0f * tt + 16.0f / 3.0f) / 6.0f;
        if (a < 2.0f)
            return ((-7.0f / 3.0f) * ttt + 12.0f * tt - 20.0f * a + 32.0f / 3.0f) / 6.0f;
        return 0.0f;
    }
    }
    return 0.0f;
}

QImage ReferenceStretch(const QImage &picture, int newWidth, int newHeight, ResamplingFilter filter, float radius)
{
    if (radius == 0.0f)
        radius = DefaultRadius(filter);
    QImage source = picture.convertToFormat(QImage::Format_BGR888);
    QImage target(newWidth, newHeight, QImage::Format_BGR888);
    const int sw = source.width(), sh = source.height();
    if (sw == 0 || sh == 0 || newWidth == 0 || newHeight == 0) {
        target.fill(0);
        return target;
    }
    float xscale, yscale;
    if (sw == 1 || newWidth == 1)
        xscale = float(newWidth) / float(sw);
    else
        xscale = float(newWidth - 1) / float(sw - 1);
    if (sh == 1 || newHeight == 1)
        yscale = float(newHeight) / float(sh);
    else
        yscale = float(newHeight - 1) / float(sh - 1);

    std::vector<ContributorEntry> contrib = Contributors(newWidth, sw, xscale, filter, radius);
    QImage work(newWidth, sh, QImage::Format_BGR888);
    std::vector<int32_t> cacheR(sw), cacheG(sw), cacheB(sw);
    for (int k = 0; k < sh; ++k) {
        const uint8_t *row = source.constScanLine(k);
        for (int x = 0; x < sw; ++x) {
            cacheR[x] = row[x * 3 + 2];
            cacheG[x] = row[x * 3 + 1];
            cacheB[x] = row[x * 3 + 0];
        }
        uint8_t *out = work.scanLine(k);
        for (int i = 0; i < newWidth; ++i)
            Combine(contrib[i], cacheR, cacheG, cacheB, out + i * 3);
    }

    contrib = Contributors(newHeight, sh, yscale, filter, radius);
    cacheR.assign(sh, 0);
    cacheG.assign(sh, 0);
    cacheB.assign(sh, 0);
    for (int k = 0; k < newWidth; ++k) {
        for (int y = 0; y < sh; ++y) {
            const uint8_t *pixel = work.constScanLine(y) + k * 3;
            cacheR[y] = pixel[2];
            cacheG[y] = pixel[1];
            cacheB[y] = pixel[0];
        }
        for (int i = 0; i < newHeight; ++i)
            Combine(contrib[i], cacheR, cacheG, cacheB, target.scanLine(i) + k * 3);
    }
    return target;
}

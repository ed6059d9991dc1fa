#include "imaging/decoders/PNGScanlines.h"

#include <cstdlib>
#include <cstring>

namespace {

template <size_t BPP>
void UnfilterSub(uint8_t *row, size_t n, size_t bpp)
{
    const size_t step = BPP ? BPP : bpp;
    for (size_t i = step; i < n; ++i)
        row[i] = uint8_t(row[i] + row[i - step]);
}

template <size_t BPP>
void UnfilterAverage(uint8_t *row, const uint8_t *prior, size_t n, size_t bpp)
{
    const size_t step = BPP ? BPP : bpp;
    for (size_t i = 0; i < step && i < n; ++i)
        row[i] = uint8_t(row[i] + (prior[i] >> 1));
    for (size_t i = step; i < n; ++i)
        row[i] = uint8_t(row[i] + ((unsigned(row[i - step]) + prior[i]) >> 1));
}

template <size_t BPP>
void UnfilterPaeth(uint8_t *row, const uint8_t *prior, size_t n, size_t bpp)
{
    const size_t step = BPP ? BPP : bpp;
    for (size_t i = 0; i < step && i < n; ++i)
        row[i] = uint8_t(row[i] + prior[i]);
    for (size_t i = step; i < n; ++i) {
        const int a = row[i - step], b = prior[i], c = prior[i - step];
        const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
        const int predictor = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
        row[i] = uint8_t(row[i] + predictor);
    }
}

template <size_t BPP>
void Unfilter(uint8_t filterType, uint8_t *row, const uint8_t *prior, size_t n, size_t bpp)
{
    switch (filterType) {
    case 1:
        UnfilterSub<BPP>(row, n, bpp);
        break;
    case 2:
        for (size_t i = 0; i < n; ++i)
            row[i] = uint8_t(row[i] + prior[i]);
        break;
    case 3:
        UnfilterAverage<BPP>(row, prior, n, bpp);
        break;
    case 4:
        UnfilterPaeth<BPP>(row, prior, n, bpp);
        break;
    default:
        break;
    }
}

inline unsigned Sample16(const uint8_t *p) { return unsigned(p[0]) << 8 | p[1]; }

// round(v * 255 / 65535)
inline uint8_t Reduce16(unsigned v) { return uint8_t((v * 255u + 32767u) / 65535u); }

// Sample i of a row of samples narrower than a byte, most significant first.
inline unsigned SmallSample(const uint8_t *row, size_t i, int depth)
{
    const size_t bit = i * size_t(depth);
    return unsigned(row[bit >> 3] >> (8 - depth - int(bit & 7))) & ((1u << depth) - 1);
}

inline uint8_t GreyLevel(unsigned sample, int depth)
{
    switch (depth) {
    case 1:
        return uint8_t(sample * 255);
    case 2:
        return uint8_t(sample * 85);
    case 4:
        return uint8_t(sample * 17);
    default:
        return uint8_t(sample);
    }
}

inline void PutARGB(uchar *out, QRgb value) { std::memcpy(out, &value, sizeof value); }

void ConvertGrey(const PNGPixelLayout &l, const uint8_t *row, size_t count, uchar *out, size_t step)
{
    const int depth = l.bitDepth;
    for (size_t i = 0; i < count; ++i) {
        unsigned sample;
        uint8_t grey;
        if (depth == 16) {
            sample = Sample16(row + 2 * i);
            grey = Reduce16(sample);
        } else if (depth == 8) {
            sample = row[i];
            grey = uint8_t(sample);
        } else {
            sample = SmallSample(row, i, depth);
            grey = GreyLevel(sample, depth);
        }
        if (l.colourKey)
            PutARGB(out + i * step, qRgba(grey, grey, grey, sample == l.keyGrey ? 0 : 255));
        else
            out[i * step] = grey;
    }
}

void ConvertRGB(const PNGPixelLayout &l, const uint8_t *row, size_t count, uchar *out, size_t step)
{
    if (l.bitDepth == 8) {
        for (size_t i = 0; i < count; ++i) {
            const uint8_t *p = row + 3 * i;
            uchar *o = out + i * step;
            if (l.colourKey) {
                const bool key = p[0] == l.keyRed && p[1] == l.keyGreen && p[2] == l.keyBlue;
                PutARGB(o, qRgba(p[0], p[1], p[2], key ? 0 : 255));
            } else {
                o[0] = p[2];
                o[1] = p[1];
                o[2] = p[0];
            }
        }
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        const uint8_t *p = row + 6 * i;
        const unsigned r = Sample16(p), g = Sample16(p + 2), b = Sample16(p + 4);
        uchar *o = out + i * step;
        if (l.colourKey) {
            const bool key = r == l.keyRed && g == l.keyGreen && b == l.keyBlue;
            PutARGB(o, qRgba(Reduce16(r), Reduce16(g), Reduce16(b), key ? 0 : 255));
        } else {
            o[0] = Reduce16(b);
            o[1] = Reduce16(g);
            o[2] = Reduce16(r);
        }
    }
}

void ConvertPalette(const PNGPixelLayout &l, const uint8_t *row, size_t count, uchar *out, size_t step)
{
    const int depth = l.bitDepth;
    for (size_t i = 0; i < count; ++i) {
        const unsigned index = depth == 8 ? row[i] : SmallSample(row, i, depth);
        if (l.paletteAlpha)
            PutARGB(out + i * step, l.palette[qsizetype(index)]);
        else
            out[i * step] = uchar(index);
    }
}

void ConvertGreyAlpha(const PNGPixelLayout &l, const uint8_t *row, size_t count, uchar *out, size_t step)
{
    for (size_t i = 0; i < count; ++i) {
        uint8_t grey, alpha;
        if (l.bitDepth == 16) {
            grey = Reduce16(Sample16(row + 4 * i));
            alpha = Reduce16(Sample16(row + 4 * i + 2));
        } else {
            grey = row[2 * i];
            alpha = row[2 * i + 1];
        }
        PutARGB(out + i * step, qRgba(grey, grey, grey, alpha));
    }
}

void ConvertRGBA(const PNGPixelLayout &l, const uint8_t *row, size_t count, uchar *out, size_t step)
{
    if (l.bitDepth == 8) {
        for (size_t i = 0; i < count; ++i) {
            const uint8_t *p = row + 4 * i;
            PutARGB(out + i * step, qRgba(p[0], p[1], p[2], p[3]));
        }
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        const uint8_t *p = row + 8 * i;
        PutARGB(out + i * step,
                qRgba(Reduce16(Sample16(p)), Reduce16(Sample16(p + 2)), Reduce16(Sample16(p + 4)), Reduce16(Sample16(p + 6))));
    }
}

} // namespace

bool UnfilterPNGRow(uint8_t filterType, uint8_t *row, const uint8_t *prior, size_t rowBytes, size_t bytesPerPixel)
{
    if (filterType > 4)
        return false;
    if (filterType == 0)
        return true;
    switch (bytesPerPixel) {
    case 1:
        Unfilter<1>(filterType, row, prior, rowBytes, 1);
        break;
    case 2:
        Unfilter<2>(filterType, row, prior, rowBytes, 2);
        break;
    case 3:
        Unfilter<3>(filterType, row, prior, rowBytes, 3);
        break;
    case 4:
        Unfilter<4>(filterType, row, prior, rowBytes, 4);
        break;
    default:
        Unfilter<0>(filterType, row, prior, rowBytes, bytesPerPixel);
        break;
    }
    return true;
}

int PNGPixelLayout::BitsPerPixel() const
{
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    return kChannels[colourType] * bitDepth;
}

QImage::Format PNGPixelLayout::OutputFormat() const
{
    switch (colourType) {
    case 0:
        return colourKey ? QImage::Format_ARGB32 : QImage::Format_Grayscale8;
    case 2:
        return colourKey ? QImage::Format_ARGB32 : QImage::Format_BGR888;
    case 3:
        return paletteAlpha ? QImage::Format_ARGB32 : QImage::Format_Indexed8;
    default:
        return QImage::Format_ARGB32;
    }
}

void ConvertPNGRow(const PNGPixelLayout &layout, const uint8_t *row, size_t count, uchar *out, size_t outStep)
{
    switch (layout.colourType) {
    case 0:
        ConvertGrey(layout, row, count, out, outStep);
        break;
    case 2:
        ConvertRGB(layout, row, count, out, outStep);
        break;
    case 3:
        ConvertPalette(layout, row, count, out, outStep);
        break;
    case 4:
        ConvertGreyAlpha(layout, row, count, out, outStep);
        break;
    default:
        ConvertRGBA(layout, row, count, out, outStep);
        break;
    }
}

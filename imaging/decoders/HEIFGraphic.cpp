#include "imaging/decoders/HEIFGraphic.h"

#include "common/WholeFile.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureLoading.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct ContextFree { void operator()(heif_context *context) const { heif_context_free(context); } };
struct HandleRelease { void operator()(heif_image_handle *handle) const { heif_image_handle_release(handle); } };
struct ImageRelease { void operator()(heif_image *image) const { heif_image_release(image); } };
struct OptionsFree { void operator()(heif_decoding_options *options) const { heif_decoding_options_free(options); } };

using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<heif_image_handle, HandleRelease>;
using Image = std::unique_ptr<heif_image, ImageRelease>;

// N-bit samples (9..16) to 8 bits, rounded to the nearest.
inline uchar Reduce(unsigned value, unsigned maximum)
{
    return uchar((std::min(value, maximum) * 255 + maximum / 2) / maximum);
}

} // namespace

const TGraphicClass &THEIFGraphic::StaticClass()
{
    static const TGraphicClass cls{"THEIFGraphic", [] { return std::unique_ptr<TGraphic>(new THEIFGraphic); }};
    return cls;
}

const TGraphicClass &TAVIFGraphic::StaticClass()
{
    static const TGraphicClass cls{"TAVIFGraphic", [] { return std::unique_ptr<TGraphic>(new TAVIFGraphic); }};
    return cls;
}

void THEIFGraphic::LoadFromBytes(const QByteArray &data)
{
    LoadScaledFromBytes(data, TPictureScale{});
}

void THEIFGraphic::LoadScaledFromFile(const QString &path, const TPictureScale &scale)
{
    LoadScaledFromBytes(ReadWholeFile(path), scale);
}

void THEIFGraphic::LoadScaledFromBytes(const QByteArray &data, const TPictureScale &scale)
{
    m_bitmap = QImage();
    const char *format = FormatName();
    Context context(heif_context_alloc());
    if (!context)
        FormatError(format);
    // The library refuses larger pictures itself before it allocates them;
    // each side of the limit's square is the largest a picture may have.
    heif_context_set_maximum_image_size_limit(context.get(), int(kMaxPictureSide));
    if (heif_context_read_from_memory_without_copy(context.get(), data.constData(), size_t(data.size()), nullptr).code
        != heif_error_Ok)
        FormatError(format);
    heif_image_handle *primaryHandle = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &primaryHandle).code != heif_error_Ok || !primaryHandle)
        FormatError(format);
    const Handle primary(primaryHandle);
    // The size after the file's transformations: the size of the picture.
    const QSize full(heif_image_handle_get_width(primary.get()), heif_image_handle_get_height(primary.get()));
    CheckPictureSize(full.width(), full.height());

    // The smallest embedded thumbnail that serves, if any.
    Handle chosen;
    if (scale.divisor > 1) {
        const int count = heif_image_handle_get_number_of_thumbnails(primary.get());
        std::vector<heif_item_id> ids(size_t(std::clamp(count, 0, 64)));
        const int listed = heif_image_handle_get_list_of_thumbnail_IDs(primary.get(), ids.data(), int(ids.size()));
        for (int i = 0; i < listed; ++i) {
            heif_image_handle *thumbnail = nullptr;
            if (heif_image_handle_get_thumbnail(primary.get(), ids[size_t(i)], &thumbnail).code != heif_error_Ok
                || !thumbnail)
                continue;
            Handle candidate(thumbnail);
            const QSize size(heif_image_handle_get_width(thumbnail), heif_image_handle_get_height(thumbnail));
            if (!ThumbnailServes(size, full, scale) || !PictureSizeAllowed(size.width(), size.height()))
                continue;
            if (!chosen || int64_t(size.width()) * size.height()
                               < int64_t(heif_image_handle_get_width(chosen.get()))
                                     * heif_image_handle_get_height(chosen.get()))
                chosen = std::move(candidate);
        }
    }
    heif_image_handle *const source = chosen ? chosen.get() : primary.get();

    const bool alpha = heif_image_handle_has_alpha_channel(source) != 0;
    const bool wide = heif_image_handle_get_luma_bits_per_pixel(source) > 8;
    const heif_chroma chroma = wide ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
                                    : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    heif_image *decodedImage = nullptr;
    if (heif_decode_image(source, &decodedImage, heif_colorspace_RGB, chroma, options.get()).code != heif_error_Ok
        || !decodedImage)
        FormatError(format);
    const Image decoded(decodedImage);

    const int width = heif_image_get_width(decoded.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(decoded.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
    const int bits = heif_image_get_bits_per_pixel_range(decoded.get(), heif_channel_interleaved);
    const int channels = alpha ? 4 : 3;
    if (!plane || width < 1 || height < 1 || stride < width * channels * (wide ? 2 : 1))
        FormatError(format);
    if (wide ? bits <= 8 || bits > 16 : bits != 8)
        ColorFormatError(format);

    // Colour straight into the working format; with alpha into RGBA for
    // picture loading to compose (premultiplied colour is composed already).
    const QImage::Format target = !alpha ? QImage::Format_BGR888
                                  : heif_image_handle_is_premultiplied_alpha(source) ? QImage::Format_RGBA8888_Premultiplied
                                                                                     : QImage::Format_RGBA8888;
    QImage bitmap = NewBitmap(width, height, target);
    const unsigned maximum = (1u << bits) - 1;
    for (int y = 0; y < height; ++y) {
        const uint8_t *in = plane + size_t(y) * size_t(stride);
        uchar *out = bitmap.scanLine(y);
        if (!wide && alpha) {
            std::memcpy(out, in, size_t(width) * 4);
        } else if (!wide) {
            for (int x = 0; x < width; ++x, in += 3, out += 3)
                out[0] = in[2], out[1] = in[1], out[2] = in[0];
        } else {
            const auto sample = [in](int i) { return unsigned(in[2 * i]) | unsigned(in[2 * i + 1]) << 8; };
            for (int x = 0; x < width; ++x, out += channels) {
                const int at = x * channels;
                const uchar r = Reduce(sample(at), maximum), g = Reduce(sample(at + 1), maximum),
                            b = Reduce(sample(at + 2), maximum);
                if (alpha)
                    out[0] = r, out[1] = g, out[2] = b, out[3] = Reduce(sample(at + 3), maximum);
                else
                    out[0] = b, out[1] = g, out[2] = r;
            }
        }
    }
    if (scale.divisor > 1 && !chosen)
        bitmap = ReducedPicture(MakeBitmap24(bitmap), scale.divisor);
    m_bitmap = bitmap;
}

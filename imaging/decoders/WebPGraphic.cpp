#include "imaging/decoders/WebPGraphic.h"

#include "common/WholeFile.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureLoading.h"
#include "imaging/decoders/ExifOrientation.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>

namespace {

constexpr const char *kFormat = "WebP";

struct AnimationDelete { void operator()(WebPAnimDecoder *decoder) const { WebPAnimDecoderDelete(decoder); } };
struct DemuxDelete { void operator()(WebPDemuxer *demuxer) const { WebPDemuxDelete(demuxer); } };

// The extended header alone declares a canvas of any size: the file must be
// whole and hold the first frame's data before a picture is allocated for it.
bool HoldsFirstFrame(const uint8_t *bytes, size_t size)
{
    const WebPData input{bytes, size};
    const std::unique_ptr<WebPDemuxer, DemuxDelete> demuxer(WebPDemux(&input));
    WebPIterator frame;
    if (!demuxer || !WebPDemuxGetFrame(demuxer.get(), 1, &frame))
        return false;
    const bool there = frame.fragment.size > 0;
    WebPDemuxReleaseIterator(&frame);
    return there;
}

int OrientationOf(const uint8_t *bytes, size_t size)
{
    const WebPData input{bytes, size};
    const std::unique_ptr<WebPDemuxer, DemuxDelete> demuxer(WebPDemux(&input));
    WebPChunkIterator chunk;
    if (!demuxer || !WebPDemuxGetChunk(demuxer.get(), "EXIF", 1, &chunk))
        return 1;
    const int orientation = ExifChunkOrientation(std::span(chunk.chunk.bytes, chunk.chunk.size));
    WebPDemuxReleaseChunkIterator(&chunk);
    return orientation;
}

} // namespace

const TGraphicClass &TWebPGraphic::StaticClass()
{
    static const TGraphicClass cls{"TWebPGraphic", [] { return std::unique_ptr<TGraphic>(new TWebPGraphic); }};
    return cls;
}

void TWebPGraphic::LoadFromBytes(const QByteArray &data)
{
    LoadScaledFromBytes(data, TPictureScale{});
}

void TWebPGraphic::LoadScaledFromFile(const QString &path, const TPictureScale &scale)
{
    LoadScaledFromBytes(ReadWholeFile(path), scale);
}

void TWebPGraphic::LoadScaledFromBytes(const QByteArray &data, const TPictureScale &scale)
{
    m_bitmap = QImage();
    m_orientation = 1;
    const auto *bytes = reinterpret_cast<const uint8_t *>(data.constData());
    const size_t size = size_t(data.size());
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config) || WebPGetFeatures(bytes, size, &config.input) != VP8_STATUS_OK)
        FormatError(kFormat);
    const WebPBitstreamFeatures &features = config.input;
    CheckPictureSize(features.width, features.height);
    if (!HoldsFirstFrame(bytes, size))
        FormatError(kFormat);
    m_orientation = OrientationOf(bytes, size);
    if (features.has_animation) {
        LoadAnimation(data, scale);
        return;
    }

    const QSize target = ScaledPictureSize(QSize(features.width, features.height), scale.divisor);
    if (target != QSize(features.width, features.height)) {
        config.options.use_scaling = 1;
        config.options.scaled_width = target.width();
        config.options.scaled_height = target.height();
    }
    const bool alpha = features.has_alpha != 0;
    QImage bitmap = NewBitmap(target.width(), target.height(), alpha ? QImage::Format_RGBA8888 : QImage::Format_BGR888);
    // The library writes straight into the bitmap's rows.
    config.output.colorspace = alpha ? MODE_RGBA : MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = bitmap.bits();
    config.output.u.RGBA.stride = int(bitmap.bytesPerLine());
    config.output.u.RGBA.size = size_t(bitmap.sizeInBytes());
    const VP8StatusCode status = WebPDecode(bytes, size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        FormatError(kFormat);
    m_bitmap = bitmap;
}

void TWebPGraphic::LoadAnimation(const QByteArray &data, const TPictureScale &scale)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        FormatError(kFormat);
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const WebPData input{reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size())};
    const std::unique_ptr<WebPAnimDecoder, AnimationDelete> decoder(WebPAnimDecoderNew(&input, &options));
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info) || info.frame_count < 1)
        FormatError(kFormat);
    CheckPictureSize(info.canvas_width, info.canvas_height);
    // The first frame composed on the canvas, as a player shows it first.
    uint8_t *canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) || !canvas)
        FormatError(kFormat);
    QImage bitmap = NewBitmap(info.canvas_width, info.canvas_height, QImage::Format_RGBA8888);
    const size_t row = size_t(info.canvas_width) * 4;
    for (uint32_t y = 0; y < info.canvas_height; ++y)
        std::memcpy(bitmap.scanLine(int(y)), canvas + size_t(y) * row, row);
    if (scale.divisor > 1)
        bitmap = ReducedPicture(MakeBitmap24(bitmap), scale.divisor);
    m_bitmap = bitmap;
}

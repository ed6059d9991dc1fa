#include "show/JpegEncoding.h"

#include "common/VistranoError.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ExitOnError(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Everything that longjmp may skip is plain data, so no destructor is lost.
bool Compress(const QImage &bitmap, int quality, unsigned char **buffer, unsigned long *size, ErrorManager *errors)
{
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors->base);
    errors->base.error_exit = ExitOnError;
    errors->base.output_message = IgnoreMessage;
    if (setjmp(errors->jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = JDIMENSION(bitmap.width());
    info.image_height = JDIMENSION(bitmap.height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    info.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    constexpr int kBatch = 16;
    JSAMPROW rows[kBatch];
    while (info.next_scanline < info.image_height) {
        const int first = int(info.next_scanline);
        const int count = std::min(kBatch, bitmap.height() - first);
        for (int i = 0; i < count; ++i)
            rows[i] = const_cast<JSAMPROW>(bitmap.constScanLine(first + i));
        jpeg_write_scanlines(&info, rows, JDIMENSION(count));
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray EncodeJpeg(const QImage &bitmap, int quality)
{
    if (bitmap.isNull() || bitmap.width() <= 0 || bitmap.height() <= 0)
        throw EInvalidGraphic(QStringLiteral("Cannot encode an empty picture as JPEG"));
    const QImage bgr = bitmap.format() == QImage::Format_BGR888 ? bitmap
                                                                : bitmap.convertToFormat(QImage::Format_BGR888);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    ErrorManager errors{};
    const bool ok = Compress(bgr, std::clamp(quality, 1, 100), &buffer, &size, &errors);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    if (!ok)
        throw EInvalidGraphic(QStringLiteral("JPEG error: %1").arg(QString::fromLocal8Bit(errors.message)));
    return bytes;
}

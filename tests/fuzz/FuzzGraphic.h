#pragma once

#include "common/VistranoError.h"
#include "imaging/Graphic.h"

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <new>

// Feeds one input to a decoder class. The program's own errors are the
// expected outcome for bad input; anything else (a crash, a sanitizer report,
// another exception) is a finding.
template <class Graphic>
int FuzzGraphic(const uint8_t *data, size_t size)
{
    Graphic graphic;
    try {
        graphic.LoadFromBytes(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const VistranoError &) {
        return 0;
    }
    // Touch every byte of the result so that reads of uninitialised or
    // freed pixel memory show up. A tiny file may declare a picture at the
    // size limit (its strips or rows simply missing); the sanitizers make a
    // byte-by-byte walk over a gigabyte take longer than the fuzzer's
    // timeout, so large pictures have the ends of each row touched instead.
    const QImage image = graphic.Bitmap();
    const bool large = image.sizeInBytes() > (qsizetype(1) << 24);
    unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        if (large) {
            sum += row[0] + row[image.bytesPerLine() - 1];
            continue;
        }
        for (qsizetype x = 0; x < image.bytesPerLine(); ++x)
            sum += row[x];
    }
    return sum == 0x7FFFFFFF ? 1 : 0;
}

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
    // freed pixel memory show up.
    const QImage image = graphic.Bitmap();
    unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        for (qsizetype x = 0; x < image.bytesPerLine(); ++x)
            sum += row[x];
    }
    return sum == 0x7FFFFFFF ? 1 : 0;
}

#pragma once

#include "imaging/JPEGReadScale.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>

// The scaled JPEG reader, on libjpeg-turbo. It decodes a JPEG whole or
// directly at one half, one quarter or one eighth of its size (the library's
// DCT scaling never produces the full-size pixels) straight into the rows of
// the target bitmap: Format_BGR888 for colour (three-channel, and
// four-channel CMYK or YCCK converted to colour), Format_Grayscale8 for grey.

enum class JPEGReadStatus {
    Decoded,    // the target holds the picture
    Unreadable, // no regular file, no JPEG header, an unsupported layout or data
                // too short for the size the header gives; target untouched
    TooLarge,   // beyond the picture limits or out of memory; target untouched
    Damaged,    // the pixel data broke off: the target has the full size, the rows
                // the library could not deliver are black
};

struct JPEGReadOutcome
{
    JPEGReadStatus status;
    QString message;     // for TooLarge: the picture size message
    int orientation = 1; // the EXIF Orientation (1..8) once the header was read
};

// Decodes the JPEG file at the scale into target. True when every row was
// decoded; never fails with an error of its own.
bool LoadJPEGFile(QImage &target, const QString &path, JPEGReadScale scale);

JPEGReadOutcome ReadJPEGFile(QImage &target, const QString &path, JPEGReadScale scale);
JPEGReadOutcome ReadJPEGBytes(QImage &target, const uint8_t *data, size_t size, JPEGReadScale scale);

struct JPEGInfo
{
    int width = 0;
    int height = 0;
    int channels = 0;
    bool progressive = false;
};

class TJPEGRowReader;

// Whether decoding the opened JPEG may begin: Decoded when it may,
// TooLarge (with the picture size message) beyond the picture limits,
// Unreadable when its data is too short to hold a picture of its size.
JPEGReadOutcome CheckJPEGDecodable(const TJPEGRowReader &reader);

// The bytes of a JPEG file; false when it cannot be read.
bool ReadJPEGFileBytes(const QString &path, QByteArray &bytes);

// Reads only the header; false when there is no readable JPEG header.
bool ReadJPEGInfo(const uint8_t *data, size_t size, JPEGInfo &info);

#pragma once

#include <QString>

// Independent decoders timed on a file, one thread each, with the start-up
// cost (the same command on a tiny file of the same kind) taken off.
enum class ExternalDecoder { Magick, Pillow };

// Median milliseconds of decoding `path`, minus the median of decoding
// `tinyPath`; -1 when the decoder is missing or fails on the file.
double ExternalDecodeMilliseconds(ExternalDecoder decoder, const QString &path, const QString &tinyPath);

// "ImageMagick X ms (ratio R); Pillow Y ms (ratio S)" for a figure line.
QString ComparisonText(double ours, double magick, double pillow);

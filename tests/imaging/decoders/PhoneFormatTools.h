#pragma once

// The Debian tools that write and read the phone and web formats (heif-enc,
// heif-convert from libheif-examples; cwebp, dwebp, img2webp from webp),
// run on files in a test folder.

#include "tests/support/TestFiles.h"

#include <QImage>
#include <QString>
#include <QStringList>

// Writes the picture as PNG (16 bits per channel for the 64-bit formats),
// runs the encoder on it with the arguments and returns the encoded bytes.
QByteArray EncodeWith(const TestFolder &folder, const QImage &picture, const QString &encoder,
                      const QStringList &args, const QString &outputName);

// Reads back a file a tool wrote (PNG, PPM, PAM) as Qt reads it.
QImage ToolOutput(const QString &path);

// 16-bit samples v << (16 - bits), as heif-convert writes a picture of that
// depth, reduced to 8 bits with rounding; composed onto black when the
// picture has alpha. RGB888.
QImage EightBitsOf(const QImage &wide, int bits);

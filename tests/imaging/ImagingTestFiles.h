#pragma once

#include "tests/support/TestFiles.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>


#include <gtest/gtest.h>

// A deterministic photo-like test picture (gradients with noise), BGR888.
QImage SamplePicture(int width, int height, unsigned seed = 1);

// Reads a PPM or PGM written by a reference tool; BGR888.
QImage ReadReferencePPM(const QString &path);

// Writes a picture as a binary PPM for the reference tools.
void WriteReferencePPM(const QImage &picture, const QString &path);

// Runs a reference tool and fails the test when it does not succeed.
bool RunTool(const QString &program, const QStringList &args);

// Equal size and every channel of every pixel within tolerance (both are
// brought to BGR888 first).
::testing::AssertionResult SamePixels(const QImage &actual, const QImage &expected, int tolerance = 0);

enum class JPEGKind { Colour, Grey, Progressive, CMYKAdobe, CMYKPlain, YCCK };

// Encodes a BGR888 picture with libjpeg. The four-channel kinds take the
// inks from InkOf (below); Adobe and YCCK files store them inverted behind an
// Adobe marker as Photoshop does, plain files store them as they are.
QByteArray EncodeJPEG(const QImage &picture, JPEGKind kind, int quality = 90);

// The inks (c, m, y, k) of a pixel of a picture for the four-channel kinds,
// and the colour they stand for: (255 - c) * (255 - k) / 255 and so on.
void InkOf(QRgb rgb, uint8_t ink[4]);
QRgb ColourOfInk(const uint8_t ink[4]);

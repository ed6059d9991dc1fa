#pragma once

// Independent readers and writers run as test oracles (ImageMagick, netpbm,
// giflib, libtiff's tools, libjpeg's djpeg, Python's imaging library), and
// the comparisons of our pictures with theirs.

#include "tests/support/RequiredTools.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>

// What a tool run gave: true when it exited with 0, and its standard
// output. Reads as the output where bytes are wanted.
struct ToolRun
{
    bool ok = false;
    QByteArray output;
    explicit operator bool() const { return ok; }
    operator const QByteArray &() const { return output; }
};

// Runs a tool with the input on its standard input; fails the current test
// when it does not exit with 0 (the output is then empty).
ToolRun RunTool(const QString &program, const QStringList &args, const QByteArray &input = {});

// convert <file> [options] -> 8-bit RGB, the alpha channel dropped; a null
// image when convert is missing or fails.
QImage Magick(const QString &file, const QStringList &options = {});
// Runs convert with the arguments; true when it succeeded.
bool MagickWrite(const QStringList &args);
// PIL's reading of a file as 8-bit RGB; a null image when PIL is missing or
// cannot read it.
QImage Pillow(const QString &file);

// Binary PPM (P6, maxval 255) of a picture, as tools read it.
QByteArray EncodePPM(const QImage &picture);
// Parses the binary netpbm output of a tool: P4, P5, P6 and P7 (PAM with
// GRAYSCALE, RGB or RGB_ALPHA tuples), maxval up to 65535. Samples above 8
// bits are brought to 8 with round(v * 255 / maxval). The result is RGB888,
// or RGBA8888 for PAM with alpha; a null image when the data is not netpbm.
QImage DecodeNetpbm(const QByteArray &data);
// A PPM or PGM file written by a tool, as BGR888; writes a picture as a
// binary PPM for a tool.
QImage ReadReferencePPM(const QString &path);
void WriteReferencePPM(const QImage &picture, const QString &path);

// A picture as 8-bit RGB, transparency composed onto black with
// round(c * alpha / 255): what picture loading shows of it.
QImage OntoBlack(const QImage &picture);
// The largest difference of one colour component between two pictures
// (both brought to RGB888 first); 1000 when one is null or their sizes
// differ, so that no tolerance lets it pass.
int MaxDifference(const QImage &a, const QImage &b);
// Equal size and every channel of every pixel within tolerance (both are
// brought to BGR888 first).
::testing::AssertionResult SamePixels(const QImage &actual, const QImage &expected, int tolerance = 0);
// Compares two pictures pixel by pixel (colour, and alpha when the reference
// has it); a difference fails the test with the first differing pixel and
// the number of differing pixels.
void ExpectSamePixels(const QImage &ours, const QImage &expected, const QString &what);

// Writes the bytes under the name into the folder and loads them with
// LoadPictureFile, which picks the decoder by extension (the formats must be
// registered); the result must be 24-bit and show the reference picture.
void ExpectShownAs(const QString &folder, const QString &name, const QByteArray &bytes, const QImage &reference);

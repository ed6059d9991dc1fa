#pragma once

// Helpers for comparing our decoders with independent tools (ImageMagick,
// netpbm, giflib, Python's imaging library) that write and read the test
// files at test time.

#include "common/VistranoError.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

// The real ImageMagick convert (not a stand-in earlier on the PATH), or an
// empty string when none is installed.
QString ConvertProgram();
// A Python 3 that has PIL, or an empty string.
QString PythonWithPIL();

// Runs a tool and returns its standard output; fails the test (and returns
// an empty array) when it does not exit with 0.
QByteArray RunTool(const QString &program, const QStringList &args, const QByteArray &input = {});

// A deterministic photo-like picture: smooth gradients, flat areas that
// compress into runs, and noise. Format_RGB888.
QImage MakeTestPicture(int width, int height, uint32_t seed);
// A picture that uses at most `colours` distinct grey-free colours, for
// palette formats. Format_RGB888.
QImage MakeIndexedPicture(int width, int height, int colours, uint32_t seed);

// The bytes of the values, for hand-made files.
QByteArray ByteString(std::initializer_list<int> values);

// Binary PPM (P6, maxval 255) of an RGB888 picture, as tools read it.
QByteArray EncodePPM(const QImage &picture);

// Parses the binary netpbm output of a tool: P4, P5, P6 and P7 (PAM with
// GRAYSCALE, RGB or RGB_ALPHA tuples), maxval up to 65535. Samples above 8
// bits are brought to 8 with round(v * 255 / maxval). The result is RGB888,
// or RGBA8888 for PAM with alpha; a null image when the data is not netpbm.
QImage DecodeNetpbm(const QByteArray &data);

// Compares two pictures pixel by pixel (colour, and alpha when the reference
// has it); a difference fails the test with the first differing pixel and
// the number of differing pixels.
void ExpectSamePixels(const QImage &ours, const QImage &expected, const QString &what);

// Decodes bytes with a decoder class; an error fails the test with its
// message and gives a null image.
template <class Graphic>
QImage DecodeOrFail(const QByteArray &bytes)
{
    Graphic graphic;
    try {
        graphic.LoadFromBytes(bytes);
    } catch (const VistranoError &error) {
        ADD_FAILURE() << "decoding failed: " << error.message().toStdString();
        return {};
    }
    return graphic.Bitmap();
}

// An RGBA picture composed onto black, round(c * alpha / 255) per colour:
// what picture loading shows of a picture with transparency. RGB888.
QImage OntoBlack(const QImage &rgba);

// Writes the bytes under the name into the folder and loads them with
// LoadPictureFile, which picks the decoder by extension (the formats must be
// registered); the result must be 24-bit and show the reference picture.
void ExpectShownAs(const QString &folder, const QString &name, const QByteArray &bytes, const QImage &reference);

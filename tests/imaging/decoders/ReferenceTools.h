#pragma once

#include "common/VistranoError.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// Independent readers run as test oracles: ImageMagick's convert and
// Python's imaging library. Each returns the picture as 24-bit RGB, or a
// null image when the tool is missing or cannot read the file.
namespace reference {

bool HaveMagick();
// convert <file> [options] -> 8-bit RGB, the alpha channel dropped.
QImage Magick(const QString &file, const QStringList &options = {});
// Runs convert with the arguments; true when it succeeded.
bool MagickWrite(const QStringList &args);

// A python3 that has PIL, or an empty string.
QString PillowPython();
QImage Pillow(const QString &file);

// Our bitmap as 24-bit RGB.
QImage Rgb(const QImage &image);
// The largest difference of one colour component between two pictures of
// the same size; -1 when the sizes differ or one is null.
int MaxDifference(const QImage &a, const QImage &b);

// Decodes bytes with a decoder class; returns the picture, or a null image
// with the error's message in *message.
template <class Graphic>
QImage Decode(const QByteArray &bytes, QString *message = nullptr)
{
    Graphic graphic;
    try {
        graphic.LoadFromBytes(bytes);
    } catch (const VistranoError &error) {
        if (message)
            *message = error.message();
        return {};
    }
    return graphic.Bitmap();
}

// The message a decoder class fails with on the bytes, or "(no error)".
template <class Graphic>
QString ErrorOf(const QByteArray &bytes)
{
    QString message = QStringLiteral("(no error)");
    Decode<Graphic>(bytes, &message);
    return message;
}

} // namespace reference

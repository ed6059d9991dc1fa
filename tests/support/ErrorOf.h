#pragma once

#include "common/VistranoError.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <functional>

// The message of the program's error that the work fails with, or
// "(no error)".
inline QString ErrorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const VistranoError &error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

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

// The same; an error fails the test with its message.
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

// The message a decoder class fails with on the bytes, or "(no error)".
template <class Graphic>
QString ErrorOf(const QByteArray &bytes)
{
    return ErrorOf([&] {
        Graphic graphic;
        graphic.LoadFromBytes(bytes);
    });
}

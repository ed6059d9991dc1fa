#pragma once

#include "tests/support/TestFiles.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>


// What one run of vistrano-cli gave.
struct CliRun
{
    int status;
    QByteArray out;
    QString err;
};

CliRun RunCli(const QStringList &args);

// A 24-bit bottom-up Windows bitmap file of a BGR888 picture.
QByteArray BitmapFileOf(const QImage &picture);

// The binary PPM the tool writes for a BGR888 picture.
QByteArray PPMOf(const QImage &picture);

// A picture of width x height whose pixel (x, y) is (10x + 1, 10y + 2, x + y).
QImage NumberedPicture(int width, int height);

#pragma once

#include "tests/support/ChildLimits.h"
#include "tests/support/TestFiles.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// The bounds of every run of vistrano-cli: a minute and 1 GB, so that a
// command that reads without end or hangs fails its test instead of stopping
// it.
ChildLimits CliLimits();

// Runs the built vistrano-cli under the limits: its exit status, and its
// outputs where they are asked for.
int Cli(const QStringList &args, QByteArray *out = nullptr, QByteArray *err = nullptr,
        const ChildLimits &limits = CliLimits());

// What one run of vistrano-cli gave.
struct CliRun
{
    int status;
    QByteArray out;
    QString err;
};

CliRun RunCli(const QStringList &args, const ChildLimits &limits = CliLimits());

// A 24-bit bottom-up Windows bitmap file of a BGR888 picture.
QByteArray BitmapFileOf(const QImage &picture);

// The binary PPM the tool writes for a BGR888 picture.
QByteArray PPMOf(const QImage &picture);

// A picture of width x height whose pixel (x, y) is (10x + 1, 10y + 2, x + y).
QImage NumberedPicture(int width, int height);

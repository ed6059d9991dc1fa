#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Helpers for comparing our TIFF and EPS decoding with independent tools.

// A picture with gradients, edges and noise, so that every compression
// meets varied data; odd sizes catch row padding faults.
QImage TestPicture(int width, int height, unsigned seed);
// A bilevel picture of runs of every length (up to the full width), for the
// fax codes' terminating, make-up and extended make-up codes.
QImage TestBilevelPicture(int width, int height, unsigned seed);

// Runs a tool and fails the current test when it does not exit with 0.
bool RunTool(const QString &program, const QStringList &args);

// ImageMagick's own decoding of a file, as 8-bit RGB, transparency put onto
// black; a null image when it fails.
QImage OracleRGB(const QString &path);

// Our decoder's picture as 8-bit RGB, transparency composed onto black.
QImage AsRGB(const QImage &picture);

// The largest difference of any sample of two RGB888 pictures (1000 when
// their sizes differ).
int MaxDifference(const QImage &a, const QImage &b);

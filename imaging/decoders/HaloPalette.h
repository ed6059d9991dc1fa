#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>

#include <optional>

// The Dr. Halo palette file that goes with a CUT picture: a 40-byte header
// ("AH", the highest colour index, the largest value of each component) and
// colours of three 16-bit words, in 512-byte blocks that no colour straddles.
// Gives the colours scaled to 8 bits (at most 256), or nothing when the data
// is not a generic Dr. Halo palette. A file that ends early keeps the colours
// read so far.
std::optional<QList<QRgb>> ReadHaloPalette(const QByteArray &data);

// The palette file beside a CUT file: same folder, same base name, the
// extension "pal" in any letter case (an exact match of the base name is
// preferred). An empty string when there is none.
QString FindHaloPaletteFile(const QString &cutPath);

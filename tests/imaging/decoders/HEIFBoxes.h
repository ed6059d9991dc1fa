#pragma once

#include <QByteArray>

// Just enough of the HEIF container (ISO base media file format boxes) to
// build what heif-enc does not write: a grid of tiles, with a rotation of
// the whole picture, from the coded picture of a file heif-enc made.

struct CodedHEVC
{
    QByteArray hvcC; // the decoder configuration property box, whole
    QByteArray data; // the primary item's coded data
    int width = 0, height = 0;
};

// The primary picture of a single-picture file written by heif-enc; fails
// the test when the file does not have the expected boxes.
CodedHEVC ExtractCodedPicture(const QByteArray &heif);

// A file whose primary picture is a grid of columns x rows copies of the
// tile, turned counter-clockwise by quarterTurns x 90 degrees ('irot').
QByteArray GridHEIF(const CodedHEVC &tile, int columns, int rows, int quarterTurns);

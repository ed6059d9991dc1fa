#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Where the preview window draws a picture of bw by bh in a client area of
// cw by ch: with sx = cw / bw and sy = ch / bh in single precision, the
// picture is Round(bw x sy) by ch when sx >= sy, otherwise cw by
// Round(bh x sx) (ties to even), centred. Small pictures are enlarged the
// same way. An empty picture or area gives an empty rectangle.
QRect PreviewPictureRect(QSize client, QSize picture);

// The preview's caption: path, three blanks and the size in parentheses,
// path + "   (" + width + " X " + height + ")".
QString PreviewCaption(const QString &path, QSize picture);

// The picture a preview shows: the file loaded whole (JPEG files too) and
// turned by the angle (90, 180, 270 clockwise; anything else leaves it).
// The angle is a slide's Rotation, the turn of the stored pixels. Errors of
// loading propagate.
QImage LoadPreviewPicture(const QString &path, int angle);

// The picture a preview of a file (not of a slide) shows: the file loaded
// whole and stood upright as its orientation tag says.
QImage LoadFilePreviewPicture(const QString &path);

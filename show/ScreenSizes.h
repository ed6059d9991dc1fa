#pragma once

#include <QList>
#include <QSize>
#include <QString>

// The longest side of a show's screen: the build and the web export refuse
// larger sizes, and the player reads none larger from a package.
constexpr int kMaxScreenSide = 8192;

// The screen sizes a show is built for, in the order of the options dialog's
// items: the four classic sizes, then widescreen and portrait (for phones).
QList<QSize> ShowScreenSizes();

// How a size is named to the user: "1024 X 768"; a portrait size says so.
QString ScreenSizeText(QSize size);

// A size written "WIDTHxHEIGHT" on a command line; an invalid size when the
// text is not of that form.
QSize ParseSizeArgument(const QString &text);

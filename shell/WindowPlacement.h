#pragma once

#include <QRect>
#include <QSize>

// Where the main window opens when no placement of it is remembered: about
// four fifths of the free area of the screen, never smaller than its
// designed size where the screen has room for that, never larger than the
// screen, centred in the free area.
QRect InitialWindowRect(const QRect &available, const QSize &designed);


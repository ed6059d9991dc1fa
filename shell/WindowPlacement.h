#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// Where the main window opens when no placement of it is remembered: about
// four fifths of the free area of the screen, never smaller than its
// designed size where the screen has room for that, never larger than the
// screen with the window manager's frame (title bar and borders) around it,
// centred in the free area. The result is the window's inside.
QRect InitialWindowRect(const QRect &available, const QSize &designed, const QMargins &frame = {});

// A window's frame moved, and made smaller where it is larger than the free
// area, so that all of it lies on the screen: a dialog placed for a large
// screen, or at a large scale, would otherwise reach past the screen's edge.
QRect KeptOnScreen(const QRect &frame, const QRect &available);


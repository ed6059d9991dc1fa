#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// How a slide's picture moves while the slide is on: not at all, a slow zoom
// in or out, or a pan; Auto picks one per slide when the show is made.
enum class SlideMotion : int { None = 0, Auto = 1, ZoomIn = 2, ZoomOut = 3, Pan = 4 };

// The names the dialogs and the command line show, in the order of the codes:
// "None", "Auto", "Zoom In", "Zoom Out", "Pan".
QStringList SlideMotionNames();
// A name (letter case, spaces and hyphens ignored) or a code; none when
// neither.
std::optional<SlideMotion> SlideMotionFromText(const QString &text);
// Codes out of range read as None, so a damaged value only stills a slide.
SlideMotion SlideMotionFromCode(int code);

// A motion as it runs: what the picture does, decided for one slide and its
// picture. The pans run along the picture's longer side.
enum class MotionPath : int { Still, ZoomIn, ZoomOut, PanLeftToRight, PanRightToLeft, PanTopToBottom, PanBottomToTop };

// The package's text of a path ("zoom in", "pan top to bottom"...), and back:
// an unknown text reads as Still.
QString MotionPathText(MotionPath path);
MotionPath MotionPathFromText(QStringView text);

// The path a slide takes. A chosen zoom stays that zoom; a chosen pan runs
// along the longer side of the picture as shown (`picture`, after rotation).
// Auto pans a portrait picture from top to bottom or back, a wide one (wider
// than 16:10) from side to side, and zooms the others in or out; which way is
// decided by the slide's number and its file name, so the same project always
// moves the same way, and neighbouring slides mostly differ.
MotionPath ResolveMotion(SlideMotion motion, int slideNumber, const QString &fileName, QSize picture);

// How far the picture is magnified at the close end of a motion.
constexpr double kMotionZoom = 1.25;
// Moving slides are rendered up to this many times the screen's size, so
// that the close end of the motion still has a pixel per pixel of the screen.
constexpr double kMotionOversize = 1.5;

// The part of the picture that fills the picture's place on the screen at
// `progress` (0 at the slide's start, 1 at its end), in fractions of the
// picture (the whole picture is 0,0 1x1). It always has the picture's
// shape, so the picture keeps its place and only what it shows moves.
QRectF MotionRect(MotionPath path, double progress);

// Slow at both ends, fastest in the middle: 0 -> 0, 1/2 -> 1/2, 1 -> 1.
double EaseMotion(double progress);

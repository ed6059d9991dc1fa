#pragma once

#include "project/RectBoxProperties.h"

#include <QPoint>
#include <QRect>

#include <array>
#include <optional>

// The arithmetic of a slide box on the strip: where its frame, handles and
// texts go, which part of the box the pointer is over, and the bounds that
// dragging gives. The widget only applies what these say.

// The drag modes: 0 none, 1 move, then the handles from the top-left corner
// round to the bottom-right one.
enum class DragMode : int {
    None = 0,
    Move = 1,
    TopLeft = 2,
    Top = 3,
    TopRight = 4,
    Left = 5,
    Right = 6,
    BottomLeft = 7,
    Bottom = 8,
    BottomRight = 9,
};

// The pointer shape a zone asks for; Unchanged keeps the one shown.
enum class ZoneCursor { Unchanged, Arrow, SizeNWSE, SizeNESW, SizeHorizontal, SizeVertical };

struct HoverZone
{
    DragMode mode = DragMode::None;
    ZoneCursor cursor = ZoneCursor::Unchanged;
    bool operator==(const HoverZone &) const = default;
};

// The zone under the pointer (x, y in box coordinates) of a box w by h with
// handles of side b. Bounds are excluded on both sides; the band of width b
// through the middle of the box, away from its top and bottom, is no zone.
HoverZone HoverZoneAt(int x, int y, int w, int h, int b);

struct BoxBounds
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const BoxBounds &) const = default;
};

// The bounds one step of a drag gives: pointer and press point in box
// coordinates, ratio as height per unit of width when proportionate. None
// for mode 0, and when the new width or height would fall below 3 x b.
std::optional<BoxBounds> DraggedBounds(DragMode mode, const BoxBounds &bounds, QPoint pointer, QPoint press,
                                       long double ratio, bool proportionate, int b);

// The frame's inset for the frame type: 0, b, or b div 2.
int FrameInset(TFrameType type, int b);

// The content rectangle (the picture goes there, the frame around it): from
// (a, a) to (w - 1 - a, h - 1 - a), right and bottom exclusive when filled.
QRect ContentRect(int w, int h, int inset);
// The rectangle the texts are clipped to: left a + 1, top -a, right
// w - a - 1, bottom h - a - 1.
QRect TextRect(int w, int h, int inset);

// The top-left corners of the eight handles, clockwise from the top-left.
std::array<QPoint, 8> HandleCorners(int w, int h, int b);

// The frame's colour, or none when no frame is drawn.
std::optional<TColor> FrameColour(const RectBoxProperties &box);

// The box's info texts: "L:" Left " T:" Top and "W:" Width " H:" Height.
QString PositionText(const RectBoxProperties &box);
QString SizeText(const RectBoxProperties &box);

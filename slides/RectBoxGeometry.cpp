#include "slides/RectBoxGeometry.h"

#include "common/Rounding.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool Between(int v, int lo, int hi)
{
    return lo < v && v < hi;
}

// Round(v) of a bound; values that no int can hold give a bound the size
// guard or the widget clamps rather than undefined behaviour.
int RoundBound(long double v)
{
    if (!std::isfinite(v))
        return std::numeric_limits<int>::min();
    if (v >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(RoundHalfEven(v));
}

// Sums of bounds in 64 bits, brought back into int range.
int Clamp(int64_t v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(v);
}

} // namespace

HoverZone HoverZoneAt(int x, int y, int w, int h, int b)
{
    const int xMid = (w - b) / 2;
    const int yMid = (h - b) / 2;
    if (Between(x, 0, b)) {
        if (Between(y, 0, b))
            return {DragMode::TopLeft, ZoneCursor::SizeNWSE};
        if (Between(y, yMid, yMid + b))
            return {DragMode::Left, ZoneCursor::SizeHorizontal};
        if (Between(y, h - b, h))
            return {DragMode::BottomLeft, ZoneCursor::SizeNESW};
        return {DragMode::None, ZoneCursor::Arrow};
    }
    if (Between(x, w - b, w)) {
        if (Between(y, 0, b))
            return {DragMode::TopRight, ZoneCursor::SizeNESW};
        if (Between(y, yMid, yMid + b))
            return {DragMode::Right, ZoneCursor::SizeHorizontal};
        if (Between(y, h - b, h))
            return {DragMode::BottomRight, ZoneCursor::SizeNWSE};
        return {DragMode::None, ZoneCursor::Arrow};
    }
    if (Between(x, xMid, xMid + b)) {
        if (Between(y, 0, b))
            return {DragMode::Top, ZoneCursor::SizeVertical};
        if (Between(y, h - b, h))
            return {DragMode::Bottom, ZoneCursor::SizeVertical};
        return {DragMode::None, ZoneCursor::Arrow};
    }
    if (Between(x, 0, w) && Between(y, 0, h))
        return {DragMode::Move, ZoneCursor::Arrow};
    return {DragMode::None, ZoneCursor::Unchanged};
}

std::optional<BoxBounds> DraggedBounds(DragMode mode, const BoxBounds &bounds, QPoint pointer, QPoint press,
                                       long double ratio, bool proportionate, int b)
{
    const int64_t L = bounds.left, T = bounds.top, W = bounds.width, H = bounds.height;
    const int64_t X = pointer.x(), Y = pointer.y();
    const long double R = ratio;
    int64_t left = L, top = T, width = W, height = H;
    switch (mode) {
    case DragMode::None:
        return std::nullopt;
    case DragMode::Move:
        left = L + X - press.x();
        top = T + Y - press.y();
        break;
    case DragMode::TopLeft:
        left = L + X;
        top = T + Y;
        width = W - X;
        height = proportionate ? H - RoundBound(X * R) : H - Y;
        break;
    case DragMode::Top:
        top = T + Y;
        height = H - Y;
        if (proportionate)
            width = RoundBound((H - Y) / R);
        break;
    case DragMode::TopRight:
        top = T + Y;
        width = X;
        height = proportionate ? RoundBound(X * R) : H - Y;
        break;
    case DragMode::Left:
        left = L + X;
        width = W - X;
        if (proportionate)
            height = RoundBound((W - X) * R);
        break;
    case DragMode::Right:
        width = X;
        if (proportionate)
            height = RoundBound(X * R);
        break;
    case DragMode::BottomLeft:
        left = L + X;
        width = W - X;
        if (proportionate) {
            top = T + RoundBound(X * R);
            height = RoundBound((W - X) * R);
        } else {
            height = Y;
        }
        break;
    case DragMode::Bottom:
        height = Y;
        if (proportionate)
            width = RoundBound(Y / R);
        break;
    case DragMode::BottomRight:
        width = X;
        if (proportionate) {
            top = T - RoundBound((X - W) * R);
            height = RoundBound(X * R);
        } else {
            height = Y;
        }
        break;
    }
    const int64_t least = 3 * int64_t(b);
    if (width < least || height < least)
        return std::nullopt;
    return BoxBounds{Clamp(left), Clamp(top), Clamp(width), Clamp(height)};
}

int FrameInset(TFrameType type, int b)
{
    switch (type) {
    case TFrameType::ftInner:
        return b;
    case TFrameType::ftMiddle:
        return b / 2;
    case TFrameType::ftOuter:
        break;
    }
    return 0;
}

QRect ContentRect(int w, int h, int inset)
{
    return QRect(QPoint(inset, inset), QPoint(w - 1 - inset - 1, h - 1 - inset - 1));
}

QRect TextRect(int w, int h, int inset)
{
    return QRect(QPoint(inset + 1, -inset), QPoint(w - inset - 1 - 1, h - inset - 1 - 1));
}

std::array<QPoint, 8> HandleCorners(int w, int h, int b)
{
    const int midX = w / 2 - b / 2;
    const int midY = h / 2 - b / 2;
    return {QPoint(0, 0),         QPoint(midX, 0),  QPoint(w - b, 0), QPoint(w - b, midY),
            QPoint(w - b, h - b), QPoint(midX, h - b), QPoint(0, h - b), QPoint(0, midY)};
}

std::optional<TColor> FrameColour(const RectBoxProperties &box)
{
    if (!box.DrawFrame() || (!box.Focus() && box.HidePassiveFrame()))
        return std::nullopt;
    if (!box.Focus())
        return box.PassiveFrameColor();
    return box.IsFiltered() ? box.FilteredFrameColor() : box.ActiveFrameColor();
}

QString PositionText(const RectBoxProperties &box)
{
    return QStringLiteral("L:%1 T:%2").arg(box.Left()).arg(box.Top());
}

QString SizeText(const RectBoxProperties &box)
{
    return QStringLiteral("W:%1 H:%2").arg(box.Width()).arg(box.Height());
}

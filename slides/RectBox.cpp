#include "slides/RectBox.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Widgets cannot be larger than this, nor placed further out.
constexpr int kWidgetLimit = QWIDGETSIZE_MAX;

int ClampPosition(int v)
{
    return std::clamp(v, -kWidgetLimit, kWidgetLimit);
}

int ClampSize(int v)
{
    return std::clamp(v, 0, kWidgetLimit);
}

Qt::CursorShape ShapeOf(ZoneCursor cursor)
{
    switch (cursor) {
    case ZoneCursor::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case ZoneCursor::SizeNESW:
        return Qt::SizeBDiagCursor;
    case ZoneCursor::SizeHorizontal:
        return Qt::SizeHorCursor;
    case ZoneCursor::SizeVertical:
        return Qt::SizeVerCursor;
    case ZoneCursor::Arrow:
    case ZoneCursor::Unchanged:
        break;
    }
    return Qt::ArrowCursor;
}

QFont FontOf(const TFontData &data, const QFont &base)
{
    QFont font = base;
    font.setFamily(data.name);
    // A negative height is the character height in pixels, a positive one
    // the cell height; both are taken as the pixel size here.
    font.setPixelSize(std::max(1, data.height < 0 ? -data.height : data.height));
    font.setBold(data.style & 1);
    font.setItalic(data.style & 2);
    font.setUnderline(data.style & 4);
    font.setStrikeOut(data.style & 8);
    return font;
}

// The press point as the button message carries it: 16 bits each.
QPoint PressPointOf(QPoint pos)
{
    return QPoint(pos.x() & 0xFFFF, pos.y() & 0xFFFF);
}

} // namespace

TRectBox::TRectBox(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(0, 0, 0, 0);
}

TRectBox::~TRectBox()
{
    // Boxes beside this one may still point at it.
    if (QWidget *parent = parentWidget()) {
        for (TRectBox *other : parent->findChildren<TRectBox *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other == this)
                continue;
            if (other->LinkChild() == this)
                other->SetLinkChild(nullptr);
            if (other->LinkParent() == this)
                other->SetLinkParent(nullptr);
        }
    }
}

void TRectBox::Changed(RectBoxChange change)
{
    if (change == RectBoxChange::Bounds) {
        if (!m_applyingGeometry)
            ApplyGeometry();
    } else {
        update();
    }
    emit PropertyChanged(this);
}

void TRectBox::ApplyGeometry()
{
    setGeometry(ClampPosition(Left()), ClampPosition(Top()), ClampSize(Width()), ClampSize(Height()));
}

void TRectBox::paintEvent(QPaintEvent *)
{
    QPainter canvas(this);
    if (AutoSize())
        FitToCaption(canvas);
    const int w = Width();
    const int h = Height();
    const int b = BoxSize();
    const int inset = FrameInset(FrameType(), b);
    const QRect content = ContentRect(w, h, inset);

    if (m_onPaint) {
        canvas.save();
        m_onPaint(this, canvas, content);
        canvas.restore();
    }

    if (const std::optional<TColor> colour = FrameColour(*this)) {
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setPen(QPen(ColourOf(*colour, palette()), 0));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(content);
    }

    if (DrawBoxes() && Focus()) {
        const QColor fill = ColourOf(BoxColor(), palette());
        for (const QPoint &corner : HandleCorners(w, h, b))
            canvas.fillRect(QRect(corner, QSize(b, b)), fill);
    }

    PaintTexts(canvas, b, TextRect(w, h, inset));
}

void TRectBox::PaintTexts(QPainter &canvas, int b, const QRect &textRect)
{
    if (Focus() && (ShowPos() || ShowSize())) {
        canvas.save();
        QFont info(QStringLiteral("MS Sans Serif"));
        info.setPixelSize(10);
        canvas.setFont(info);
        canvas.setPen(ColourOf(InfoTextColor(), palette()));
        canvas.setClipRect(textRect);
        const int far = std::max(0, width()) + 1000;
        if (ShowPos())
            canvas.drawText(QRect(b + 2, b, far, far), Qt::AlignLeft | Qt::AlignTop, PositionText(*this));
        if (ShowSize())
            canvas.drawText(QRect(b + 2, b + 13, far, far), Qt::AlignLeft | Qt::AlignTop, SizeText(*this));
        canvas.restore();
    }

    if (!TextBox())
        return;
    QFont font = ParentFont() ? this->font() : FontOf(Font(), this->font());
    if (CanvasPPI() > 0) {
        // The font's size is meant for a canvas of that many pixels per inch.
        const qreal points = font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : font.pointSizeF();
        font.setPixelSize(std::max(1, int(points * CanvasPPI() / 72.0 + 0.5)));
    }
    canvas.setFont(font);
    canvas.setPen(ParentFont() ? palette().color(QPalette::WindowText) : ColourOf(Font().color, palette()));
    int flags = Qt::TextWordWrap | Qt::AlignTop;
    switch (Alignment()) {
    case TAlignment::taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case TAlignment::taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case TAlignment::taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    canvas.drawText(textRect, flags, Lines().join(QLatin1Char('\n')));
}

void TRectBox::FitToCaption(QPainter &canvas)
{
    const QFontMetrics metrics(canvas.font());
    m_applyingGeometry = true;
    SetWidth(metrics.horizontalAdvance(Caption()));
    SetHeight(metrics.height());
    m_applyingGeometry = false;
    if (size() != QSize(ClampSize(Width()), ClampSize(Height())))
        QMetaObject::invokeMethod(this, [this] { ApplyGeometry(); }, Qt::QueuedConnection);
}

void TRectBox::Hover(QPoint pos)
{
    const HoverZone zone = HoverZoneAt(pos.x(), pos.y(), Width(), Height(), BoxSize());
    m_dragMode = zone.mode;
    if (zone.cursor != ZoneCursor::Unchanged)
        setCursor(ShapeOf(zone.cursor));
}

void TRectBox::DragStep(QPoint pos)
{
    if (m_pressPoint.x() < 0 || m_pressPoint.y() < 0)
        return;
    if (const std::optional<BoxBounds> bounds =
            DraggedBounds(m_dragMode, Bounds(), pos, m_pressPoint, Ratio(), Proportionate(), BoxSize())) {
        m_applyingGeometry = true;
        SetLeft(bounds->left);
        SetTop(bounds->top);
        SetWidth(bounds->width);
        SetHeight(bounds->height);
        m_applyingGeometry = false;
        ApplyGeometry();
        if (m_dragMode == DragMode::Move)
            update();
    }
    emit Resized(this);
}

void TRectBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    // The zone under the pointer as a hover there would have chosen it, so
    // that a press without a move before it acts on the right zone.
    Hover(pos);
    m_pressPoint = PressPointOf(pos);
    m_pressed = true;
    if (AutoForeGround())
        raise();
    ClearSlideFocus(this);
    SetFocus(true);
    update();
}

void TRectBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    const QPoint pos = event->position().toPoint();
    if (m_pressed && (event->buttons() & Qt::LeftButton))
        DragStep(pos);
    else
        Hover(pos);
    if (CanvasPPI() > 0) {
        SetAbWidth(Width() / CanvasPPI());
        SetAbHeight(Height() / CanvasPPI());
        SetAbLeft(Left() / CanvasPPI());
        SetAbTop(Top() / CanvasPPI());
    }
}

void TRectBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_pressPoint = QPoint(-1, -1);
    m_dragMode = DragMode::None;
    m_pressed = false;
    update();
    emit MouseUp(this);
}

void TRectBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit DblClick(this);
}

void TRectBox::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    if (!PopupMenu().isEmpty())
        emit ContextMenu(this, event->globalPos());
}

void ClearSlideFocus(TRectBox *box)
{
    if (!box)
        return;
    QWidget *parent = box->parentWidget();
    if (!parent) {
        box->SetFocus(false);
        return;
    }
    for (TRectBox *other : parent->findChildren<TRectBox *>(QString(), Qt::FindDirectChildrenOnly))
        other->SetFocus(false);
}

QColor ColourOf(TColor colour, const QPalette &palette)
{
    const auto value = uint32_t(colour);
    if ((value & 0xFF000000u) == 0x80000000u) {
        switch (value & 0xFFu) {
        case 5: // window
            return palette.color(QPalette::Base);
        case 8: // window text
            return palette.color(QPalette::Text);
        case 13: // highlight
            return palette.color(QPalette::Highlight);
        case 14: // highlighted text
            return palette.color(QPalette::HighlightedText);
        case 15: // button face
            return palette.color(QPalette::Button);
        case 16: // button shadow
            return palette.color(QPalette::Dark);
        case 18: // button text
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::WindowText);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

#pragma once

#include "project/RectBoxProperties.h"
#include "slides/RectBoxGeometry.h"

#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <functional>

class QPainter;

// One slide on the strip: a light child widget of the strip that carries
// every property of the slide box, paints its content, frame, handles and
// texts, and is moved and resized with the mouse. Its place on the strip is
// its Left, Top, Width and Height; setting them moves the widget.
class TRectBox : public QWidget, public RectBoxProperties
{
    Q_OBJECT

public:
    explicit TRectBox(QWidget *parent = nullptr);
    ~TRectBox() override;

    // OnPaint: draws the content into the content rectangle before the
    // frame is drawn over it.
    using PaintHandler = std::function<void(TRectBox *box, QPainter &canvas, const QRect &content)>;
    void SetOnPaint(PaintHandler handler) { m_onPaint = std::move(handler); }

    DragMode CurrentDragMode() const { return m_dragMode; }
    QPoint PressPoint() const { return m_pressPoint; }

    // The bounds as they stand in the properties.
    BoxBounds Bounds() const { return {Left(), Top(), Width(), Height()}; }
    // Puts the widget where the properties say (within the widget limits).
    void ApplyGeometry();

signals:
    // OnMouseUp, OnDblClick, OnResize; ContextMenu asks the box's pop-up
    // menu (its PopupMenu name) to open at a global position.
    void MouseUp(TRectBox *box);
    void DblClick(TRectBox *box);
    void Resized(TRectBox *box);
    void ContextMenu(TRectBox *box, const QPoint &globalPos);
    // A property changed (any of them, its place on the strip too).
    void PropertyChanged(TRectBox *box);

protected:
    void Changed(RectBoxChange change) override;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void Hover(QPoint pos);
    void DragStep(QPoint pos);
    void FitToCaption(QPainter &canvas);
    void PaintTexts(QPainter &canvas, int b, const QRect &textRect);

    PaintHandler m_onPaint;
    DragMode m_dragMode = DragMode::None;
    QPoint m_pressPoint{0, 0};
    bool m_pressed = false;
    bool m_applyingGeometry = false;
};

// Unfocuses every slide box beside the given one (the boxes of one owner),
// repainting those that were focused.
void ClearSlideFocus(TRectBox *box);

// A colour value (red in the lowest byte; system colours by their index) as
// the toolkit's colour.
QColor ColourOf(TColor colour, const QPalette &palette);

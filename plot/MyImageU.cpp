// MyImageU.cpp: the plotting image as a widget: drawing passed to its surface, painting, size, mouse and wheel.
#include "plot/MyImageU.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <QtMath>

#include "core/RunErrors.h"

namespace {

int ShiftBitsOf(Qt::KeyboardModifiers modifiers)
{
    int bits = 0;
    if (modifiers & Qt::ShiftModifier)
        bits |= ShiftKey;
    if (modifiers & Qt::ControlModifier)
        bits |= ControlKey;
    return bits;
}

// The pixel under the pointer: the one whose square holds the position.
QPoint PixelOf(QPointF position)
{
    return {qFloor(position.x()), qFloor(position.y())};
}

}  // namespace

// The image covers the parent's whole client area and follows it through an
// event filter on the parent's resize, so the owner needs no layout for it
// (and must not put it into one, which would fight the filter).
TMyImage2::TMyImage2(QWidget* ownerAndParent)
    : QWidget(ownerAndParent),
      OriginX(surface_.View().OriginX),
      OriginY(surface_.View().OriginY),
      Unit(surface_.View().Unit),
      Matrix(surface_.View().Matrix)
{
    // paintEvent covers every pixel from the surface; no background erase needed.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The path entry's rubber band follows the mouse without a button held.
    setMouseTracking(true);
    if (ownerAndParent) {
        setGeometry(ownerAndParent->rect());
        ownerAndParent->installEventFilter(this);
        // A child created after its parent is shown stays hidden unless shown.
        show();
    }
    surface_.SetDamageListener([this] { SchedulePaint(); });
    SetOrigin(width() / 2, height() / 2);
    SetUnit(60);
    SetFontSize(12);
    ResetMatrix();
}

TMyImage2::~TMyImage2() = default;

bool TMyImage2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(QRect(QPoint(0, 0), static_cast<QResizeEvent*>(event)->size()));
    return QWidget::eventFilter(watched, event);
}

// A hidden widget is resized without a resize event, so the size is passed on
// with every call; the surface takes it on when it next draws, as it always has.
RasterSurface& TMyImage2::Sized()
{
    surface_.SetSize(size());
    return surface_;
}

// ---- Painting -------------------------------------------------------------------

void TMyImage2::SchedulePaint()
{
    // The drawing calls of one handler collect their tiles; the update is
    // asked for once, after the handler, unless Repaint comes first.
    if (paintQueued_)
        return;
    paintQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            paintQueued_ = false;
            const QRegion region = surface_.TakePaintRegion();
            if (!region.isEmpty())
                update(region);
        },
        Qt::QueuedConnection);
}

void TMyImage2::Repaint()
{
    // Only the tiles that changed: a move redraws a small part of the picture.
    const QRegion region = surface_.TakePaintRegion();
    if (!region.isEmpty())
        repaint(region);
}

const QImage& TMyImage2::Surface() const
{
    return surface_.Image();
}

void TMyImage2::paintEvent(QPaintEvent* event)
{
    QPainter screen(this);
    // The surface is opaque RGB32, which Qt copies straight into the backing
    // stores of both the offscreen platform (RGB32) and X11 (premultiplied
    // ARGB32); replacing, not blending, says so.
    screen.setCompositionMode(QPainter::CompositionMode_Source);
    RasterSurface& surface = Sized();
    for (const QRect& rect : event->region())
        surface.PaintOnto(screen, rect);
}

void TMyImage2::resizeEvent(QResizeEvent* event)
{
    surface_.Resize(size());  // the surface always covers the widget, cleared to white
    QWidget::resizeEvent(event);
}

// ---- Passed on to the surface ---------------------------------------------------

void TMyImage2::SetPenColor(std::int32_t colour)
{
    surface_.SetPenColor(colour);
}

void TMyImage2::SetPenMode(std::uint8_t mode)
{
    surface_.SetPenMode(mode);
}

void TMyImage2::SetPenWidth(std::int32_t width)
{
    surface_.SetPenWidth(width);
}

void TMyImage2::SetFontSize(std::int32_t size)
{
    Sized().SetFontSize(size);
}

void TMyImage2::Clear(std::int32_t colour)
{
    Sized().Clear(colour);
}

void TMyImage2::ClearWhite()
{
    Clear(0xFFFFFF);
}

template <typename Change>
void TMyImage2::ChangeView(Change change)
{
    ViewTransform view = surface_.View();
    change(view);
    surface_.SetView(view);
}

void TMyImage2::SetOrigin(std::int32_t px, std::int32_t py)
{
    ChangeView([&](ViewTransform& view) { view.SetOrigin(px, py); });
}

void TMyImage2::ShiftOrigin(std::int32_t dx, std::int32_t dy)
{
    ChangeView([&](ViewTransform& view) { view.ShiftOrigin(dx, dy); });
}

void TMyImage2::SetUnit(std::int32_t unit)
{
    ChangeView([&](ViewTransform& view) { view.Unit = unit; });
}

void TMyImage2::SetMatrix(int row, int column, double value)
{
    if (row < 1 || row > 2 || column < 1 || column > 3)
        throw ERangeError();
    ChangeView([&](ViewTransform& view) { view.Matrix[row][column] = value; });
}

void TMyImage2::ResetMatrix()
{
    ChangeView([](ViewTransform& view) { view.ResetMatrix(); });
}

QPoint TMyImage2::WorldToPixel(double x, double y) const
{
    return surface_.WorldToPixel(x, y);
}

QPointF TMyImage2::PixelToWorld(std::int32_t px, std::int32_t py) const
{
    return surface_.PixelToWorld(px, py);
}

void TMyImage2::MoveTo(double x, double y)
{
    surface_.MoveTo(x, y);
}

void TMyImage2::LineTo(double x, double y)
{
    Sized().LineTo(x, y);
}

void TMyImage2::Polyline(std::span<const WorldPoint> points)
{
    Sized().Polyline(points);
}

void TMyImage2::Segment(double x1, double y1, double x2, double y2)
{
    Sized().Segment(x1, y1, x2, y2);
}

void TMyImage2::DrawSquare(std::uint8_t halfWidth, std::uint8_t halfHeight, double x, double y)
{
    Sized().DrawSquare(halfWidth, halfHeight, x, y);
}

void TMyImage2::DrawAxes(double left, double right, double bottom, double top)
{
    Sized().DrawAxes(left, right, bottom, top);
}

void TMyImage2::DrawGrid(double left, double right, double bottom, double top)
{
    Sized().DrawGrid(left, right, bottom, top);
}

void TMyImage2::DrawBackdrop(double left, double right, double bottom, double top,
                             std::int32_t gridColour, std::int32_t axesColour)
{
    Sized().DrawBackdrop(left, right, bottom, top, gridColour, axesColour);
}

// ---- Mouse and wheel ------------------------------------------------------------

void TMyImage2::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = PixelOf(event->position());
    emit MouseDown(event->button(), ShiftBitsOf(event->modifiers()), at.x(), at.y());
}

// Qt delivers a double click as press, release, double-click, release; the
// double-click event stands for the second press and carries the flag.
void TMyImage2::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint at = PixelOf(event->position());
    emit MouseDown(event->button(), ShiftBitsOf(event->modifiers()) | DoubleClick, at.x(), at.y());
}

void TMyImage2::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = PixelOf(event->position());
    emit MouseMove(ShiftBitsOf(event->modifiers()), at.x(), at.y());
}

void TMyImage2::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = PixelOf(event->position());
    emit MouseUp(event->button(), ShiftBitsOf(event->modifiers()), at.x(), at.y());
}

void TMyImage2::wheelEvent(QWheelEvent* event)
{
    std::int64_t eighths = event->angleDelta().y();
    if (eighths == 0) {
        event->ignore();  // a sideways wheel: not ours
        return;
    }
    // The way the wheel turned, whatever the system makes of it for scrolling.
    if (event->inverted())
        eighths = -eighths;
    // A notch is 120 eighths of a degree. Finer wheels send parts of one,
    // which add up here until they make whole notches.
    wheelEighths_ += eighths;
    const auto notches = static_cast<int>(wheelEighths_ / 120);
    wheelEighths_ -= std::int64_t{notches} * 120;
    if (notches != 0) {
        const QPoint at = PixelOf(event->position());
        emit Wheel(notches, at.x(), at.y());
    }
}

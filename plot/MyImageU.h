// MyImageU.h: the plotting image, a widget that shows a raster surface drawn on in world coordinates.
#pragma once

#include <cstdint>

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QWidget>

#include "plot/RasterSurface.h"
#include "game/ShiftBits.h"
#include "game/ViewTransform.h"

// Everything of the plotting image but the 3-D set-up: world x to the right,
// y upward, Unit pixels per world unit, the world origin drawn at
// (OriginX, OriginY). The drawing is the surface's (RasterSurface), the view
// its transform (ViewTransform); the widget passes calls on, follows its
// parent's size, copies the surface to the screen and turns mouse and wheel
// events into signals.
class TMyImage2 : public QWidget {
    Q_OBJECT

private:
    RasterSurface surface_;  // first: the view fields below refer into it

public:
    // The given widget becomes parent; the image fills it.
    explicit TMyImage2(QWidget* ownerAndParent);
    ~TMyImage2() override;

    // The view as set last, to read; the setters below change it, so that the
    // surface knows when a kept backdrop no longer fits.
    const std::int32_t& OriginX;
    const std::int32_t& OriginY;
    const std::int32_t& Unit;
    const double (&Matrix)[3][4];  // rows 1..2, columns 1..3

    void SetPenColor(std::int32_t colour);
    void SetPenMode(std::uint8_t mode);
    void SetPenWidth(std::int32_t width);
    void SetFontSize(std::int32_t size);
    void Clear(std::int32_t colour);
    void ClearWhite();
    void SetOrigin(std::int32_t px, std::int32_t py);
    void ShiftOrigin(std::int32_t dx, std::int32_t dy);  // EIntOverflow past 32 bits
    void SetUnit(std::int32_t unit);
    void SetMatrix(int row, int column, double value);  // row 1..2, column 1..3
    void ResetMatrix();

    QPoint WorldToPixel(double x, double y) const;  // ERangeError past 32 bits
    QPointF PixelToWorld(std::int32_t px, std::int32_t py) const;

    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Segment(double x1, double y1, double x2, double y2);
    void Polyline(std::span<const WorldPoint> points);  // MoveTo the first, LineTo the others
    void DrawSquare(std::uint8_t halfWidth, std::uint8_t halfHeight, double x, double y);
    void DrawAxes(double left, double right, double bottom, double top);
    void DrawGrid(double left, double right, double bottom, double top);

    // White, then the grid in one colour and the axes in another, over the
    // given world window, with the pen 1 wide: the same pixels and pen as
    // ClearWhite, SetPenWidth(1), SetPenColor(grid), DrawGrid,
    // SetPenColor(axes), DrawAxes. The result is kept and laid down again for
    // as long as nothing it was drawn from changes (window, origin, unit,
    // matrix, size, colours, XOR or copy), which costs only the parts that
    // were drawn over since.
    void DrawBackdrop(double left, double right, double bottom, double top,
                      std::int32_t gridColour, std::int32_t axesColour);

    // Shows what has been drawn at once.
    void Repaint();

    // The surface as drawn so far, and the pen and brush as set last.
    const QImage& Surface() const;
    std::int32_t PenColor() const { return surface_.PenColor(); }
    std::uint8_t PenModeValue() const { return surface_.PenModeValue(); }
    std::int32_t PenWidth() const { return surface_.PenWidth(); }
    std::int32_t BrushColor() const { return surface_.BrushColor(); }
    Qt::BrushStyle BrushStyle() const { return surface_.BrushStyle(); }
    std::int32_t FontSize() const { return surface_.FontSize(); }
    QPoint PenPosition() const { return surface_.PenPosition(); }

signals:
    // Button, modifier bits (ShiftBits) and pixel position on the image.
    void MouseDown(Qt::MouseButton button, int shift, int x, int y);
    void MouseMove(int shift, int x, int y);
    void MouseUp(Qt::MouseButton button, int shift, int x, int y);
    // Whole notches of the wheel, positive when turned away from the user,
    // and the pixel under the pointer.
    void Wheel(int notches, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    RasterSurface& Sized();  // the surface, told the widget's size
    template <typename Change>
    void ChangeView(Change change);
    bool eventFilter(QObject* watched, QEvent* event) override;  // follows the parent's size
    void SchedulePaint();  // one queued update() for a batch of changes

    bool paintQueued_ = false;
    std::int64_t wheelEighths_ = 0;  // turned since the last whole notch, in eighths of a degree
};

// The level of the image where a 3-D view set-up would go; the game draws in
// the plane only, and this class adds nothing.
class TMyImage3 : public TMyImage2 {
    Q_OBJECT
public:
    using TMyImage2::TMyImage2;
};

// The class the main window creates.
class TMyImage : public TMyImage3 {
    Q_OBJECT
public:
    using TMyImage3::TMyImage3;
};

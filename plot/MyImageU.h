// MyImageU.h: the plotting image, a widget that draws in world coordinates on a raster surface.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QImage>
#include <QLine>
#include <QPoint>
#include <QPointF>
#include <QRegion>
#include <QWidget>

// Modifier bits of a mouse event, as the handlers receive them.
enum ShiftBits : int { ShiftKey = 1, ControlKey = 4, DoubleClick = 64 };

// Pen modes of the surface.
enum PenMode : std::uint8_t { PenCopy = 4, PenXor = 14 };

// Colours are 24-bit 0x00BBGGRR values.
QColor ColourFromBgr(std::int32_t bgr);

// Everything of the plotting image but the 3-D set-up: world x to the right,
// y upward, Unit pixels per world unit, the world origin drawn at
// (OriginX, OriginY). The surface follows the widget's size; paintEvent only
// copies it.
class TMyImage2 : public QWidget {
    Q_OBJECT
public:
    // The given widget becomes parent; the image fills it.
    explicit TMyImage2(QWidget* ownerAndParent);
    ~TMyImage2() override;

    std::int32_t OriginX = 0;
    std::int32_t OriginY = 0;
    std::int32_t Unit = 60;
    double Matrix[3][4] = {};  // rows 1..2, columns 1..3

    void SetPenColor(std::int32_t colour);
    void SetPenMode(std::uint8_t mode);
    void SetPenWidth(std::int32_t width);
    void SetFontSize(std::int32_t size);
    void Clear(std::int32_t colour);
    void ClearWhite();
    void SetOrigin(std::int32_t px, std::int32_t py);
    void ShiftOrigin(std::int32_t dx, std::int32_t dy);  // EIntOverflow past 32 bits
    void SetUnit(std::int32_t unit);
    void ResetMatrix();

    QPoint WorldToPixel(double x, double y) const;  // ERangeError past 32 bits
    QPointF PixelToWorld(std::int32_t px, std::int32_t py) const;

    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Segment(double x1, double y1, double x2, double y2);
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
    std::int32_t PenColor() const { return penColour_; }
    std::uint8_t PenModeValue() const { return penMode_; }
    std::int32_t PenWidth() const { return penWidth_; }
    std::int32_t BrushColor() const { return brushColour_; }
    Qt::BrushStyle BrushStyle() const { return brushStyle_; }
    std::int32_t FontSize() const { return fontSize_; }
    QPoint PenPosition() const { return penPos_; }

signals:
    // Button, modifier bits (ShiftBits) and pixel position on the image.
    void MouseDown(Qt::MouseButton button, int shift, int x, int y);
    void MouseMove(int shift, int x, int y);
    void MouseUp(Qt::MouseButton button, int shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Everything a backdrop's pixels and the pen it leaves depend on.
    struct BackdropKey {
        QSize size;
        std::int32_t originX, originY, unit;
        std::array<double, 12> matrix;
        double left, right, bottom, top;
        std::int32_t gridColour, axesColour;
        bool xorMode;
        // Plain == on the doubles: a NaN never matches (and never draws), and
        // -0 and +0 give the same pixels.
        bool operator==(const BackdropKey&) const = default;
    };

    QImage& Canvas();  // the surface, created or resized to the widget on use
    void StrokeLine(QPoint from, QPoint to);
    void StrokeLines(const std::vector<QLine>& lines);  // all in the current pen, in any order
    void AddSegment(std::vector<QLine>& lines, double x1, double y1, double x2, double y2);
    bool eventFilter(QObject* watched, QEvent* event) override;  // follows the parent's size

    // Changes to the surface are kept per square tile: which tiles still have
    // to reach the screen, which differ from the backdrop, and which of the
    // backdrop's tiles have been copied aside.
    void ResetTiles();
    void Touch(const QRect& pixels);  // before drawing on pixels inside the surface
    void TouchAll();                  // after replacing every pixel
    void SchedulePaint();             // one queued update() for a batch of changes
    QRegion TakePaintRegion();        // the tiles to paint, handed over
    void LayBackdrop();               // the backdrop back where it was drawn over
    void CopyTiles(QImage& to, const QImage& from, int row, int firstColumn, int endColumn);

    QImage surface_;
    std::vector<std::uint8_t> tiles_;  // row by row, bits TileToPaint, TileDrawn, TileKept
    int tileColumns_ = 0;
    int tileRows_ = 0;
    bool paintQueued_ = false;
    // While backdropKey_ holds a key, the surface is that backdrop but for
    // the tiles marked drawn, whose backdrop pixels are kept in backdrop_.
    QImage backdrop_;
    std::optional<BackdropKey> backdropKey_;
    QPoint backdropPenPos_;
    std::int32_t penColour_ = 0;
    std::uint8_t penMode_ = PenCopy;
    std::int32_t penWidth_ = 1;
    std::int32_t brushColour_ = 0xFFFFFF;
    Qt::BrushStyle brushStyle_ = Qt::SolidPattern;
    std::int32_t fontSize_ = 0;
    QPoint penPos_;
};

// Carries a 3-D view set-up in the original design; nothing here uses it.
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

// RasterSurface.h: the picture's pixels, drawn on in world coordinates, with the kept backdrop and the tiles still to reach the screen.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include "plot/BackdropRows.h"
#include "game/ViewTransform.h"

class QPainter;

// Pen modes of the surface.
enum PenMode : std::uint8_t { PenCopy = 4, PenXor = 14 };

// Colours are 24-bit 0x00BBGGRR values.
QColor ColourFromBgr(std::int32_t bgr);

// An RGB32 image with a pen, drawn on through a view transform. Changes are
// kept per square tile, so that only what changed is painted again. The
// white-grid-axes backdrop is kept as rows (BackdropRows) and stands in for
// the pixels of every tile not drawn over since it was laid: laying it, and
// laying it again in the same view, copies no pixels into the image at all.
class RasterSurface {
public:
    RasterSurface();

    // The size the surface takes on when it is next drawn on or painted; a
    // new size gives a white surface, and no backdrop.
    void SetSize(QSize size) { wantedSize_ = size; }
    // The same, taken on at once.
    void Resize(QSize size);

    const ViewTransform& View() const { return view_; }
    // A change of view leaves the picture as it is; only a backdrop drawn in
    // the old view is not laid again.
    void SetView(const ViewTransform& view);
    QPoint WorldToPixel(double x, double y) const
    {
        const PixelPoint p = view_.WorldToPixel(x, y);
        return {p.X, p.Y};
    }
    QPointF PixelToWorld(std::int32_t px, std::int32_t py) const
    {
        const WorldPoint w = view_.PixelToWorld(px, py);
        return {w.X, w.Y};
    }

    void SetPenColor(std::int32_t colour) { penColour_ = colour; }
    void SetPenMode(std::uint8_t mode) { penMode_ = mode; }  // any mode but XOR draws as copy
    void SetPenWidth(std::int32_t width) { penWidth_ = width; }
    void SetFontSize(std::int32_t size);
    std::int32_t PenColor() const { return penColour_; }
    std::uint8_t PenModeValue() const { return penMode_; }
    std::int32_t PenWidth() const { return penWidth_; }
    std::int32_t BrushColor() const { return brushColour_; }
    Qt::BrushStyle BrushStyle() const { return brushStyle_; }
    std::int32_t FontSize() const { return fontSize_; }
    QPoint PenPosition() const { return penPos_; }

    void Clear(std::int32_t colour);
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Segment(double x1, double y1, double x2, double y2);
    // MoveTo the first point, then LineTo each of the others: the same
    // pixels and pen, in one stroke (a turning tail is hundreds of slanted lines).
    void Polyline(std::span<const WorldPoint> points);
    void DrawSquare(std::uint8_t halfWidth, std::uint8_t halfHeight, double x, double y);
    void DrawAxes(double left, double right, double bottom, double top);
    void DrawGrid(double left, double right, double bottom, double top);
    // The same pixels and pen as Clear(white), pen width 1, the grid in one
    // colour, the axes in the other. Laid again at no cost for as long as the
    // view, size, window, colours and XOR or copy stay the same.
    void DrawBackdrop(double left, double right, double bottom, double top,
                      std::int32_t gridColour, std::int32_t axesColour);

    // Every pixel as drawn so far (the backdrop's rows are copied into the
    // tiles that still lack them).
    const QImage& Image() const;
    // Called when tiles wait to be painted; TakePaintRegion hands them over.
    void SetDamageListener(std::function<void()> listener) { damageListener_ = std::move(listener); }
    QRegion TakePaintRegion();
    // Copies the pixels inside `area` to the same place on the painter.
    void PaintOnto(QPainter& painter, const QRect& area);

private:
    // What a backdrop was drawn from, besides the view and size.
    struct BackdropCall {
        double left, right, bottom, top;
        std::int32_t gridColour, axesColour;
        bool xorMode;
        // Plain == on the doubles: a NaN never matches (and never draws), and
        // -0 and +0 give the same pixels.
        bool operator==(const BackdropCall&) const = default;
    };

    QImage& Canvas();  // the image, at the wanted size
    void StrokeLines(std::span<const QLine> lines);  // all in the current pen, in any order
    void AddSegment(std::vector<QLine>& lines, double x1, double y1, double x2, double y2);
    template <typename Segments>
    void StrokeSegments(Segments segments);
    bool LayNewBackdrop(const BackdropCall& call);

    void Touch(const QRect& pixels);  // before drawing on pixels inside the surface
    void TouchAll();                  // after replacing every pixel
    void Damaged();
    QRect TileRect(int row, int column) const;

    ViewTransform view_;
    QSize wantedSize_;
    mutable QImage image_;
    // Row by row, bits TileToPaint, TileOwn and TileDrawn. Image() makes
    // tiles own their pixels, so these two are mutable.
    mutable std::vector<std::uint8_t> tiles_;
    int tileColumns_ = 0;
    int tileRows_ = 0;
    std::function<void()> damageListener_;
    // Kept from call to call, to spare allocations: StrokeLines's rectangles,
    // and the backdrop's lines and rectangles.
    std::vector<QRect> rects_;
    std::vector<QLine> slants_;
    std::vector<QLine> polyline_;
    std::vector<QLine> backdropLines_[2];
    std::vector<BackdropRows::Layer> backdropLayers_;

    // While laid_, the tiles not owning their pixels show backdrop_.
    BackdropRows backdrop_;
    bool laid_ = false;
    // What backdrop_ was drawn from, while it is good for the current view and size.
    std::optional<BackdropCall> backdropCall_;
    QPoint backdropPenPos_;

    std::int32_t penColour_ = 0;
    std::uint8_t penMode_ = PenCopy;
    std::int32_t penWidth_ = 1;
    std::int32_t brushColour_ = 0xFFFFFF;
    Qt::BrushStyle brushStyle_ = Qt::SolidPattern;
    std::int32_t fontSize_ = 0;
    QPoint penPos_;
};

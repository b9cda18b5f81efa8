// RasterSurface.cpp: lines, squares, grid and axes written straight into an RGB32 image, the tiles they change, and the backdrop under them.
#include "plot/RasterSurface.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include <QPainter>

#include "core/Checked.h"
#include "core/RunErrors.h"
#include "game/BackdropSegments.h"

namespace {

// Damage is kept in squares of this many pixels: small enough that a path
// covers few of them, large enough that the copies stay long runs.
constexpr int TileSize = 64;
constexpr std::uint8_t TileToPaint = 1;  // changed since last handed over for painting
constexpr std::uint8_t TileOwn = 2;      // the image holds the tile's pixels (else the laid backdrop does)
constexpr std::uint8_t TileDrawn = 4;    // drawn over since the backdrop was laid

// A backdrop of more lines than this is drawn line by line in batches: the
// rows would need every line at once, and a window of absurd size must not
// pile them up.
constexpr std::size_t MaxBackdropLines = std::size_t{1} << 16;

// How a line sets the pixels it covers.
struct Ink {
    QRgb colour;
    bool xorMode;
    std::int64_t width;  // at least 1
};

// Copy replaces the pixels; XOR combines the colour bits and leaves the
// surface's opaque alpha alone, so drawing twice gives the pixels back. Each
// is a type of its own so that the pixel loops carry no mode test.
struct CopyInk {
    QRgb colour;
    void operator()(QRgb& pixel) const { pixel = colour; }
};

struct XorInk {
    QRgb bits;
    void operator()(QRgb& pixel) const { pixel ^= bits; }
};

bool IsSlanted(const QLine& line)
{
    return line.x1() != line.x2() && line.y1() != line.y2();
}

// Pixels of an axis-parallel line, clipped to the surface; nothing when the
// line misses it. Across the line it is `width` pixels wide, centred on odd
// widths. Along it, copy mode covers both end pixels and a square cap of half
// the width beyond them, so a thick path is closed where it turns. XOR mode
// covers from the lower end up to, not including, the higher one: lines that
// meet end to end then never overlap (an overlap would be XORed twice and
// leave a hole), and a line drawn back over the far part of another removes
// exactly that part.
std::optional<QRect> RunRect(const QLine& line, const Ink& ink, QSize surface)
{
    const bool vertical = line.x1() == line.x2();
    const std::int64_t lo = ink.width / 2;
    const std::int64_t middle = vertical ? line.x1() : line.y1();
    const std::int64_t from = vertical ? std::min(line.y1(), line.y2()) : std::min(line.x1(), line.x2());
    const std::int64_t to = vertical ? std::max(line.y1(), line.y2()) : std::max(line.x1(), line.x2());
    const std::int64_t acrossFirst = middle - lo;
    const std::int64_t acrossLast = middle - lo + ink.width - 1;
    const std::int64_t alongFirst = ink.xorMode ? from : from - lo;
    const std::int64_t alongLast = ink.xorMode ? to - 1 : to - lo + ink.width - 1;
    const std::int64_t left = std::max<std::int64_t>(vertical ? acrossFirst : alongFirst, 0);
    const std::int64_t right = std::min<std::int64_t>(vertical ? acrossLast : alongLast, surface.width() - 1);
    const std::int64_t top = std::max<std::int64_t>(vertical ? alongFirst : acrossFirst, 0);
    const std::int64_t bottom = std::min<std::int64_t>(vertical ? alongLast : acrossLast, surface.height() - 1);
    if (left > right || top > bottom)
        return std::nullopt;
    return QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom)));
}

// The rows of a surface about to be drawn on: bits() is asked once (it
// detaches the image from any copy handed out).
class Rows {
public:
    explicit Rows(QImage& surface) : bits_(surface.bits()), bytesPerLine_(surface.bytesPerLine()) {}
    QRgb* operator[](int y) const { return reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_); }

private:
    uchar* bits_;
    qsizetype bytesPerLine_;
};

// The surface's pixel of a colour, as ColourFromBgr(bgr).rgb() gives it.
QRgb PixelOfColour(std::int32_t bgr)
{
    const auto bits = static_cast<std::uint32_t>(bgr);
    return qRgb(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

// Paints `count` pixels from `pixel` on.
template <typename Paint>
void PaintRun(QRgb* pixel, int count, Paint paint)
{
    // Blocks of a fixed size let the compiler use vector stores.
    constexpr int Block = 8;
    for (; count >= Block; count -= Block, pixel += Block)
        for (int i = 0; i < Block; ++i)
            paint(pixel[i]);
    for (; count > 0; --count, ++pixel)
        paint(*pixel);
}

// Rectangles that share their rows are painted row by row: a grid's vertical
// lines, painted one after another, would each touch every row of the
// surface, which costs far more than the pixels themselves.
template <typename Paint>
void PaintRects(QImage& surface, std::vector<QRect>& rects, Paint paint)
{
    const Rows rows(surface);
    if (rects.size() == 1) {
        // A line of a path: nothing to group.
        const QRect& rect = rects.front();
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            PaintRun(rows[y] + rect.left(), rect.width(), paint);
        return;
    }
    std::stable_sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) {
        return std::pair(a.top(), a.bottom()) < std::pair(b.top(), b.bottom());
    });
    std::vector<std::pair<int, int>> runs;  // left and length of each rectangle in a group
    std::vector<int> columns;                // the same when every one is a single column
    for (auto group = rects.begin(); group != rects.end();) {
        runs.clear();
        auto end = group;
        for (; end != rects.end() && end->top() == group->top() && end->bottom() == group->bottom(); ++end)
            runs.emplace_back(end->left(), end->width());
        const bool thin = std::all_of(runs.begin(), runs.end(), [](const auto& run) { return run.second == 1; });
        if (thin) {
            // One-pixel grid lines: the common case, worth a loop of its own.
            columns.clear();
            for (const auto& run : runs)
                columns.push_back(run.first);
            for (int y = group->top(); y <= group->bottom(); ++y) {
                QRgb* row = rows[y];
                for (const int x : columns)
                    paint(row[x]);
            }
        } else {
            for (int y = group->top(); y <= group->bottom(); ++y) {
                QRgb* row = rows[y];
                for (const auto& [left, length] : runs)
                    PaintRun(row + left, length, paint);
            }
        }
        group = end;
    }
}

void PaintRects(QImage& surface, std::vector<QRect>& rects, const Ink& ink)
{
    if (ink.xorMode)
        PaintRects(surface, rects, XorInk{ink.colour & 0x00FFFFFF});
    else
        PaintRects(surface, rects, CopyInk{ink.colour});
}

// Lines at a slant occur only while a tail turns in motion; Qt draws them,
// with caps that follow the same rule as the axis-parallel ones, all with
// one painter: a turning path is hundreds of them.
void PaintSlants(QImage& surface, std::span<const QLine> lines, const Ink& ink)
{
    if (lines.empty())
        return;
    QPainter painter(&surface);
    QPen pen{QColor(ink.colour)};
    pen.setWidth(int(ink.width));
    pen.setCapStyle(ink.xorMode ? Qt::FlatCap : Qt::SquareCap);
    painter.setPen(pen);
    painter.setCompositionMode(ink.xorMode ? QPainter::RasterOp_SourceXorDestination
                                           : QPainter::CompositionMode_Source);
    for (const QLine& line : lines)
        painter.drawLine(line);
}

// What a slanted line may have changed: its box widened by the pen on every
// side (the caps reach that far at most), clipped to the surface.
std::optional<QRect> SlantBox(const QLine& line, const Ink& ink, QSize surface)
{
    const std::int64_t left = std::max<std::int64_t>(std::int64_t{std::min(line.x1(), line.x2())} - ink.width, 0);
    const std::int64_t right =
        std::min<std::int64_t>(std::int64_t{std::max(line.x1(), line.x2())} + ink.width, surface.width() - 1);
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{std::min(line.y1(), line.y2())} - ink.width, 0);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{std::max(line.y1(), line.y2())} + ink.width, surface.height() - 1);
    if (left > right || top > bottom)
        return std::nullopt;
    return QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom)));
}

}  // namespace

QColor ColourFromBgr(std::int32_t bgr)
{
    const auto bits = static_cast<std::uint32_t>(bgr);
    return QColor(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

RasterSurface::RasterSurface() = default;

// ---- Size, view, tiles ------------------------------------------------------------

QImage& RasterSurface::Canvas()
{
    if (image_.size() != wantedSize_) {
        image_ = QImage(wantedSize_, QImage::Format_RGB32);
        image_.fill(Qt::white);
        tileColumns_ = (image_.width() + TileSize - 1) / TileSize;
        tileRows_ = (image_.height() + TileSize - 1) / TileSize;
        tiles_.assign(std::size_t(tileColumns_) * std::size_t(tileRows_), 0);
        backdrop_ = BackdropRows();
        backdropCall_.reset();
        TouchAll();
    }
    return image_;
}

void RasterSurface::Resize(QSize size)
{
    SetSize(size);
    Canvas();
}

void RasterSurface::SetView(const ViewTransform& view)
{
    if (view == view_)
        return;
    view_ = view;
    // The backdrop's rows stay: untouched tiles still show them until the
    // next backdrop replaces them, which then costs no copy aside.
    backdropCall_.reset();
}

QRect RasterSurface::TileRect(int row, int column) const
{
    return QRect(column * TileSize, row * TileSize, TileSize, TileSize) & image_.rect();
}

void RasterSurface::Damaged()
{
    if (damageListener_)
        damageListener_();
}

void RasterSurface::Touch(const QRect& pixels)
{
    const int firstColumn = pixels.left() / TileSize;
    const int lastColumn = pixels.right() / TileSize;
    for (int row = pixels.top() / TileSize; row <= pixels.bottom() / TileSize; ++row) {
        std::uint8_t* tile = tiles_.data() + std::size_t(row) * std::size_t(tileColumns_);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            // The backdrop's pixels go into the image a tile at a time, just
            // before the tile is first drawn over: most of it never is.
            if (laid_ && !(tile[column] & TileOwn)) {
                backdrop_.LayInto(image_, TileRect(row, column));
                tile[column] |= TileOwn;
            }
            tile[column] |= TileToPaint | TileDrawn;
        }
    }
    Damaged();
}

void RasterSurface::TouchAll()
{
    std::fill(tiles_.begin(), tiles_.end(), TileToPaint);
    laid_ = false;
    Damaged();
}

const QImage& RasterSurface::Image() const
{
    if (laid_) {
        for (int row = 0; row < tileRows_; ++row)
            for (int column = 0; column < tileColumns_; ++column) {
                std::uint8_t& tile = tiles_[std::size_t(row) * std::size_t(tileColumns_) + std::size_t(column)];
                if (!(tile & TileOwn)) {
                    backdrop_.LayInto(image_, TileRect(row, column));
                    tile |= TileOwn;
                }
            }
    }
    return image_;
}

QRegion RasterSurface::TakePaintRegion()
{
    // One rectangle per run of tiles in a row; a row whose runs are those of
    // the row above extends them downward instead. The rectangles come out
    // sorted and banded as QRegion::setRects wants them.
    std::vector<QRect> rects;
    std::size_t bandStart = 0;  // first rectangle of the row above
    for (int row = 0; row < tileRows_; ++row) {
        std::uint8_t* tile = tiles_.data() + std::size_t(row) * std::size_t(tileColumns_);
        const std::size_t rowStart = rects.size();
        const int top = row * TileSize;
        const int height = std::min(TileSize, image_.height() - top);
        for (int column = 0; column < tileColumns_;) {
            if (!(tile[column] & TileToPaint)) {
                ++column;
                continue;
            }
            const int first = column;
            for (; column < tileColumns_ && (tile[column] & TileToPaint); ++column)
                tile[column] &= std::uint8_t(~TileToPaint);
            const int left = first * TileSize;
            const int width = std::min(column * TileSize, image_.width()) - left;
            rects.emplace_back(left, top, width, height);
        }
        const std::size_t count = rects.size() - rowStart;
        const bool sameAsAbove =
            count > 0 && rowStart - bandStart == count && rects[bandStart].bottom() == top - 1 &&
            std::equal(rects.begin() + std::ptrdiff_t(bandStart), rects.begin() + std::ptrdiff_t(rowStart),
                       rects.begin() + std::ptrdiff_t(rowStart), [](const QRect& a, const QRect& b) {
                           return a.left() == b.left() && a.right() == b.right();
                       });
        if (sameAsAbove) {
            for (std::size_t i = bandStart; i < rowStart; ++i)
                rects[i].setBottom(top + height - 1);
            rects.resize(rowStart);
        } else {
            bandStart = rowStart;
        }
    }
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

void RasterSurface::PaintOnto(QPainter& painter, const QRect& area)
{
    const QRect clipped = area & Canvas().rect();
    if (clipped.isEmpty())
        return;
    if (!laid_) {
        painter.drawImage(clipped.topLeft(), image_, clipped);
        return;
    }
    const int firstRow = clipped.top() / TileSize;
    const int lastRow = clipped.bottom() / TileSize;
    const int firstColumn = clipped.left() / TileSize;
    const int lastColumn = clipped.right() / TileSize;
    int drawn = 0;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            drawn += bool(tiles_[std::size_t(row) * std::size_t(tileColumns_) + std::size_t(column)] & TileDrawn);
    // Mostly untouched, as after a change of view: the backdrop's rows over
    // all of it in few long calls, and the tiles drawn over on top of them.
    // Mostly drawn over, as the tiles a path redraws: each part copied once,
    // from the image or from the rows.
    const bool underAll = drawn * 4 <= (lastRow - firstRow + 1) * (lastColumn - firstColumn + 1);
    if (underAll)
        backdrop_.PaintOnto(painter, clipped);
    for (int row = firstRow; row <= lastRow; ++row) {
        const std::uint8_t* tile = tiles_.data() + std::size_t(row) * std::size_t(tileColumns_);
        for (int column = firstColumn; column <= lastColumn;) {
            const bool isDrawn = tile[column] & TileDrawn;
            const int first = column;
            while (column <= lastColumn && bool(tile[column] & TileDrawn) == isDrawn)
                ++column;
            const QRect part =
                clipped & QRect(first * TileSize, row * TileSize, (column - first) * TileSize, TileSize);
            if (isDrawn)
                painter.drawImage(part.topLeft(), image_, part);
            else if (!underAll)
                backdrop_.PaintOnto(painter, part);
        }
    }
}

// ---- Pen, clearing ------------------------------------------------------------------

void RasterSurface::SetFontSize(std::int32_t size)
{
    fontSize_ = size;  // no text is drawn; the size is only kept
    Canvas();          // first use of the surface creates it
}

void RasterSurface::Clear(std::int32_t colour)
{
    // The fill does not go through the brush, so brush and pen stay as set;
    // and it replaces every pixel whatever the pen mode.
    Canvas().fill(ColourFromBgr(colour));
    TouchAll();  // and no backdrop under it any more
}

// ---- Lines ----------------------------------------------------------------------------

void RasterSurface::StrokeLines(std::span<const QLine> lines)
{
    QImage& canvas = Canvas();
    if (canvas.isNull())
        return;  // a surface of no area has nothing to draw on
    // Width 0 and below draw one pixel wide.
    const Ink ink{PixelOfColour(penColour_), penMode_ == PenXor, std::max(penWidth_, 1)};
    // One colour and mode for all: copy gives the same pixels in any order,
    // and XOR does too, so the lines may be painted in whatever order is fastest.
    std::vector<QRect>& rects = rects_;
    rects.clear();
    std::vector<QLine>& slants = slants_;
    slants.clear();
    for (const QLine& line : lines) {
        // A line of no length leaves no mark: path entry draws such a line by
        // XOR after a commit that reached its target and must not leave a dot.
        if (line.p1() == line.p2())
            continue;
        if (!IsSlanted(line)) {
            if (const auto rect = RunRect(line, ink, canvas.size()))
                rects.push_back(*rect);
        } else if (const auto box = SlantBox(line, ink, canvas.size())) {
            // A line wholly off the surface changes nothing.
            Touch(*box);
            slants.push_back(line);
        }
    }
    for (const QRect& rect : rects)
        Touch(rect);
    PaintRects(canvas, rects, ink);
    PaintSlants(canvas, slants, ink);
}

// Collects what Segment would draw, and moves the pen as Segment does. A full
// batch is drawn at once, so that a window of absurd size cannot pile up lines.
void RasterSurface::AddSegment(std::vector<QLine>& lines, double x1, double y1, double x2, double y2)
{
    constexpr std::size_t BatchSize = 4096;
    penPos_ = WorldToPixel(x1, y1);
    const QPoint to = WorldToPixel(x2, y2);
    lines.emplace_back(penPos_, to);
    penPos_ = to;
    if (lines.size() == BatchSize) {
        StrokeLines(lines);
        lines.clear();
    }
}

// Draws what a segment generator gives (same pen, so the order does not
// matter). When a segment is refused, the ones before it are still drawn, as
// they would have been one by one.
template <typename Segments>
void RasterSurface::StrokeSegments(Segments segments)
{
    std::vector<QLine> lines;
    try {
        segments([&](double x1, double y1, double x2, double y2) {
            AddSegment(lines, x1, y1, x2, y2);
            return true;
        });
    } catch (const ERunError&) {
        StrokeLines(lines);
        throw;
    }
    StrokeLines(lines);
}

void RasterSurface::MoveTo(double x, double y)
{
    penPos_ = WorldToPixel(x, y);
}

void RasterSurface::LineTo(double x, double y)
{
    const QPoint to = WorldToPixel(x, y);
    const QLine line(penPos_, to);
    StrokeLines({&line, 1});
    penPos_ = to;
}

void RasterSurface::Polyline(std::span<const WorldPoint> points)
{
    if (points.empty())
        return;
    MoveTo(points.front().X, points.front().Y);
    std::vector<QLine>& lines = polyline_;
    lines.clear();
    try {
        for (const WorldPoint& p : points.subspan(1)) {
            const QPoint to = WorldToPixel(p.X, p.Y);
            lines.emplace_back(penPos_, to);
            penPos_ = to;
        }
    } catch (const ERunError&) {
        // As LineTo one at a time: the lines before the point beyond 32 bits stand.
        StrokeLines(lines);
        throw;
    }
    StrokeLines(lines);
}

void RasterSurface::Segment(double x1, double y1, double x2, double y2)
{
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void RasterSurface::DrawSquare(std::uint8_t halfWidth, std::uint8_t halfHeight, double x, double y)
{
    const QPoint centre = WorldToPixel(x, y);
    QImage& canvas = Canvas();
    // Clipped in 64 bits: the centre may lie at the edge of the 32-bit range.
    const std::int64_t left = std::max<std::int64_t>(std::int64_t{centre.x()} - halfWidth, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{centre.x()} + halfWidth, canvas.width() - 1);
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{centre.y()} - halfHeight, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{centre.y()} + halfHeight, canvas.height() - 1);
    if (left > right || top > bottom)
        return;
    // Plain pen colour, whatever the pen mode and width.
    const QRgb colour = PixelOfColour(penColour_);
    Touch(QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom))));
    const Rows rows(canvas);
    for (auto y = top; y <= bottom; ++y) {
        QRgb* row = rows[int(y)];
        std::fill(row + left, row + right + 1, colour);
    }
}

void RasterSurface::DrawAxes(double left, double right, double bottom, double top)
{
    StrokeSegments([&](auto add) { AxesSegments(left, right, bottom, top, add); });
}

void RasterSurface::DrawGrid(double left, double right, double bottom, double top)
{
    StrokeSegments([&](auto add) { GridSegments(left, right, bottom, top, add); });
}

// ---- Backdrop -------------------------------------------------------------------------

void RasterSurface::DrawBackdrop(double left, double right, double bottom, double top,
                                 std::int32_t gridColour, std::int32_t axesColour)
{
    const BackdropCall call{left, right, bottom, top, gridColour, axesColour, penMode_ == PenXor};
    Canvas();
    if (backdropCall_ == call) {
        // Laid again: the tiles drawn over since show the rows once more.
        bool changed = false;
        for (std::uint8_t& tile : tiles_)
            if (!laid_ || (tile & TileDrawn)) {
                tile = TileToPaint;
                changed = true;
            }
        laid_ = true;
        if (changed)
            Damaged();
    } else if (!LayNewBackdrop(call)) {
        // Drawn line by line. A refused segment leaves the picture as far as
        // it got, and no backdrop is kept.
        Clear(0xFFFFFF);
        SetPenWidth(1);
        SetPenColor(gridColour);
        DrawGrid(left, right, bottom, top);
        SetPenColor(axesColour);
        DrawAxes(left, right, bottom, top);
        return;
    }
    penWidth_ = 1;
    penColour_ = axesColour;
    penPos_ = backdropPenPos_;
}

// The rows stand for the drawing when every line of it is axis-parallel and
// there are not too many; otherwise, and when a segment is refused, nothing
// changes and the caller draws line by line.
bool RasterSurface::LayNewBackdrop(const BackdropCall& call)
{
    if (image_.isNull())
        return false;
    std::vector<QLine>* lines = backdropLines_;  // grid, axes
    lines[0].clear();
    lines[1].clear();
    std::vector<QLine>* into = &lines[0];
    QPoint pen = penPos_;
    const auto add = [&](double x1, double y1, double x2, double y2) {
        const QPoint from = WorldToPixel(x1, y1);
        pen = WorldToPixel(x2, y2);
        into->emplace_back(from, pen);
        return lines[0].size() + lines[1].size() <= MaxBackdropLines;
    };
    try {
        GridSegments(call.left, call.right, call.bottom, call.top, add);
        into = &lines[1];
        AxesSegments(call.left, call.right, call.bottom, call.top, add);
    } catch (const ERunError&) {
        return false;  // drawn line by line, the same segment is refused
    }
    if (lines[0].size() + lines[1].size() > MaxBackdropLines)
        return false;
    const std::int32_t colours[2] = {call.gridColour, call.axesColour};
    std::vector<BackdropRows::Layer>& layers = backdropLayers_;
    layers.resize(2);
    for (int i = 0; i < 2; ++i) {
        const Ink ink{PixelOfColour(colours[i]), call.xorMode, 1};
        BackdropRows::Layer& layer = layers[std::size_t(i)];
        layer.colour = ink.colour;
        layer.rects.clear();
        for (const QLine& line : lines[i]) {
            if (line.p1() == line.p2())
                continue;
            if (IsSlanted(line))
                return false;
            if (const auto rect = RunRect(line, ink, image_.size()))
                layer.rects.push_back(*rect);
        }
    }
    backdrop_.Build(image_.size(), layers, call.xorMode);
    std::fill(tiles_.begin(), tiles_.end(), TileToPaint);
    laid_ = true;
    backdropCall_ = call;
    backdropPenPos_ = pen;
    Damaged();
    return true;
}

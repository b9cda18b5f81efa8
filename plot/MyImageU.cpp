// MyImageU.cpp: the plotting image: world-to-pixel transform, pen state and drawing on a raster surface.
#include "plot/MyImageU.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QtMath>

#include "core/Checked.h"
#include "core/RunErrors.h"

namespace {

constexpr double MinPixel = std::numeric_limits<std::int32_t>::min();
constexpr double MaxPixel = std::numeric_limits<std::int32_t>::max();

// Damage is kept in squares of this many pixels: small enough that a path
// covers few of them, large enough that the copies stay long runs.
constexpr int TileSize = 64;
constexpr std::uint8_t TileToPaint = 1;  // changed since last handed to Qt for painting
constexpr std::uint8_t TileDrawn = 2;    // drawn over since the backdrop was laid
constexpr std::uint8_t TileKept = 4;     // the backdrop's pixels of this tile are in the copy

// Takes an integral double into 32 bits; NaN fails the comparison too.
std::int32_t FitInt32(double integral)
{
    if (!(integral >= MinPixel && integral <= MaxPixel))
        throw ERangeError();
    return static_cast<std::int32_t>(integral);
}

// Nearest integer with halves to even (the default rounding mode), so that a
// point exactly between two pixels does not always fall to the same side.
std::int32_t RoundToPixel(double value)
{
    return FitInt32(std::nearbyint(value));
}

// Grid and tick ranges start and end at the window edges truncated toward zero.
std::int32_t TruncEdge(double edge)
{
    return FitInt32(std::trunc(edge));
}

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
QPoint PixelOf(const QMouseEvent* event)
{
    const QPointF position = event->position();
    return {qFloor(position.x()), qFloor(position.y())};
}

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

QRgb* RowOf(QImage& surface, int y)
{
    return reinterpret_cast<QRgb*>(surface.bits() + y * surface.bytesPerLine());
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
                QRgb* row = RowOf(surface, y);
                for (const int x : columns)
                    paint(row[x]);
            }
        } else {
            for (int y = group->top(); y <= group->bottom(); ++y) {
                QRgb* row = RowOf(surface, y);
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

// Lines at a slant do not occur in the game's pictures; Qt draws them, with
// caps that follow the same rule as the axis-parallel ones.
void PaintSlant(QImage& surface, const QLine& line, const Ink& ink)
{
    QPainter painter(&surface);
    QPen pen{QColor(ink.colour)};
    pen.setWidth(int(ink.width));
    pen.setCapStyle(ink.xorMode ? Qt::FlatCap : Qt::SquareCap);
    painter.setPen(pen);
    painter.setCompositionMode(ink.xorMode ? QPainter::RasterOp_SourceXorDestination
                                           : QPainter::CompositionMode_Source);
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

// The image covers the parent's whole client area and follows it through an
// event filter on the parent's resize, so the owner needs no layout for it
// (and must not put it into one, which would fight the filter).
TMyImage2::TMyImage2(QWidget* ownerAndParent)
    : QWidget(ownerAndParent)
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

// ---- Surface ----------------------------------------------------------------------

QImage& TMyImage2::Canvas()
{
    if (surface_.size() != size()) {
        surface_ = QImage(size(), QImage::Format_RGB32);
        surface_.fill(Qt::white);
        ResetTiles();
        TouchAll();
    }
    return surface_;
}

void TMyImage2::ResetTiles()
{
    tileColumns_ = (surface_.width() + TileSize - 1) / TileSize;
    tileRows_ = (surface_.height() + TileSize - 1) / TileSize;
    tiles_.assign(std::size_t(tileColumns_) * std::size_t(tileRows_), 0);
}

void TMyImage2::Touch(const QRect& pixels)
{
    const int firstColumn = pixels.left() / TileSize;
    const int lastColumn = pixels.right() / TileSize;
    for (int row = pixels.top() / TileSize; row <= pixels.bottom() / TileSize; ++row) {
        std::uint8_t* tile = tiles_.data() + std::size_t(row) * std::size_t(tileColumns_);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            // The backdrop is copied a tile at a time, just before the tile
            // is first drawn over: most of it never is.
            if (backdropKey_ && !(tile[column] & TileKept)) {
                CopyTiles(backdrop_, surface_, row, column, column + 1);
                tile[column] |= TileKept;
            }
            tile[column] |= TileToPaint | TileDrawn;
        }
    }
    SchedulePaint();
}

void TMyImage2::TouchAll()
{
    std::fill(tiles_.begin(), tiles_.end(), TileToPaint);
    backdropKey_.reset();
    SchedulePaint();
}

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
            const QRegion region = TakePaintRegion();
            if (!region.isEmpty())
                update(region);
        },
        Qt::QueuedConnection);
}

QRegion TMyImage2::TakePaintRegion()
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
        const int height = std::min(TileSize, surface_.height() - top);
        for (int column = 0; column < tileColumns_;) {
            if (!(tile[column] & TileToPaint)) {
                ++column;
                continue;
            }
            const int first = column;
            for (; column < tileColumns_ && (tile[column] & TileToPaint); ++column)
                tile[column] &= std::uint8_t(~TileToPaint);
            const int left = first * TileSize;
            const int width = std::min(column * TileSize, surface_.width()) - left;
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

void TMyImage2::DrawBackdrop(double left, double right, double bottom, double top,
                             std::int32_t gridColour, std::int32_t axesColour)
{
    BackdropKey key{size(), OriginX, OriginY, Unit, {}, left, right, bottom, top,
                    gridColour, axesColour, penMode_ == PenXor};
    std::copy(&Matrix[0][0], &Matrix[0][0] + key.matrix.size(), key.matrix.begin());
    Canvas();
    if (backdropKey_ == key) {
        LayBackdrop();
        penWidth_ = 1;
        penColour_ = axesColour;
        penPos_ = backdropPenPos_;
        return;
    }
    // Drawn afresh. A refused segment leaves the picture as far as it got,
    // and no backdrop is kept.
    ClearWhite();
    SetPenWidth(1);
    SetPenColor(gridColour);
    DrawGrid(left, right, bottom, top);
    SetPenColor(axesColour);
    DrawAxes(left, right, bottom, top);
    if (surface_.isNull())
        return;
    // Only the buffer: tiles are copied into it as they are first drawn over.
    if (backdrop_.size() != surface_.size())
        backdrop_ = QImage(surface_.size(), surface_.format());
    for (std::uint8_t& tile : tiles_)
        tile &= TileToPaint;
    backdropKey_ = key;
    backdropPenPos_ = penPos_;
}

void TMyImage2::CopyTiles(QImage& to, const QImage& from, int row, int firstColumn, int endColumn)
{
    const auto bytesPerLine = std::size_t(surface_.bytesPerLine());
    const auto offset = std::size_t(firstColumn) * TileSize * sizeof(QRgb);
    const auto length =
        std::size_t(std::min(endColumn * TileSize, surface_.width()) - firstColumn * TileSize) * sizeof(QRgb);
    uchar* toBits = to.bits();
    const uchar* fromBits = from.constBits();
    const int bottom = std::min((row + 1) * TileSize, surface_.height());
    for (int y = row * TileSize; y < bottom; ++y)
        std::memcpy(toBits + std::size_t(y) * bytesPerLine + offset,
                    fromBits + std::size_t(y) * bytesPerLine + offset, length);
}

void TMyImage2::LayBackdrop()
{
    // Only what was drawn over since: a path covers a small part of the picture.
    for (int row = 0; row < tileRows_; ++row) {
        std::uint8_t* tile = tiles_.data() + std::size_t(row) * std::size_t(tileColumns_);
        for (int column = 0; column < tileColumns_;) {
            if (!(tile[column] & TileDrawn)) {
                ++column;
                continue;
            }
            const int first = column;
            for (; column < tileColumns_ && (tile[column] & TileDrawn); ++column)
                tile[column] = TileToPaint | TileKept;
            CopyTiles(surface_, backdrop_, row, first, column);
            SchedulePaint();
        }
    }
}

const QImage& TMyImage2::Surface() const
{
    return surface_;
}

void TMyImage2::Repaint()
{
    // Only the tiles that changed: a move redraws a small part of the picture.
    const QRegion region = TakePaintRegion();
    if (!region.isEmpty())
        repaint(region);
}

void TMyImage2::paintEvent(QPaintEvent* event)
{
    const QImage& canvas = Canvas();
    QPainter screen(this);
    for (const QRect& rect : event->region())
        screen.drawImage(rect, canvas, rect);
}

void TMyImage2::resizeEvent(QResizeEvent* event)
{
    Canvas();  // the surface always covers the widget, cleared to white
    QWidget::resizeEvent(event);
}

// ---- Pen, brush, font ---------------------------------------------------------

void TMyImage2::SetPenColor(std::int32_t colour)
{
    penColour_ = colour;
}

void TMyImage2::SetPenMode(std::uint8_t mode)
{
    penMode_ = mode;  // any mode but XOR draws as copy
}

void TMyImage2::SetPenWidth(std::int32_t width)
{
    penWidth_ = width;
}

void TMyImage2::SetFontSize(std::int32_t size)
{
    fontSize_ = size;  // no text is drawn; the size is only kept
    Canvas();          // first use of the surface creates it
}

void TMyImage2::Clear(std::int32_t colour)
{
    // The fill does not go through the brush, so brush and pen stay as set;
    // and it replaces every pixel whatever the pen mode.
    Canvas().fill(ColourFromBgr(colour));
    TouchAll();  // and no backdrop under it any more
}

void TMyImage2::ClearWhite()
{
    Clear(0xFFFFFF);
}

// ---- Transform ------------------------------------------------------------------

void TMyImage2::SetOrigin(std::int32_t px, std::int32_t py)
{
    OriginX = px;
    OriginY = py;
}

void TMyImage2::ShiftOrigin(std::int32_t dx, std::int32_t dy)
{
    // Both sums are checked before either is stored: a refused shift leaves
    // the origin where it was instead of half moved.
    const std::int32_t x = CheckedAdd(OriginX, dx);
    const std::int32_t y = CheckedAdd(OriginY, dy);
    OriginX = x;
    OriginY = y;
}

void TMyImage2::SetUnit(std::int32_t unit)
{
    Unit = unit;
}

void TMyImage2::ResetMatrix()
{
    for (auto& row : Matrix)
        std::fill(std::begin(row), std::end(row), 0.0);
    Matrix[1][1] = 1.0;
    Matrix[2][2] = 1.0;
}

QPoint TMyImage2::WorldToPixel(double x, double y) const
{
    const double u = Matrix[1][1] * x + Matrix[1][2] * y + Matrix[1][3];
    const double v = Matrix[2][1] * x + Matrix[2][2] * y + Matrix[2][3];
    return {RoundToPixel(Unit * u + OriginX), RoundToPixel(OriginY - Unit * v)};
}

QPointF TMyImage2::PixelToWorld(std::int32_t px, std::int32_t py) const
{
    const double det = Matrix[1][1] * Matrix[2][2] - Matrix[1][2] * Matrix[2][1];
    const double a = CheckedSub(px, OriginX) / static_cast<double>(Unit) - Matrix[1][3];
    const double b = CheckedSub(OriginY, py) / static_cast<double>(Unit) - Matrix[2][3];
    return {(Matrix[2][2] * a - Matrix[1][2] * b) / det, (Matrix[1][1] * b - Matrix[2][1] * a) / det};
}

// ---- Drawing --------------------------------------------------------------------

void TMyImage2::StrokeLine(QPoint from, QPoint to)
{
    StrokeLines({QLine(from, to)});
}

void TMyImage2::StrokeLines(const std::vector<QLine>& lines)
{
    QImage& canvas = Canvas();
    if (canvas.isNull())
        return;  // a widget of no area has nothing to draw on
    // Width 0 and below draw one pixel wide.
    const Ink ink{ColourFromBgr(penColour_).rgb(), penMode_ == PenXor, std::max(penWidth_, 1)};
    // One colour and mode for all: copy gives the same pixels in any order,
    // and XOR does too, so the lines may be painted in whatever order is fastest.
    std::vector<QRect> rects;
    for (const QLine& line : lines) {
        // A line of no length leaves no mark: path entry draws such a line by
        // XOR after a commit that reached its target and must not leave a dot.
        if (line.p1() == line.p2())
            continue;
        if (line.x1() == line.x2() || line.y1() == line.y2()) {
            if (const auto rect = RunRect(line, ink, canvas.size()))
                rects.push_back(*rect);
        } else {
            if (const auto box = SlantBox(line, ink, canvas.size()))
                Touch(*box);
            PaintSlant(canvas, line, ink);
        }
    }
    for (const QRect& rect : rects)
        Touch(rect);
    PaintRects(canvas, rects, ink);
}

// Collects what Segment would draw, and moves the pen as Segment does. A full
// batch is drawn at once, so that a window of absurd size cannot pile up lines.
void TMyImage2::AddSegment(std::vector<QLine>& lines, double x1, double y1, double x2, double y2)
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

void TMyImage2::MoveTo(double x, double y)
{
    penPos_ = WorldToPixel(x, y);
}

void TMyImage2::LineTo(double x, double y)
{
    const QPoint to = WorldToPixel(x, y);
    StrokeLine(penPos_, to);
    penPos_ = to;
}

void TMyImage2::Segment(double x1, double y1, double x2, double y2)
{
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void TMyImage2::DrawSquare(std::uint8_t halfWidth, std::uint8_t halfHeight, double x, double y)
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
    const QRgb colour = ColourFromBgr(penColour_).rgb();
    Touch(QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom))));
    for (auto y = top; y <= bottom; ++y) {
        QRgb* row = RowOf(canvas, int(y));
        std::fill(row + left, row + right + 1, colour);
    }
}

// Grid and axes collect their segments and draw them as one batch (same pen,
// so the order does not matter). When a segment is refused, the ones before
// it are still drawn, as they would have been one by one.
void TMyImage2::DrawAxes(double left, double right, double bottom, double top)
{
    std::vector<QLine> lines;
    try {
        if (bottom <= 0 && top >= 0) {
            AddSegment(lines, left, 0, right, 0);
            // 64-bit counters: a range ending at the 32-bit maximum must still end.
            const std::int64_t first = TruncEdge(left);
            const std::int64_t last = TruncEdge(right);
            for (std::int64_t k = first; k <= last; ++k)
                AddSegment(lines, double(k), -0.05, double(k), 0.05);
        }
        if (left <= 0 && right >= 0) {
            AddSegment(lines, 0, bottom, 0, top);
            const std::int64_t first = TruncEdge(bottom);
            const std::int64_t last = TruncEdge(top);
            for (std::int64_t k = first; k <= last; ++k)
                AddSegment(lines, -0.05, double(k), 0.05, double(k));
        }
    } catch (const ERunError&) {
        StrokeLines(lines);
        throw;
    }
    StrokeLines(lines);
}

void TMyImage2::DrawGrid(double left, double right, double bottom, double top)
{
    std::vector<QLine> lines;
    try {
        const std::int64_t firstColumn = TruncEdge(left);
        const std::int64_t lastColumn = TruncEdge(right);
        for (std::int64_t k = firstColumn; k <= lastColumn; ++k)
            AddSegment(lines, double(k), bottom, double(k), top);
        const std::int64_t firstRow = TruncEdge(bottom);
        const std::int64_t lastRow = TruncEdge(top);
        for (std::int64_t k = firstRow; k <= lastRow; ++k)
            AddSegment(lines, left, double(k), right, double(k));
    } catch (const ERunError&) {
        StrokeLines(lines);
        throw;
    }
    StrokeLines(lines);
}

// ---- Mouse ----------------------------------------------------------------------

void TMyImage2::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = PixelOf(event);
    emit MouseDown(event->button(), ShiftBitsOf(event->modifiers()), at.x(), at.y());
}

// Qt delivers a double click as press, release, double-click, release; the
// double-click event stands for the second press and carries the flag.
void TMyImage2::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint at = PixelOf(event);
    emit MouseDown(event->button(), ShiftBitsOf(event->modifiers()) | DoubleClick, at.x(), at.y());
}

void TMyImage2::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = PixelOf(event);
    emit MouseMove(ShiftBitsOf(event->modifiers()), at.x(), at.y());
}

void TMyImage2::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = PixelOf(event);
    emit MouseUp(event->button(), ShiftBitsOf(event->modifiers()), at.x(), at.y());
}

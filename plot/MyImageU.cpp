// MyImageU.cpp: the plotting image: world-to-pixel transform, pen state and drawing on a raster surface.
#include "plot/MyImageU.h"

#include <algorithm>
#include <cmath>
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
    }
    return surface_;
}

void TMyImage2::MarkDirty()
{
    // A pending update() already covers the whole widget; asking again per
    // line would only add work.
    if (!updatePending_) {
        updatePending_ = true;
        update();
    }
}

const QImage& TMyImage2::Surface() const
{
    return surface_;
}

void TMyImage2::Repaint()
{
    repaint();
}

void TMyImage2::paintEvent(QPaintEvent* event)
{
    updatePending_ = false;
    const QImage& canvas = Canvas();
    QPainter screen(this);
    screen.drawImage(event->rect(), canvas, event->rect());
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
    MarkDirty();
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
            PaintSlant(canvas, line, ink);
        }
    }
    PaintRects(canvas, rects, ink);
    MarkDirty();
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
    for (auto y = top; y <= bottom; ++y) {
        QRgb* row = RowOf(canvas, int(y));
        std::fill(row + left, row + right + 1, colour);
    }
    MarkDirty();
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

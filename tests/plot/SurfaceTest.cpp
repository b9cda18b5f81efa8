// SurfaceTest.cpp: the surface without a widget: the backdrop kept as rows against drawing it line by line, over many random views.
#include <cmath>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

#include <QPainter>

#include <gtest/gtest.h>

#include "core/RunErrors.h"
#include "plot/RasterSurface.h"

namespace {

struct Scene {
    QSize size;
    ViewTransform view;
    std::uint8_t mode;
    double left, right, bottom, top;
    std::int32_t grid, axes;
};

// Views of every kind the image can be given: sizes cut short of whole tiles,
// origins off the picture, units from 1 up, matrices that flip, swap,
// stretch, shift or slant, windows inside, around and beside the view, and
// colours that coincide.
Scene RandomScene(std::mt19937& random)
{
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Scene s;
    s.size = QSize(pick(1, 200), pick(1, 150));
    s.view.SetOrigin(pick(-40, s.size.width() + 40), pick(-40, s.size.height() + 40));
    s.view.Unit = pick(0, 3) == 0 ? pick(1, 3) : pick(1, 70);
    const double entries[] = {0, 0, 0.5, -1, 2, 0.25, 1.5};
    switch (pick(0, 5)) {
    case 0:  // swapped axes
        s.view.Matrix[1][1] = 0;
        s.view.Matrix[1][2] = entries[pick(3, 6)];
        s.view.Matrix[2][1] = entries[pick(3, 6)];
        s.view.Matrix[2][2] = 0;
        break;
    case 1:  // stretched or flipped
        s.view.Matrix[1][1] = entries[pick(2, 6)];
        s.view.Matrix[2][2] = entries[pick(2, 6)];
        break;
    case 2:  // slanted: drawn line by line
        s.view.Matrix[1][2] = entries[pick(2, 6)];
        break;
    default:
        break;
    }
    s.view.Matrix[1][3] = entries[pick(0, 5)];
    s.view.Matrix[2][3] = entries[pick(0, 5)];
    s.mode = pick(0, 1) ? PenXor : PenCopy;
    const WorldPoint topLeft = s.view.PixelToWorld(0, 0);
    const WorldPoint bottomRight = s.view.PixelToWorld(s.size.width(), s.size.height());
    const auto around = [&](double a, double b) {
        return std::uniform_real_distribution<double>(std::min(a, b) - 3, std::max(a, b) + 3)(random);
    };
    if (pick(0, 1)) {
        s.left = topLeft.X, s.right = bottomRight.X, s.bottom = bottomRight.Y, s.top = topLeft.Y;
    } else {
        s.left = around(topLeft.X, bottomRight.X);
        s.right = around(topLeft.X, bottomRight.X);
        s.bottom = around(topLeft.Y, bottomRight.Y);
        s.top = around(topLeft.Y, bottomRight.Y);
    }
    const std::int32_t colours[] = {0xC0C0C0, 0x808080, 0xFFFFFF, 0x000000, 0x3F3FC0};
    s.grid = pick(0, 1) ? colours[pick(0, 4)] : pick(0, 0xFFFFFF);
    s.axes = pick(0, 1) ? colours[pick(0, 4)] : s.grid;
    return s;
}

RasterSurface SurfaceFor(const Scene& s)
{
    RasterSurface surface;
    surface.SetSize(s.size);
    surface.SetView(s.view);
    surface.SetPenMode(s.mode);
    surface.SetPenColor(0x123456);
    surface.SetPenWidth(4);
    return surface;
}

// The calls a backdrop stands for, one by one.
RasterSurface DrawnLineByLine(const Scene& s)
{
    RasterSurface surface = SurfaceFor(s);
    surface.Clear(0xFFFFFF);
    surface.SetPenWidth(1);
    surface.SetPenColor(s.grid);
    surface.DrawGrid(s.left, s.right, s.bottom, s.top);
    surface.SetPenColor(s.axes);
    surface.DrawAxes(s.left, s.right, s.bottom, s.top);
    return surface;
}

// What a painter is given, the area painted in random pieces.
QImage Painted(RasterSurface& surface, std::mt19937& random)
{
    const QSize size = surface.Image().size();
    QImage painted(size, QImage::Format_RGB32);
    painted.fill(Qt::black);
    QPainter painter(&painted);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int top = 0, height = 0; top < size.height(); top += height) {
        height = std::uniform_int_distribution<int>(1, 90)(random);
        for (int left = 0, width = 0; left < size.width(); left += width) {
            width = std::uniform_int_distribution<int>(1, 150)(random);
            surface.PaintOnto(painter, QRect(left, top, width, height));
        }
    }
    return painted;
}

TEST(SurfaceTest, BackdropIsThePictureDrawnLineByLineInEveryView)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 400; ++round) {
        const Scene s = RandomScene(random);
        const RasterSurface expected = DrawnLineByLine(s);
        RasterSurface surface = SurfaceFor(s);
        surface.DrawBackdrop(s.left, s.right, s.bottom, s.top, s.grid, s.axes);
        ASSERT_EQ(surface.Image(), expected.Image()) << "round " << round;
        ASSERT_EQ(surface.PenPosition(), expected.PenPosition()) << "round " << round;
        ASSERT_EQ(Painted(surface, random), surface.Image()) << "round " << round;

        // Drawn over, laid again, and shown: the drawing is gone everywhere.
        surface.SetPenWidth(3);
        surface.Segment(0, 0, 2, 0);
        surface.LineTo(2, 3);
        surface.DrawSquare(5, 5, 1, 1);
        const QImage drawnOver = surface.Image().copy();
        ASSERT_EQ(Painted(surface, random), drawnOver) << "round " << round;
        surface.DrawBackdrop(s.left, s.right, s.bottom, s.top, s.grid, s.axes);
        ASSERT_EQ(Painted(surface, random), expected.Image()) << "round " << round;
        ASSERT_EQ(surface.Image(), expected.Image()) << "round " << round;
    }
}

TEST(SurfaceTest, AChangeOfViewKeepsThePictureUntilTheNextBackdrop)
{
    std::mt19937 random(7);
    Scene s = RandomScene(random);
    s.view.ResetMatrix();
    RasterSurface surface = SurfaceFor(s);
    surface.DrawBackdrop(s.left, s.right, s.bottom, s.top, s.grid, s.axes);
    const QImage before = DrawnLineByLine(s).Image();

    ViewTransform moved = s.view;
    moved.ShiftOrigin(1, 1);
    surface.SetView(moved);
    EXPECT_EQ(Painted(surface, random), before);
    surface.DrawSquare(0, 0, 0, 0);  // drawn over the old picture
    QImage expected = before.copy();
    const QPoint at = surface.WorldToPixel(0, 0);
    if (expected.valid(at))
        expected.setPixel(at, ColourFromBgr(surface.PenColor()).rgb());
    EXPECT_EQ(surface.Image(), expected);

    s.view = moved;
    surface.DrawBackdrop(s.left, s.right, s.bottom, s.top, s.grid, s.axes);
    EXPECT_EQ(surface.Image(), DrawnLineByLine(s).Image());
}

// A path handed over whole draws what its segments drawn one after the other
// draw, slanted ones (a tail in motion) and ones off the picture included.
TEST(SurfaceTest, APolylineIsItsSegmentsDrawnInTurn)
{
    std::mt19937 random(1208);
    std::uniform_real_distribution<double> coordinate(-8, 8);
    for (int round = 0; round < 200; ++round) {
        const Scene s = RandomScene(random);
        std::vector<WorldPoint> points(std::uniform_int_distribution<int>(1, 40)(random));
        for (WorldPoint& p : points)
            p = random() % 2 ? WorldPoint{std::round(coordinate(random)), std::round(coordinate(random))}
                             : WorldPoint{coordinate(random), coordinate(random)};
        RasterSurface whole = SurfaceFor(s);
        RasterSurface inTurn = SurfaceFor(s);
        whole.Clear(0xFFFFFF);
        inTurn.Clear(0xFFFFFF);
        whole.Polyline(points);
        inTurn.MoveTo(points.front().X, points.front().Y);
        for (const WorldPoint& p : std::span(points).subspan(1))
            inTurn.LineTo(p.X, p.Y);
        ASSERT_EQ(whole.Image(), inTurn.Image()) << "round " << round;
        ASSERT_EQ(whole.PenPosition(), inTurn.PenPosition()) << "round " << round;
    }
}

}  // namespace

// DrawingTest.cpp: lines, XOR, markers, clearing, grid and axes, checked pixel by pixel on the surface.
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "core/RunErrors.h"
#include "plot/ImageFixture.h"

namespace {

using plottest::Block;
using plottest::ImageTest;
using plottest::PixelSet;
using plottest::PixelsOf;
using plottest::Rgb;
using plottest::Union;

constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Red = 0x0000FF;
constexpr std::uint32_t Grid = 0xC0C0C0;
constexpr std::uint32_t Axes = 0x808080;

TEST(ColourFromBgrTest, LowByteIsRed)
{
    EXPECT_EQ(ColourFromBgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColourFromBgr(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ColourFromBgr(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ColourFromBgr(12632127), QColor(63, 192, 192));
}

// ---- Lines ------------------------------------------------------------------------

using LineTest = ImageTest;

TEST_F(LineTest, ThinLineCoversBothEndsAndNothingElse)
{
    PixelWorld();
    image_->SetPenColor(Red);
    image_->Segment(10, -20, 30, -20);
    EXPECT_EQ(Drawn(Red), Block(10, 20, 30, 20));

    image_->ClearWhite();
    image_->Segment(5, -30, 5, -10);  // drawn upward
    EXPECT_EQ(Drawn(Red), Block(5, 10, 5, 30));

    image_->ClearWhite();
    image_->SetPenWidth(0);  // as thin as width 1
    image_->Segment(12, -20, 30, -20);
    EXPECT_EQ(Drawn(Red), Block(12, 20, 30, 20));
    image_->SetPenWidth(1);

    image_->ClearWhite();
    image_->Segment(0, 0, 10, -5);
    const PixelSet diagonal = Drawn(Red);
    EXPECT_EQ(diagonal.size(), 11u);  // one pixel per column
    EXPECT_TRUE(diagonal.count({0, 0}));
    EXPECT_TRUE(diagonal.count({10, 5}));
}

TEST_F(LineTest, ThickPathIsClosedWhereItTurns)
{
    PixelWorld();
    image_->SetPenColor(Red);
    image_->SetPenWidth(3);
    image_->MoveTo(10, -20);
    image_->LineTo(30, -20);
    image_->LineTo(30, -40);
    EXPECT_EQ(Drawn(Red), Union(Block(9, 19, 31, 21), Block(29, 19, 31, 41)));
}

TEST_F(LineTest, ThickLinesInBothModes)
{
    PixelWorld();
    image_->SetPenColor(Red);
    image_->SetPenWidth(3);
    image_->Segment(40, -30, 40, -10);  // copy: both end pixels and a cap beyond
    EXPECT_EQ(Drawn(Red), Block(39, 9, 41, 31));

    image_->ClearWhite();
    image_->SetPenMode(PenXor);
    image_->SetPenColor(0xFFFFFF);  // white XOR white gives black
    image_->Segment(40, -30, 40, -10);  // XOR: from the lower end, short of the higher
    image_->Segment(10, -50, 30, -50);
    EXPECT_EQ(Drawn(0), Union(Block(39, 10, 41, 29), Block(10, 49, 29, 51)));
}

TEST_F(LineTest, PenPositionFollowsMoveAndLine)
{
    image_->SetOrigin(100, 100);
    image_->SetUnit(10);
    image_->MoveTo(1, 1);
    EXPECT_EQ(image_->PenPosition(), QPoint(110, 90));
    EXPECT_TRUE(PixelsOf(image_->Surface(), Rgb(0)).empty());  // a move draws nothing

    image_->LineTo(3, 1);
    EXPECT_EQ(image_->PenPosition(), QPoint(130, 90));
    EXPECT_EQ(Drawn(0), Block(110, 90, 130, 90));  // from where the pen stood

    image_->Segment(-1, -1, -1, -2);
    EXPECT_EQ(image_->PenPosition(), QPoint(90, 120));
}

TEST_F(LineTest, LineOfNoLengthLeavesNoMark)
{
    PixelWorld();
    image_->SetPenColor(Red);
    for (std::int32_t width : {1, 3}) {
        for (std::uint8_t mode : {PenCopy, PenXor}) {
            image_->SetPenWidth(width);
            image_->SetPenMode(mode);
            image_->Segment(40, -40, 40, -40);
            image_->Segment(50.2, -50, 49.8, -50);  // both ends round to one pixel
            EXPECT_EQ(PixelsOf(image_->Surface(), Rgb(White)).size(), 300u * 200u)
                << "width " << width << " mode " << int(mode);
            EXPECT_EQ(image_->PenPosition(), QPoint(50, 50));
        }
    }
}

TEST_F(LineTest, DrawingKeepsThePen)
{
    image_->SetPenColor(0x123456);
    image_->SetPenMode(PenXor);
    image_->SetPenWidth(3);
    image_->SetFontSize(20);
    image_->Segment(0, 0, 1, 1);
    image_->LineTo(-1, 1);
    image_->DrawSquare(3, 3, 0, 0);
    image_->DrawGrid(-2, 2, -1, 1);
    image_->DrawAxes(-2, 2, -1, 1);
    image_->Clear(0x00FF00);
    EXPECT_EQ(image_->PenColor(), 0x123456);
    EXPECT_EQ(image_->PenModeValue(), PenXor);
    EXPECT_EQ(image_->PenWidth(), 3);
    EXPECT_EQ(image_->FontSize(), 20);
}

TEST_F(LineTest, CopyTakenEarlierDoesNotChange)
{
    PixelWorld();
    image_->Segment(0, -1, 10, -1);
    const QImage before = image_->Surface();
    image_->SetPenColor(Red);
    image_->Segment(0, -5, 10, -5);
    image_->DrawSquare(1, 1, 20, -20);
    EXPECT_TRUE(PixelsOf(before, Rgb(Red)).empty());
    EXPECT_EQ(Drawn(Red).size(), 11u + 9u);
}

// ---- XOR --------------------------------------------------------------------------

class XorTest : public ImageTest {
protected:
    // A picture that is not one colour, so that an XOR that misses or hits a
    // pixel twice shows.
    void DrawBackground()
    {
        image_->ClearWhite();
        image_->SetPenMode(PenCopy);
        image_->SetPenWidth(1);
        image_->SetOrigin(150, 100);
        image_->SetUnit(10);
        image_->SetPenColor(Grid);
        image_->DrawGrid(-15, 15, -10, 10);
        image_->SetPenColor(Axes);
        image_->DrawAxes(-15, 15, -10, 10);
        image_->SetPenColor(0x3F3FC0);
        image_->SetPenMode(PenXor);
    }
};

TEST_F(XorTest, CombinesPenAndPixelByExclusiveOr)
{
    DrawBackground();
    image_->SetPenColor(0x0F00F0);
    image_->Segment(-10, 0.5, 10, 0.5);  // row 95: white and grid columns
    const QImage& surface = image_->Surface();
    EXPECT_EQ(surface.pixel(101, 95), Rgb(0xFFFFFF ^ 0x0F00F0));
    EXPECT_EQ(surface.pixel(100, 95), Rgb(0xC0C0C0 ^ 0x0F00F0));  // grid line x = -5
    EXPECT_EQ(surface.pixel(150, 95), Rgb(0x808080 ^ 0x0F00F0));  // y axis
}

TEST_F(XorTest, LineDrawnTwiceRestoresThePicture)
{
    DrawBackground();
    const QImage original = image_->Surface().copy();
    for (std::int32_t width : {1, 2, 3, 5}) {
        image_->SetPenWidth(width);
        image_->Segment(-7, -3, 8, 5);
        image_->Segment(-7, 2, 6, 2);
        EXPECT_NE(image_->Surface(), original) << "width " << width;
        image_->Segment(-7, -3, 8, 5);
        image_->Segment(-7, 2, 6, 2);
        EXPECT_EQ(image_->Surface(), original) << "width " << width;
    }
}

// Path entry draws its segments end to end by XOR and removes the far part of
// a band that was cut short by drawing back over it; both must come out as if
// the resulting segment had been drawn once.
TEST_F(XorTest, SegmentsEndToEndLeaveNoHole)
{
    for (std::int32_t width : {1, 3}) {
        DrawBackground();
        image_->SetPenWidth(width);
        image_->Segment(-10, 2, -4, 2);
        image_->Segment(-4, 2, 5, 2);
        image_->Segment(5, 2, 5, -6);
        const QImage joined = image_->Surface().copy();

        DrawBackground();
        image_->SetPenWidth(width);
        image_->Segment(-10, 2, 5, 2);
        image_->Segment(5, 2, 5, -6);
        EXPECT_EQ(image_->Surface(), joined) << "width " << width;
    }
}

TEST_F(XorTest, DrawingBackRemovesTheFarPartOfAThickBand)
{
    for (double far : {8.0, -8.0}) {
        DrawBackground();
        image_->SetPenWidth(3);
        image_->Segment(0, 0, 0, far);   // the band
        image_->LineTo(0, far / 4);      // cut back to where the path stopped
        const QImage cut = image_->Surface().copy();

        DrawBackground();
        image_->SetPenWidth(3);
        image_->Segment(0, 0, 0, far / 4);
        EXPECT_EQ(image_->Surface(), cut) << "towards " << far;
    }
}

// ---- Markers and clearing ---------------------------------------------------------

using SquareTest = ImageTest;

TEST_F(SquareTest, SetsABlockCentredOnThePoint)
{
    PixelWorld();
    image_->SetPenColor(Red);
    image_->DrawSquare(3, 3, 50, -60);
    EXPECT_EQ(Drawn(Red), Block(47, 57, 53, 63));

    image_->ClearWhite();
    image_->DrawSquare(0, 0, 50, -60);
    EXPECT_EQ(Drawn(Red), Block(50, 60, 50, 60));

    image_->ClearWhite();
    image_->DrawSquare(2, 1, 50, -60);
    EXPECT_EQ(Drawn(Red), Block(48, 59, 52, 61));
}

TEST_F(SquareTest, IgnoresPenModeAndWidth)
{
    PixelWorld();
    image_->Clear(0x404040);
    image_->SetPenColor(0x00FF00);
    image_->SetPenMode(PenXor);
    image_->SetPenWidth(5);
    image_->DrawSquare(3, 3, 50, -60);
    EXPECT_EQ(Drawn(0x00FF00), Block(47, 57, 53, 63));
}

TEST_F(SquareTest, IsClippedToTheSurface)
{
    PixelWorld();
    image_->SetPenColor(Red);
    image_->DrawSquare(3, 3, 1, -1);
    image_->DrawSquare(3, 3, 298, -198);
    EXPECT_EQ(Drawn(Red), Union(Block(0, 0, 4, 4), Block(295, 195, 299, 199)));

    image_->ClearWhite();
    image_->DrawSquare(255, 255, -300, 300);
    image_->SetOrigin(std::numeric_limits<std::int32_t>::max() - 1, 0);
    image_->DrawSquare(255, 255, 0, 0);
    EXPECT_TRUE(Drawn(Red).empty());
}

using ClearTest = ImageTest;

TEST_F(ClearTest, FillsEverythingAndKeepsBrushAndPen)
{
    image_->SetPenColor(Red);
    image_->SetPenWidth(3);
    image_->Segment(-1, -1, 1, 1);
    image_->Clear(0x123456);
    EXPECT_EQ(Drawn(0x123456).size(), 300u * 200u);
    EXPECT_EQ(image_->BrushColor(), 0xFFFFFF);
    EXPECT_EQ(image_->BrushStyle(), Qt::SolidPattern);
    EXPECT_EQ(image_->PenColor(), Red);
    EXPECT_EQ(image_->PenWidth(), 3);

    // In XOR mode too the fill replaces the pixels.
    image_->SetPenMode(PenXor);
    image_->Clear(0x00FF00);
    EXPECT_EQ(Drawn(0x00FF00).size(), 300u * 200u);
    image_->ClearWhite();
    EXPECT_EQ(Drawn(White).size(), 300u * 200u);
    EXPECT_EQ(image_->PenModeValue(), PenXor);
}

// ---- Grid ----------------------------------------------------------------------------

class GridTest : public ImageTest {
protected:
    GridTest()
    {
        image_->SetOrigin(100, 100);
        image_->SetUnit(10);
        image_->SetPenColor(Grid);
    }
};

TEST_F(GridTest, LinesAtTruncatedIntegersOverTheWindow)
{
    image_->DrawGrid(2.5, 6.5, -1.5, 1.5);
    // x = 2 lies outside the window but truncation includes it.
    PixelSet expected;
    for (int k = 2; k <= 6; ++k)
        expected = Union(expected, Block(100 + 10 * k, 85, 100 + 10 * k, 115));
    for (int k = -1; k <= 1; ++k)
        expected = Union(expected, Block(125, 100 - 10 * k, 165, 100 - 10 * k));
    EXPECT_EQ(Drawn(Grid), expected);
}

TEST_F(GridTest, NegativeEdgesTruncateTowardZero)
{
    image_->DrawGrid(-6.5, -2.5, -3.5, -0.5);
    // Columns x = -6 .. -2 (not -7 .. -3 as flooring would give), rows y = -3 .. 0.
    PixelSet expected;
    for (int k = -6; k <= -2; ++k)
        expected = Union(expected, Block(100 + 10 * k, 105, 100 + 10 * k, 135));
    for (int k = -3; k <= 0; ++k)
        expected = Union(expected, Block(35, 100 - 10 * k, 75, 100 - 10 * k));
    EXPECT_EQ(Drawn(Grid), expected);
}

TEST_F(GridTest, WholeViewGetsEveryTenthColumnAndRow)
{
    const QPointF topLeft = image_->PixelToWorld(0, 0);
    const QPointF bottomRight = image_->PixelToWorld(300, 200);
    image_->DrawGrid(topLeft.x(), bottomRight.x(), bottomRight.y(), topLeft.y());
    const QImage& surface = image_->Surface();
    const QRgb grid = Rgb(Grid);
    for (int x = 0; x < 300; ++x) {
        int count = 0;
        for (int y = 0; y < 200; ++y)
            count += surface.pixel(x, y) == grid;
        EXPECT_EQ(count, x % 10 == 0 ? 200 : 20) << "column " << x;
    }
    for (int y = 0; y < 200; ++y) {
        int count = 0;
        for (int x = 0; x < 300; ++x)
            count += surface.pixel(x, y) == grid;
        EXPECT_EQ(count, y % 10 == 0 ? 300 : 30) << "row " << y;
    }
}

// ---- Axes ----------------------------------------------------------------------------

class AxesTest : public ImageTest {
protected:
    AxesTest()
    {
        image_->SetOrigin(100, 100);
        image_->SetUnit(20);
        image_->SetPenColor(Axes);
    }
};

TEST_F(AxesTest, BothAxesWithUnitTicks)
{
    image_->DrawAxes(-3.7, 5.2, -2.4, 2.4);
    PixelSet expected = Block(26, 100, 204, 100);  // x axis from -3.7 to 5.2
    for (int k = -3; k <= 5; ++k)
        expected = Union(expected, Block(100 + 20 * k, 99, 100 + 20 * k, 101));
    expected = Union(expected, Block(100, 52, 100, 148));  // y axis from -2.4 to 2.4
    for (int k = -2; k <= 2; ++k)
        expected = Union(expected, Block(99, 100 - 20 * k, 101, 100 - 20 * k));
    EXPECT_EQ(Drawn(Axes), expected);
}

TEST_F(AxesTest, XAxisOnlyWhenYZeroIsInTheWindow)
{
    image_->DrawAxes(-3.7, 5.2, 0.5, 2.4);
    const PixelSet above = Drawn(Axes);
    EXPECT_FALSE(above.count({50, 100}));  // no x axis
    EXPECT_FALSE(above.count({120, 101}));  // nor its ticks
    // The y axis runs over the window; its tick at y = 0 lies just below it.
    EXPECT_EQ(above, Union(Union(Block(100, 52, 100, 90), Block(99, 100, 101, 100)),
                           Union(Block(99, 80, 101, 80), Block(99, 60, 101, 60))));

    image_->ClearWhite();
    image_->DrawAxes(-3.7, 5.2, 0, 2.4);  // the boundary counts as inside
    const PixelSet onEdge = Drawn(Axes);
    EXPECT_TRUE(onEdge.count({26, 100}));
    EXPECT_TRUE(onEdge.count({204, 100}));
    EXPECT_TRUE(onEdge.count({120, 101}));
    EXPECT_TRUE(onEdge.count({40, 99}));

    image_->ClearWhite();
    image_->DrawAxes(-3.7, 5.2, -2.4, -0.01);
    EXPECT_FALSE(Drawn(Axes).count({50, 100}));
    image_->ClearWhite();
    image_->DrawAxes(-3.7, 5.2, -2.4, 0);
    EXPECT_TRUE(Drawn(Axes).count({50, 100}));
}

TEST_F(AxesTest, YAxisOnlyWhenXZeroIsInTheWindow)
{
    image_->DrawAxes(0.5, 5.2, -2.4, 2.4);
    EXPECT_FALSE(Drawn(Axes).count({100, 70}));
    EXPECT_FALSE(Drawn(Axes).count({101, 60}));
    image_->ClearWhite();
    image_->DrawAxes(0, 5.2, -2.4, 2.4);
    EXPECT_TRUE(Drawn(Axes).count({100, 70}));
    EXPECT_TRUE(Drawn(Axes).count({101, 60}));
    image_->ClearWhite();
    image_->DrawAxes(-3.7, 0, -2.4, 2.4);
    EXPECT_TRUE(Drawn(Axes).count({100, 70}));
    image_->ClearWhite();
    image_->DrawAxes(-3.7, -0.5, -2.4, 2.4);
    EXPECT_FALSE(Drawn(Axes).count({100, 70}));
}

TEST_F(AxesTest, EmptyTickRangeDrawsOnlyTheAxis)
{
    image_->DrawAxes(2.5, 1.5, -2.4, 2.4);  // left above right: trunc gives 2 .. 1
    EXPECT_EQ(Drawn(Axes), Block(130, 100, 150, 100));
}

// ---- 32-bit edges ---------------------------------------------------------------------

using EdgeTest = ImageTest;

TEST_F(EdgeTest, WindowEdgesBeyond32BitsAreRefused)
{
    image_->SetOrigin(0, 10);
    image_->SetUnit(1);
    EXPECT_THROW(image_->DrawGrid(2147483647.0, 2147483648.0, 0, 1), ERangeError);
    EXPECT_THROW(image_->DrawGrid(-2147483649.0, 0, 0, 1), ERangeError);
    EXPECT_THROW(image_->DrawGrid(0, 1, 0, 3e9), ERangeError);
    EXPECT_THROW(image_->DrawGrid(std::nan(""), 1, 0, 1), ERangeError);
    EXPECT_THROW(image_->DrawAxes(-3e9, 1, -1, 1), ERangeError);
    EXPECT_THROW(image_->DrawAxes(-1, 1, -1, std::nan("")), ERangeError);
}

TEST_F(EdgeTest, LinesBeforeARefusedOneStayDrawn)
{
    image_->SetOrigin(50, 100);
    image_->SetUnit(1 << 29);  // x = 4 lies beyond the 32-bit pixel range
    image_->SetPenColor(Grid);
    EXPECT_THROW(image_->DrawGrid(0, 5, -1e-7, 1e-7), ERangeError);
    EXPECT_EQ(Drawn(Grid), Block(50, 46, 50, 154));  // the line x = 0, from y = -1e-7 up
    EXPECT_EQ(image_->PenPosition(), image_->WorldToPixel(3, 1e-7));
}

TEST_F(EdgeTest, RangesEndingAtTheEdgesEnd)
{
    image_->SetUnit(1);
    image_->SetOrigin(0, 10);
    EXPECT_NO_THROW(image_->DrawGrid(2147483646.0, 2147483647.0, 0, 1));
    EXPECT_NO_THROW(image_->DrawAxes(2147483646.0, 2147483647.0, -1, 1));
    EXPECT_NO_THROW(image_->DrawGrid(-2147483648.0, -2147483647.0, 0, 1));
    image_->SetOrigin(10, 0);
    EXPECT_NO_THROW(image_->DrawAxes(-1, 1, 2147483646.0, 2147483647.0));
    // All of it lies far off the surface.
    EXPECT_EQ(Drawn(0).size(), 0u);
}

}  // namespace

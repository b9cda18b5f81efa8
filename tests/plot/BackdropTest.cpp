// BackdropTest.cpp: the kept grid-and-axes picture: same pixels as drawing it, laid again correctly, redrawn when the view changes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "core/RunErrors.h"
#include "plot/ImageFixture.h"

namespace {

using plottest::ImageTest;

constexpr std::int32_t Grid = 0xC0C0C0;
constexpr std::int32_t Axes = 0x808080;

struct ViewWindow {
    double left, right, bottom, top;
};

struct Picture {
    QImage pixels;
    QPoint penPosition;
};

// The calls a backdrop stands for, made one by one on a fresh image with the
// same size, transform and pen mode as `like`.
Picture DrawnAfresh(const TMyImage2& like, ViewWindow w, std::int32_t grid = Grid, std::int32_t axes = Axes)
{
    QWidget parent;
    parent.resize(like.size());
    auto* image = new TMyImage(&parent);
    image->SetOrigin(like.OriginX, like.OriginY);
    image->SetUnit(like.Unit);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            image->SetMatrix(r, c, like.Matrix[r][c]);
    image->SetPenMode(like.PenModeValue());
    image->ClearWhite();
    image->SetPenWidth(1);
    image->SetPenColor(grid);
    image->DrawGrid(w.left, w.right, w.bottom, w.top);
    image->SetPenColor(axes);
    image->DrawAxes(w.left, w.right, w.bottom, w.top);
    return {image->Surface().copy(), image->PenPosition()};
}

// A path-like drawing over many tiles, the corners and edges of the surface
// included, in every way the image draws: thick and thin lines, a slant,
// squares, and XOR.
void DrawOver(TMyImage2& image)
{
    const std::uint8_t mode = image.PenModeValue();
    image.SetPenColor(0x0000FF);
    image.SetPenWidth(3);
    image.MoveTo(0, 0);
    image.LineTo(14, 0);
    image.LineTo(14, 9);
    image.LineTo(-14, 9);
    image.LineTo(-14, -9);
    image.SetPenWidth(1);
    image.Segment(-3, -2, 11, 7);
    image.DrawSquare(3, 3, -15, 10);
    image.DrawSquare(3, 3, 15, -10);
    image.SetPenMode(PenXor);
    image.SetPenColor(0x3F3FC0);
    image.SetPenWidth(5);
    image.Segment(-8, -5, 8, -5);
    image.SetPenMode(mode);
}

// A 300 by 200 image (tiles cut short at the right and bottom edges) at 10
// pixels a unit, origin in the middle.
class BackdropTest : public ImageTest {
protected:
    BackdropTest()
    {
        image_->SetOrigin(150, 100);
        image_->SetUnit(10);
    }

    void Lay(ViewWindow w, std::int32_t grid = Grid, std::int32_t axes = Axes)
    {
        image_->DrawBackdrop(w.left, w.right, w.bottom, w.top, grid, axes);
    }

    static constexpr ViewWindow Whole{-15, 15, -10, 10};
};

TEST_F(BackdropTest, SamePixelsAndPenAsDrawingItCallByCall)
{
    for (const std::uint8_t mode : {PenCopy, PenXor}) {
        image_->SetPenMode(mode);
        const Picture expected = DrawnAfresh(*image_, Whole);
        // Drawn the first time, laid from what was kept the second.
        for (int round = 0; round < 2; ++round) {
            image_->SetPenWidth(4);
            image_->SetPenColor(0x123456);
            Lay(Whole);
            EXPECT_EQ(image_->Surface(), expected.pixels) << "mode " << int(mode) << " round " << round;
            EXPECT_EQ(image_->PenWidth(), 1);
            EXPECT_EQ(image_->PenColor(), Axes);
            EXPECT_EQ(image_->PenModeValue(), mode);
            EXPECT_EQ(image_->PenPosition(), expected.penPosition);
        }
    }
    // In XOR the grid and axes combine with each other: not the copy picture.
    image_->SetPenMode(PenCopy);
    const Picture copy = DrawnAfresh(*image_, Whole);
    image_->SetPenMode(PenXor);
    EXPECT_NE(DrawnAfresh(*image_, Whole).pixels, copy.pixels);
}

TEST_F(BackdropTest, LaidAgainItTakesBackEverythingDrawnOverIt)
{
    const Picture expected = DrawnAfresh(*image_, Whole);
    Lay(Whole);
    for (int round = 0; round < 3; ++round) {
        DrawOver(*image_);
        ASSERT_NE(image_->Surface(), expected.pixels);
        Lay(Whole);
        EXPECT_EQ(image_->Surface(), expected.pixels) << "round " << round;
        EXPECT_EQ(image_->PenPosition(), expected.penPosition);
    }
    // A drawing elsewhere after a lay is taken back too.
    image_->SetPenColor(0x00FF00);
    image_->SetPenWidth(3);
    image_->Segment(-15, 10, 15, -10);
    image_->DrawSquare(200, 200, 0, 0);  // every pixel
    Lay(Whole);
    EXPECT_EQ(image_->Surface(), expected.pixels);
}

// Each change of what the picture depends on, and how to undo it.
struct ViewChange {
    std::string name;
    std::function<void(TMyImage2&, ViewWindow&, std::int32_t&)> apply;
};

TEST_F(BackdropTest, EveryChangeOfTheViewDrawsItAfresh)
{
    const std::vector<ViewChange> changes = {
        {"origin x", [](TMyImage2& i, ViewWindow&, std::int32_t&) { i.ShiftOrigin(1, 0); }},
        {"origin y", [](TMyImage2& i, ViewWindow&, std::int32_t&) { i.ShiftOrigin(0, -3); }},
        {"unit", [](TMyImage2& i, ViewWindow&, std::int32_t&) { i.SetUnit(11); }},
        {"matrix", [](TMyImage2& i, ViewWindow&, std::int32_t&) { i.SetMatrix(1, 3, 0.5); }},
        {"window", [](TMyImage2&, ViewWindow& w, std::int32_t&) { w.left = -12.5; }},
        {"colour", [](TMyImage2&, ViewWindow&, std::int32_t& grid) { grid = 0xA0A0A0; }},
        {"pen mode", [](TMyImage2& i, ViewWindow&, std::int32_t&) { i.SetPenMode(PenXor); }},
        {"size", [](TMyImage2& i, ViewWindow&, std::int32_t&) { i.resize(270, 230); }},
    };
    for (const ViewChange& change : changes) {
        image_->resize(300, 200);  // the parent is hidden: it passes on no resize
        image_->SetOrigin(150, 100);
        image_->SetUnit(10);
        image_->ResetMatrix();
        image_->SetPenMode(PenCopy);
        ViewWindow w = Whole;
        std::int32_t grid = Grid;
        const Picture before = DrawnAfresh(*image_, w, grid);
        Lay(w, grid);
        DrawOver(*image_);

        change.apply(*image_, w, grid);
        const Picture after = DrawnAfresh(*image_, w, grid);
        ASSERT_NE(after.pixels, before.pixels) << change.name;
        Lay(w, grid);
        EXPECT_EQ(image_->Surface(), after.pixels) << change.name;
        EXPECT_EQ(image_->PenPosition(), after.penPosition) << change.name;
        DrawOver(*image_);
        Lay(w, grid);
        EXPECT_EQ(image_->Surface(), after.pixels) << change.name << ", laid again";
    }
}

TEST_F(BackdropTest, NothingStaleAfterAClearOrARefusedDrawing)
{
    const Picture expected = DrawnAfresh(*image_, Whole);
    Lay(Whole);
    image_->ClearWhite();
    Lay(Whole);
    EXPECT_EQ(image_->Surface(), expected.pixels);

    // A window far beyond the 32-bit pixel range is refused part way.
    EXPECT_THROW(Lay({-1e12, 15, -10, 10}), ERangeError);
    Lay(Whole);
    EXPECT_EQ(image_->Surface(), expected.pixels);
}

// ---- What reaches the screen --------------------------------------------------------

class BackdropScreenTest : public ::testing::Test {
protected:
    BackdropScreenTest()
    {
        window_.resize(320, 220);
        panel_ = new QWidget(&window_);
        panel_->setGeometry(10, 10, 300, 200);
        window_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_));
        image_ = new TMyImage(panel_);
        image_->SetOrigin(150, 100);
        image_->SetUnit(10);
        QApplication::processEvents();
    }

    // What the window system was last given of the image's area.
    QImage Shown() const
    {
        const QPoint at = image_->mapTo(&window_, QPoint(0, 0));
        return window_.screen()
            ->grabWindow(window_.winId(), at.x(), at.y(), image_->width(), image_->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    void Redraw(double shift)
    {
        image_->DrawBackdrop(-15, 15, -10, 10, Grid, Axes);
        image_->SetPenColor(0x0000FF);
        image_->SetPenWidth(3);
        image_->MoveTo(shift, 0);
        image_->LineTo(shift + 6, 0);
        image_->LineTo(shift + 6, 5);
        image_->DrawSquare(3, 3, shift, 0);
    }

    QWidget window_;
    QWidget* panel_;
    TMyImage* image_;
};

TEST_F(BackdropScreenTest, TheScreenFollowsEachRedraw)
{
    // A repaint shows the new path and takes the old one off the screen.
    for (const double shift : {-12.0, 3.0, -4.0}) {
        Redraw(shift);
        image_->Repaint();
        EXPECT_EQ(Shown(), image_->Surface()) << "path at " << shift;
    }
    // Without a repaint the change reaches the screen once events run.
    Redraw(7);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown() == image_->Surface(); }));
}

}  // namespace

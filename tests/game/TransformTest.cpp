// TransformTest.cpp: world-to-pixel and back, the origin, and the 32-bit limits of both, on the view transform alone.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/RunErrors.h"
#include "game/ViewTransform.h"

namespace {

constexpr std::int32_t IntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t IntMin = std::numeric_limits<std::int32_t>::min();
const double NaN = std::nan("");
constexpr double Inf = std::numeric_limits<double>::infinity();

ViewTransform View(std::int32_t originX, std::int32_t originY, std::int32_t unit)
{
    ViewTransform view;
    view.SetOrigin(originX, originY);
    view.Unit = unit;
    return view;
}

// A quarter turn with an offset: u = -y + 2, v = x - 1.
ViewTransform QuarterTurn()
{
    ViewTransform view = View(100, 100, 10);
    view.Matrix[1][1] = 0;
    view.Matrix[1][2] = -1;
    view.Matrix[1][3] = 2;
    view.Matrix[2][1] = 1;
    view.Matrix[2][2] = 0;
    view.Matrix[2][3] = -1;
    return view;
}

// A stretch with determinant 2, which goes through the division.
ViewTransform Stretch()
{
    ViewTransform view = View(100, 100, 10);
    view.Matrix[1][1] = 2;
    return view;
}

struct PixelCase {
    std::string name;
    ViewTransform view;
    double x, y;
    PixelPoint pixel;
};

TEST(TransformTest, WorldToPixel)
{
    const std::vector<PixelCase> cases = {
        {"scaled, y flipped", View(300, 200, 20), 1, 1, {320, 180}},
        {"half units", View(300, 200, 20), -2.5, 0, {250, 200}},
        {"origin", View(300, 200, 20), 0, 0, {300, 200}},
        // 101.5 and 98.5: both go to the even neighbour.
        {"halves to even", View(100, 100, 3), 0.5, 0.5, {102, 98}},
        // -2.5 gives -2 (rounding away from zero would give -3).
        {"negative halves to even", View(0, 0, 1), -2.5, 2.5, {-2, -2}},
        {"halves up to even", View(0, 0, 1), 1.5, -1.5, {2, 2}},
        {"halves down to even", View(0, 0, 1), 0.5, -0.5, {0, 0}},
        {"just past a half", View(0, 0, 1), 0.5000001, 0, {1, 0}},
        {"quarter turn", QuarterTurn(), 3, 4, {80, 80}},
        {"stretch", Stretch(), 3, 4, {160, 60}},
        {"largest x", View(0, 0, 1), 2147483647.4, 0, {IntMax, 0}},
        {"smallest x, even neighbour", View(0, 0, 1), -2147483648.5, 0, {IntMin, 0}},
        {"largest y", View(0, 0, 1), 0, -2147483647.0, {0, IntMax}},
        {"smallest y", View(0, 0, 1), 0, 2147483648.0, {0, IntMin}},
    };
    for (const PixelCase& c : cases)
        EXPECT_EQ(c.view.WorldToPixel(c.x, c.y), c.pixel) << c.name;

    // The inverse of the matrices, too.
    EXPECT_EQ(QuarterTurn().PixelToWorld(80, 80), (WorldPoint{3, 4}));
    EXPECT_EQ(Stretch().PixelToWorld(160, 60), (WorldPoint{3, 4}));
}

TEST(TransformTest, WorldToPixelRefusesPixelsBeyond32Bits)
{
    struct Refused {
        std::int32_t unit;
        double x, y;
    };
    const std::vector<Refused> cases = {
        {1, 2147483647.5, 0},  // rounds to 2^31
        {1, -2147483649.0, 0},
        {1, 0, -2147483648.0},
        {1, 0, 2147483649.0},
        {1, NaN, 0},
        {1, 0, Inf},
        {60, 35791395, 0},  // the zoom takes a point out of range as well
    };
    for (const Refused& c : cases)
        EXPECT_THROW(View(0, 0, c.unit).WorldToPixel(c.x, c.y), ERangeError) << c.x << "," << c.y;
    EXPECT_NO_THROW(View(0, 0, 60).WorldToPixel(35791394, 0));
}

TEST(TransformTest, PixelToWorldIsTheUnroundedInverse)
{
    const ViewTransform view = View(300, 200, 20);
    EXPECT_EQ(view.PixelToWorld(0, 0), (WorldPoint{-15, 10}));
    EXPECT_EQ(view.PixelToWorld(300, 200), (WorldPoint{0, 0}));
    // Not rounded: a pixel between lattice points gives a fraction.
    EXPECT_EQ(view.PixelToWorld(310, 195), (WorldPoint{0.5, 0.25}));
}

TEST(TransformTest, RoundTripsAtEveryZoom)
{
    for (std::int32_t unit : {3, 7, 20, 40, 60}) {
        const ViewTransform view = View(317, 211, unit);
        for (std::int32_t px = -50; px < 700; px += 13)
            for (std::int32_t py = -40; py < 500; py += 11) {
                const WorldPoint world = view.PixelToWorld(px, py);
                ASSERT_EQ(view.WorldToPixel(world.X, world.Y), (PixelPoint{px, py}))
                    << "unit " << unit << " pixel " << px << "," << py;
            }
        for (int x = -20; x <= 20; ++x)
            for (int y = -20; y <= 20; ++y) {
                const PixelPoint pixel = view.WorldToPixel(x, y);
                ASSERT_EQ(view.PixelToWorld(pixel.X, pixel.Y), (WorldPoint{double(x), double(y)}));
            }
    }
}

TEST(TransformTest, ResetMatrixGivesTheIdentity)
{
    ViewTransform view;
    for (auto& row : view.Matrix)
        for (double& cell : row)
            cell = 7.5;
    view.ResetMatrix();
    const double expected[3][4] = {{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(view.Matrix[r][c], expected[r][c]) << r << "," << c;
}

TEST(TransformTest, PixelToWorldRefusesOverflowingDifferences)
{
    EXPECT_THROW(View(-1, 0, 20).PixelToWorld(IntMax, 0), EIntOverflow);
    EXPECT_EQ(View(-1, 0, 20).PixelToWorld(IntMax - 1, 0).X, 2147483647.0 / 20);
    EXPECT_THROW(View(0, IntMax, 20).PixelToWorld(0, -1), EIntOverflow);
    EXPECT_EQ(View(0, IntMax, 20).PixelToWorld(0, 0).Y, 2147483647.0 / 20);
    EXPECT_EQ(View(IntMin, 0, 20).PixelToWorld(-1, 0).X, 2147483647.0 / 20);
    EXPECT_THROW(View(IntMin, 0, 20).PixelToWorld(0, 0), EIntOverflow);
}

TEST(TransformTest, ShiftOriginMovesTheDrawing)
{
    ViewTransform view = View(300, 200, 20);
    view.ShiftOrigin(5, -3);
    EXPECT_EQ((PixelPoint{view.OriginX, view.OriginY}), (PixelPoint{305, 197}));
    EXPECT_EQ(view.WorldToPixel(0, 0), (PixelPoint{305, 197}));
}

TEST(TransformTest, ShiftOriginRefusesOverflowAndKeepsTheOrigin)
{
    ViewTransform view = View(IntMax - 5, 0, 1);
    view.ShiftOrigin(5, 0);
    EXPECT_EQ(view.OriginX, IntMax);
    EXPECT_THROW(view.ShiftOrigin(1, 0), EIntOverflow);
    EXPECT_EQ(view.OriginX, IntMax);

    // The second coordinate overflows: the first one is not moved either.
    view.SetOrigin(10, IntMin);
    EXPECT_THROW(view.ShiftOrigin(5, -1), EIntOverflow);
    EXPECT_EQ((PixelPoint{view.OriginX, view.OriginY}), (PixelPoint{10, IntMin}));
}

}  // namespace

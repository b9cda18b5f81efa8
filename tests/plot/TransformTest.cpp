// TransformTest.cpp: world-to-pixel and back, the origin, and the 32-bit limits of both.
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "core/RunErrors.h"
#include "plot/ImageFixture.h"

namespace {

using plottest::ImageTest;

constexpr std::int32_t IntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t IntMin = std::numeric_limits<std::int32_t>::min();

using TransformTest = ImageTest;

TEST_F(TransformTest, WorldToPixelScalesAndFlipsY)
{
    image_->SetOrigin(300, 200);
    image_->SetUnit(20);
    EXPECT_EQ(image_->WorldToPixel(1, 1), QPoint(320, 180));
    EXPECT_EQ(image_->WorldToPixel(-2.5, 0), QPoint(250, 200));
    EXPECT_EQ(image_->WorldToPixel(0, 0), QPoint(300, 200));
}

TEST_F(TransformTest, PixelToWorldIsTheInverse)
{
    image_->SetOrigin(300, 200);
    image_->SetUnit(20);
    EXPECT_EQ(image_->PixelToWorld(0, 0), QPointF(-15, 10));
    EXPECT_EQ(image_->PixelToWorld(300, 200), QPointF(0, 0));
    // Not rounded: a pixel between lattice points gives a fraction.
    EXPECT_EQ(image_->PixelToWorld(310, 195), QPointF(0.5, 0.25));
}

TEST_F(TransformTest, HalvesRoundToEven)
{
    image_->SetOrigin(100, 100);
    image_->SetUnit(3);
    // 101.5 and 98.5: both go to the even neighbour.
    EXPECT_EQ(image_->WorldToPixel(0.5, 0.5), QPoint(102, 98));

    image_->SetOrigin(0, 0);
    image_->SetUnit(1);
    // Negative halves too: -2.5 gives -2 (rounding away from zero would give -3).
    EXPECT_EQ(image_->WorldToPixel(-2.5, 2.5), QPoint(-2, -2));
    EXPECT_EQ(image_->WorldToPixel(1.5, -1.5), QPoint(2, 2));
    EXPECT_EQ(image_->WorldToPixel(0.5, -0.5), QPoint(0, 0));
    EXPECT_EQ(image_->WorldToPixel(0.5000001, 0), QPoint(1, 0));
}

TEST_F(TransformTest, RoundTripsAtEveryZoom)
{
    for (std::int32_t unit : {3, 7, 20, 40, 60}) {
        image_->SetUnit(unit);
        image_->SetOrigin(317, 211);
        for (std::int32_t px = -50; px < 700; px += 13)
            for (std::int32_t py = -40; py < 500; py += 11) {
                const QPointF world = image_->PixelToWorld(px, py);
                ASSERT_EQ(image_->WorldToPixel(world.x(), world.y()), QPoint(px, py))
                    << "unit " << unit << " pixel " << px << "," << py;
            }
        for (int x = -20; x <= 20; ++x)
            for (int y = -20; y <= 20; ++y) {
                const QPoint pixel = image_->WorldToPixel(x, y);
                ASSERT_EQ(image_->PixelToWorld(pixel.x(), pixel.y()), QPointF(x, y));
            }
    }
}

TEST_F(TransformTest, GeneralMatrixAndItsInverse)
{
    image_->SetOrigin(100, 100);
    image_->SetUnit(10);
    // A quarter turn with an offset: u = -y + 2, v = x - 1.
    image_->Matrix[1][1] = 0;
    image_->Matrix[1][2] = -1;
    image_->Matrix[1][3] = 2;
    image_->Matrix[2][1] = 1;
    image_->Matrix[2][2] = 0;
    image_->Matrix[2][3] = -1;
    EXPECT_EQ(image_->WorldToPixel(3, 4), QPoint(80, 80));
    EXPECT_EQ(image_->PixelToWorld(80, 80), QPointF(3, 4));

    // A stretch with determinant 2 goes through the division.
    image_->ResetMatrix();
    image_->Matrix[1][1] = 2;
    EXPECT_EQ(image_->WorldToPixel(3, 4), QPoint(160, 60));
    EXPECT_EQ(image_->PixelToWorld(160, 60), QPointF(3, 4));
}

TEST_F(TransformTest, ResetMatrixGivesTheIdentity)
{
    for (auto& row : image_->Matrix)
        for (double& cell : row)
            cell = 7.5;
    image_->ResetMatrix();
    const double expected[3][4] = {{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(image_->Matrix[r][c], expected[r][c]) << r << "," << c;
}

TEST_F(TransformTest, WorldToPixelRefusesPixelsBeyond32Bits)
{
    image_->SetOrigin(0, 0);
    image_->SetUnit(1);
    EXPECT_EQ(image_->WorldToPixel(2147483647.0, 0).x(), IntMax);
    EXPECT_EQ(image_->WorldToPixel(2147483647.4, 0).x(), IntMax);
    EXPECT_THROW(image_->WorldToPixel(2147483647.5, 0), ERangeError);  // rounds to 2^31
    EXPECT_EQ(image_->WorldToPixel(-2147483648.5, 0).x(), IntMin);    // even neighbour fits
    EXPECT_THROW(image_->WorldToPixel(-2147483649.0, 0), ERangeError);

    EXPECT_EQ(image_->WorldToPixel(0, -2147483647.0).y(), IntMax);
    EXPECT_EQ(image_->WorldToPixel(0, 2147483648.0).y(), IntMin);
    EXPECT_THROW(image_->WorldToPixel(0, -2147483648.0), ERangeError);
    EXPECT_THROW(image_->WorldToPixel(0, 2147483649.0), ERangeError);

    EXPECT_THROW(image_->WorldToPixel(std::nan(""), 0), ERangeError);
    EXPECT_THROW(image_->WorldToPixel(0, std::numeric_limits<double>::infinity()), ERangeError);

    // The zoom takes a point out of range as well.
    image_->SetUnit(60);
    EXPECT_NO_THROW(image_->WorldToPixel(35791394, 0));
    EXPECT_THROW(image_->WorldToPixel(35791395, 0), ERangeError);
}

TEST_F(TransformTest, PixelToWorldRefusesOverflowingDifferences)
{
    image_->SetUnit(20);
    image_->SetOrigin(-1, 0);
    EXPECT_THROW(image_->PixelToWorld(IntMax, 0), EIntOverflow);
    EXPECT_EQ(image_->PixelToWorld(IntMax - 1, 0).x(), 2147483647.0 / 20);

    image_->SetOrigin(0, IntMax);
    EXPECT_THROW(image_->PixelToWorld(0, -1), EIntOverflow);
    EXPECT_EQ(image_->PixelToWorld(0, 0).y(), 2147483647.0 / 20);

    image_->SetOrigin(IntMin, 0);
    EXPECT_EQ(image_->PixelToWorld(-1, 0).x(), 2147483647.0 / 20);
    EXPECT_THROW(image_->PixelToWorld(0, 0), EIntOverflow);
}

TEST_F(TransformTest, ShiftOriginMovesTheDrawing)
{
    image_->SetOrigin(300, 200);
    image_->ShiftOrigin(5, -3);
    EXPECT_EQ(image_->OriginX, 305);
    EXPECT_EQ(image_->OriginY, 197);
    image_->SetUnit(20);
    EXPECT_EQ(image_->WorldToPixel(0, 0), QPoint(305, 197));
}

TEST_F(TransformTest, ShiftOriginRefusesOverflowAndKeepsTheOrigin)
{
    image_->SetOrigin(IntMax - 5, 0);
    image_->ShiftOrigin(5, 0);
    EXPECT_EQ(image_->OriginX, IntMax);
    EXPECT_THROW(image_->ShiftOrigin(1, 0), EIntOverflow);
    EXPECT_EQ(image_->OriginX, IntMax);

    // The second coordinate overflows: the first one is not moved either.
    image_->SetOrigin(10, IntMin);
    EXPECT_THROW(image_->ShiftOrigin(5, -1), EIntOverflow);
    EXPECT_EQ(image_->OriginX, 10);
    EXPECT_EQ(image_->OriginY, IntMin);
}

}  // namespace

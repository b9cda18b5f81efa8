// ViewTransform.h: where world points fall on the picture, and which world point lies under a pixel.
#pragma once

#include <cstdint>

#include "core/Checked.h"

// A pixel of the picture: x to the right, y downward, (0, 0) at the top left.
struct PixelPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A point of the world: x to the right, y upward; lattice points are whole.
struct WorldPoint {
    double X = 0;
    double Y = 0;
    bool operator==(const WorldPoint&) const = default;
};

// World x to the right and y upward; a point (x, y) is first taken through
// the matrix to (u, v) = (M11 x + M12 y + M13, M21 x + M22 y + M23), then
// scaled by Unit pixels per world unit and flipped so that v grows upward,
// with world (u, v) = (0, 0) drawn at pixel (OriginX, OriginY).
struct ViewTransform {
    std::int32_t OriginX = 0;
    std::int32_t OriginY = 0;
    std::int32_t Unit = 1;
    double Matrix[3][4] = {{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};  // rows 1..2, columns 1..3

    void SetOrigin(std::int32_t px, std::int32_t py);
    void ShiftOrigin(std::int32_t dx, std::int32_t dy);  // EIntOverflow past 32 bits, origin kept
    void ResetMatrix();

    PixelPoint WorldToPixel(double x, double y) const  // ERangeError past 32 bits
    {
        const double u = Matrix[1][1] * x + Matrix[1][2] * y + Matrix[1][3];
        const double v = Matrix[2][1] * x + Matrix[2][2] * y + Matrix[2][3];
        return {RoundToPixel(Unit * u + OriginX), RoundToPixel(OriginY - Unit * v)};
    }
    WorldPoint PixelToWorld(std::int32_t px, std::int32_t py) const;  // EIntOverflow past 32 bits

    // Nearest integer with halves to even (the default rounding mode), so
    // that a point exactly between two pixels does not always fall to the
    // same side. A grid is thousands of points: adding and taking away
    // 1.5 * 2^52 rounds as nearbyint does (the sum has no bits below the
    // units, and is rounded as the rounding mode says) without a call, for
    // every value up to 2^51 in size; larger ones, NaN and infinities stay
    // far outside 32 bits and are refused all the same.
    static std::int32_t RoundToPixel(double value)
    {
        constexpr double Shift = 6755399441055744.0;  // 1.5 * 2^52
        return CheckedInt32((value + Shift) - Shift);
    }

    // Plain == on the doubles: a NaN never matches, -0 matches +0 (they give
    // the same pixels).
    bool operator==(const ViewTransform&) const = default;
};

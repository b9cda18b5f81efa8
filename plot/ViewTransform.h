// ViewTransform.h: where world points fall on the picture, and which world point lies under a pixel.
#pragma once

#include <cstdint>

#include <QPoint>
#include <QPointF>

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

    QPoint WorldToPixel(double x, double y) const;  // ERangeError past 32 bits
    QPointF PixelToWorld(std::int32_t px, std::int32_t py) const;  // EIntOverflow past 32 bits

    // Plain == on the doubles: a NaN never matches, -0 matches +0 (they give
    // the same pixels).
    bool operator==(const ViewTransform&) const = default;
};

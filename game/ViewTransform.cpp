// ViewTransform.cpp: world to pixel and back, with the program's errors where 32 bits do not suffice.
#include "game/ViewTransform.h"

#include <algorithm>
#include <iterator>

#include "core/Checked.h"

void ViewTransform::SetOrigin(std::int32_t px, std::int32_t py)
{
    OriginX = px;
    OriginY = py;
}

void ViewTransform::ShiftOrigin(std::int32_t dx, std::int32_t dy)
{
    // Both sums are checked before either is stored: a refused shift leaves
    // the origin where it was instead of half moved.
    const std::int32_t x = CheckedAdd(OriginX, dx);
    const std::int32_t y = CheckedAdd(OriginY, dy);
    OriginX = x;
    OriginY = y;
}

void ViewTransform::ResetMatrix()
{
    for (auto& row : Matrix)
        std::fill(std::begin(row), std::end(row), 0.0);
    Matrix[1][1] = 1.0;
    Matrix[2][2] = 1.0;
}

WorldPoint ViewTransform::PixelToWorld(std::int32_t px, std::int32_t py) const
{
    const double det = Matrix[1][1] * Matrix[2][2] - Matrix[1][2] * Matrix[2][1];
    const double a = CheckedSub(px, OriginX) / static_cast<double>(Unit) - Matrix[1][3];
    const double b = CheckedSub(OriginY, py) / static_cast<double>(Unit) - Matrix[2][3];
    return {(Matrix[2][2] * a - Matrix[1][2] * b) / det, (Matrix[1][1] * b - Matrix[2][1] * a) / det};
}

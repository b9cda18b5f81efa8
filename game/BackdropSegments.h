// BackdropSegments.h: the grid and the axes over a world window, as the segments that draw them.
#pragma once

#include <cmath>
#include <cstdint>

#include "core/Checked.h"

// Grid and tick ranges start and end at the window edges truncated toward zero.
inline std::int32_t TruncEdge(double edge)
{
    return CheckedInt32(std::trunc(edge));
}

// The axes' segments in drawing order, each handed to add(x1, y1, x2, y2)
// until it returns false: each axis in the window with a tick of a tenth of
// a unit across it at every whole number. Window edges beyond 32 bits raise
// ERangeError where the drawing reaches them.
template <typename Add>
void AxesSegments(double left, double right, double bottom, double top, Add add)
{
    if (bottom <= 0 && top >= 0) {
        if (!add(left, 0.0, right, 0.0))
            return;
        // 64-bit counters: a range ending at the 32-bit maximum must still end.
        const std::int64_t first = TruncEdge(left);
        const std::int64_t last = TruncEdge(right);
        for (std::int64_t k = first; k <= last; ++k)
            if (!add(double(k), -0.05, double(k), 0.05))
                return;
    }
    if (left <= 0 && right >= 0) {
        if (!add(0.0, bottom, 0.0, top))
            return;
        const std::int64_t first = TruncEdge(bottom);
        const std::int64_t last = TruncEdge(top);
        for (std::int64_t k = first; k <= last; ++k)
            if (!add(-0.05, double(k), 0.05, double(k)))
                return;
    }
}

// The grid's segments in drawing order, as AxesSegments gives the axes':
// a column at every whole x, then a row at every whole y.
template <typename Add>
void GridSegments(double left, double right, double bottom, double top, Add add)
{
    const std::int64_t firstColumn = TruncEdge(left);
    const std::int64_t lastColumn = TruncEdge(right);
    for (std::int64_t k = firstColumn; k <= lastColumn; ++k)
        if (!add(double(k), bottom, double(k), top))
            return;
    const std::int64_t firstRow = TruncEdge(bottom);
    const std::int64_t lastRow = TruncEdge(top);
    for (std::int64_t k = firstRow; k <= lastRow; ++k)
        if (!add(left, double(k), right, double(k)))
            return;
}

// PathChecks.h: whether a path is a puzzle path, is straight along +x, and has current derived fields; for tests and fuzz targets alike.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/PathStore.h"

// Empty when points 1..count start at the origin, step one unit along one axis
// each and never repeat a point; otherwise what is wrong. Cheap enough to run
// after every move of a long play.
inline std::string PathFault(const PathArray& p, int count)
{
    if (count < 1 || count > MaxPoints)
        return "point count " + std::to_string(count);
    const auto at = [&p](int i) {
        return "point " + std::to_string(i) + " at (" + std::to_string(p[i].X) + ", " + std::to_string(p[i].Y) + ")";
    };
    if (p[1].X != 0 || p[1].Y != 0)
        return at(1) + " is not the origin";
    std::array<std::int64_t, PathSlots> keys{};
    for (int i = 1; i <= count; ++i) {
        if (i > 1) {
            const std::int64_t dx = std::int64_t{p[i].X} - p[i - 1].X;
            const std::int64_t dy = std::int64_t{p[i].Y} - p[i - 1].Y;
            if (dx * dx + dy * dy != 1)
                return at(i) + " is no unit step from point " + std::to_string(i - 1);
        }
        keys[i - 1] = (std::int64_t{p[i].X} << 32) | static_cast<std::uint32_t>(p[i].Y);
    }
    std::sort(keys.begin(), keys.begin() + count);
    if (std::adjacent_find(keys.begin(), keys.begin() + count) != keys.begin() + count)
        return "a point repeats";
    return {};
}

// Whether two path arrays are equal byte for byte, derived fields and the
// slots past the last point included. Slot 0 is left out: it is where a
// search puts the point it looks for.
inline bool SameBytes(const PathArray& a, const PathArray& b)
{
    return std::memcmp(&a[1], &b[1], sizeof(PathPoint) * MaxPoints) == 0;
}

// Whether every step of points 1..count goes one unit in +x.
inline bool StraightAlongPlusX(const PathArray& p, int count)
{
    for (int i = 1; i <= count; ++i) {
        if (p[i].X != i - 1 || p[i].Y != 0)
            return false;
    }
    return true;
}

// Whether the derived fields of WorkPath are what a fresh derivation of its
// coordinates gives. The last point has no step, so no direction to compare;
// nor does the comparison look past the last point, so the fresh store can
// be used again whatever it held before.
inline bool DerivedIsCurrent(const TPathStore& store)
{
    static TPathStore fresh;  // three arrays of 256 points: not on the stack
    fresh.SetPath(Problem{store.PointCount(), store.WorkPath()});
    fresh.DeriveStructure();
    const int n = store.PointCount();
    for (int i = 1; i <= n; ++i) {
        const PathPoint& a = store.Work(i);
        const PathPoint& b = fresh.Work(i);
        if ((i < n && a.Dir != b.Dir) || a.Kind != b.Kind || a.PrevCorner != b.PrevCorner ||
            a.NextCorner != b.NextCorner)
            return false;
    }
    return true;
}

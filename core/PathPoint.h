// PathPoint.h: one lattice point of the path, the fixed array that holds a path, and a problem's points.
#pragma once

#include <array>
#include <cstdint>

// Step directions, counter-clockwise: +1 is a quarter turn left, +3 a quarter
// turn right, +2 a reversal.
enum Dir : std::uint8_t { DirPlusX = 0, DirPlusY = 1, DirMinusX = 2, DirMinusY = 3 };

enum PointKind : std::uint8_t { KindEnd = 0, KindStraight = 1, KindCorner = 2 };

struct PathPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::uint8_t Dir = 0;         // direction of the step from this point to the next
    std::uint8_t Kind = 0;        // PointKind
    std::uint8_t PrevCorner = 0;  // nearest corner before, 1 when none, 0 for point 1
    std::uint8_t NextCorner = 0;  // nearest corner after, the last point when none, 0 for the last

    bool SameSpot(const PathPoint& o) const { return X == o.X && Y == o.Y; }
};

// Slot 0 is the search sentinel; the path's points are slots 1..PointCount.
constexpr int PathSlots = 256;
constexpr int MaxPoints = 255;
using PathArray = std::array<PathPoint, PathSlots>;

// A whole point of the world, as a click or the entry's band gives it.
struct LatticePoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const LatticePoint&) const = default;
};

// A problem as the puzzle takes it: the coordinates of points 1..PointCount.
// Whoever makes one (the problem file reader, the generator) has checked it:
// it starts at the origin, steps one unit along one axis and never comes back
// to a point.
struct Problem {
    std::uint8_t PointCount = 0;
    PathArray Points{};
};

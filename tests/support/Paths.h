// Paths.h: lattice paths for tests: coordinates and problems made of them, seeded random self-avoiding paths, and extreme shapes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/PathStore.h"
#include "support/PathChecks.h"

// Coordinates of points 1..n of a path, in path order.
using Coords = std::vector<std::pair<std::int32_t, std::int32_t>>;

// The coordinates of points 1..count.
inline Coords PathCoords(const PathArray& points, int count)
{
    Coords c;
    for (int i = 1; i <= count; ++i)
        c.emplace_back(points[i].X, points[i].Y);
    return c;
}

// The coordinates of points 1..PointCount of WorkPath.
inline Coords WorkCoords(const TPathStore& store)
{
    return PathCoords(store.WorkPath(), store.PointCount());
}

// The problem whose points 1..n are `points`.
inline Problem ProblemOf(const Coords& points)
{
    Problem problem;
    problem.PointCount = static_cast<std::uint8_t>(points.size());
    for (std::size_t i = 0; i < points.size() && i < MaxPoints; ++i) {
        problem.Points[i + 1].X = points[i].first;
        problem.Points[i + 1].Y = points[i].second;
    }
    return problem;
}

// Puts `points` into slots 1..n of WorkPath and ProblemPath and sets PointCount.
// Derived fields are left alone; callers that need them call Redraw or DeriveStructure.
inline void PlacePath(TPathStore& store, const Coords& points)
{
    store.SetPath(ProblemOf(points));
}

// PathFault for coordinates.
inline std::string PathFault(const Coords& path)
{
    if (path.empty() || path.size() > MaxPoints)
        return "point count " + std::to_string(path.size());
    return PathFault(ProblemOf(path).Points, static_cast<int>(path.size()));
}

// "(0,0)(1,0)...": a path in a failure message.
inline std::string Show(const Coords& path)
{
    std::ostringstream os;
    for (const auto& [x, y] : path)
        os << "(" << x << "," << y << ")";
    return os.str();
}

// A straight path of n points from the origin, one unit per step in (dx, dy).
inline Coords StraightPath(int n, int dx, int dy)
{
    Coords c;
    for (int i = 0; i < n; ++i)
        c.emplace_back(i * dx, i * dy);
    return c;
}

// Steps by direction code: +x, +y, -x, -y.
inline constexpr int StepX[] = {1, 0, -1, 0};
inline constexpr int StepY[] = {0, 1, 0, -1};

// Marks lattice points within 255 of the origin. A new generation forgets
// every mark at once, so a path can be checked many times without clearing.
class LatticeMarks {
public:
    void NewGeneration() { ++generation_; }
    bool Marked(std::int32_t x, std::int32_t y) const { return cells_[Index(x, y)] == generation_; }
    void Mark(std::int32_t x, std::int32_t y) { cells_[Index(x, y)] = generation_; }

private:
    static constexpr int Reach = 256;
    static constexpr int Side = 2 * Reach + 1;
    static std::size_t Index(std::int32_t x, std::int32_t y)
    {
        return static_cast<std::size_t>(x + Reach) * Side + static_cast<std::size_t>(y + Reach);
    }
    std::vector<std::uint32_t> cells_ = std::vector<std::uint32_t>(static_cast<std::size_t>(Side) * Side);
    std::uint32_t generation_ = 1;
};

// A walk grown from the origin one step at a time into a free neighbour,
// going straight on with probability `straight` when it can. A walk that
// traps itself starts over; after `attempts` tries the longest one is taken,
// so the result can be shorter than `points` (it always has two points).
// Such walks are compact and full of turns.
inline Coords GrowthPath(std::mt19937_64& rng, int points, double straight, int attempts = 400)
{
    static LatticeMarks marks;
    Coords best;
    for (int attempt = 0; attempt < attempts && static_cast<int>(best.size()) < points; ++attempt) {
        marks.NewGeneration();
        Coords path{{0, 0}};
        marks.Mark(0, 0);
        int heading = std::uniform_int_distribution<int>(0, 3)(rng);
        while (static_cast<int>(path.size()) < points) {
            const auto [x, y] = path.back();
            int free[4];
            int nFree = 0;
            bool straightFree = false;
            for (int d = 0; d < 4; ++d) {
                if (!marks.Marked(x + StepX[d], y + StepY[d])) {
                    free[nFree++] = d;
                    straightFree = straightFree || d == heading;
                }
            }
            if (nFree == 0)
                break;
            if (!straightFree || std::uniform_real_distribution<double>(0, 1)(rng) >= straight)
                heading = free[std::uniform_int_distribution<int>(0, nFree - 1)(rng)];
            path.emplace_back(x + StepX[heading], y + StepY[heading]);
            marks.Mark(path.back().first, path.back().second);
        }
        if (path.size() > best.size())
            best = std::move(path);
    }
    return best;
}

// A walk of exactly `points` points made by the pivot method: starting from a
// straight line, the part after a random point is carried by a random one of
// the seven non-trivial symmetries of the square lattice about that point,
// whenever the result avoids itself; `pivots` such attempts. Such walks are
// spread out and typical of long self-avoiding walks. The symmetries include
// the diagonal mirrors and the half turn, which the puzzle's moves do not offer
// in one step.
inline Coords PivotPath(std::mt19937_64& rng, int points, int pivots)
{
    static LatticeMarks marks;
    const int heading = std::uniform_int_distribution<int>(0, 3)(rng);
    Coords path = StraightPath(points, StepX[heading], StepY[heading]);

    Coords tail;
    for (int k = 0; k < pivots && points > 2; ++k) {
        const int p = std::uniform_int_distribution<int>(0, points - 2)(rng);
        const int g = std::uniform_int_distribution<int>(1, 7)(rng);
        const auto [px, py] = path[p];
        marks.NewGeneration();
        for (int i = 0; i <= p; ++i)
            marks.Mark(path[i].first, path[i].second);
        tail.clear();
        bool avoids = true;
        for (int i = p + 1; i < points && avoids; ++i) {
            const std::int32_t rx = path[i].first - px, ry = path[i].second - py;
            std::int32_t nx = rx, ny = ry;
            switch (g) {
            case 1: nx = -ry; ny = rx; break;   // quarter turn
            case 2: nx = -rx; ny = -ry; break;  // half turn
            case 3: nx = ry; ny = -rx; break;   // three quarters
            case 4: nx = rx; ny = -ry; break;   // mirror in the horizontal
            case 5: nx = -rx; ny = ry; break;   // mirror in the vertical
            case 6: nx = ry; ny = rx; break;    // mirror in the diagonal
            default: nx = -ry; ny = -rx; break; // mirror in the other diagonal
            }
            tail.emplace_back(px + nx, py + ny);
            avoids = !marks.Marked(px + nx, py + ny);
            marks.Mark(px + nx, py + ny);
        }
        if (avoids)
            std::copy(tail.begin(), tail.end(), path.begin() + p + 1);
    }
    return path;
}

// A random path aiming at `fewest` to `most` points, chosen evenly: grown
// (with a random liking for going straight) or made by pivots, one or the
// other evenly.
inline Coords RandomPath(std::mt19937_64& rng, int fewest, int most)
{
    const int points = std::uniform_int_distribution<int>(fewest, most)(rng);
    if (std::uniform_int_distribution<int>(0, 1)(rng) == 0)
        return GrowthPath(rng, points, std::uniform_real_distribution<double>(0, 0.8)(rng));
    return PivotPath(rng, points, points);
}

// ---- extreme shapes ------------------------------------------------------------

// A spiral from the origin turning left (counter-clockwise) or right, with
// its first step along `heading`, winding outward around its start.
inline Coords Spiral(int points, bool left, int heading)
{
    const int turn = left ? 1 : 3;
    Coords path{{0, 0}};
    int d = heading;
    // Turn whenever the point beside (towards the turn) is still free.
    while (static_cast<int>(path.size()) < points) {
        const auto [x, y] = path.back();
        const int side = (d + turn) % 4;
        const std::pair<std::int32_t, std::int32_t> beside{x + StepX[side], y + StepY[side]};
        if (path.size() > 1 && std::find(path.begin(), path.end(), beside) == path.end())
            d = side;
        path.emplace_back(x + StepX[d], y + StepY[d]);
    }
    return path;
}

// Back and forth in columns of `height` points, moving one column on after each.
inline Coords Serpentine(int points, int height)
{
    Coords path;
    int x = 0, y = 0, dy = 1;
    while (static_cast<int>(path.size()) < points) {
        path.emplace_back(x, y);
        if ((dy > 0 && y == height - 1) || (dy < 0 && y == 0)) {
            ++x;
            dy = -dy;
        } else {
            y += dy;
        }
    }
    return path;
}

// The path mirrored in the diagonal: x and y change places.
inline Coords Transposed(Coords path)
{
    for (auto& [x, y] : path)
        std::swap(x, y);
    return path;
}

// Alternating unit steps up and right.
inline Coords Staircase(int points)
{
    Coords path{{0, 0}};
    while (static_cast<int>(path.size()) < points) {
        const auto [x, y] = path.back();
        path.emplace_back(path.size() % 2 ? std::pair{x, y + 1} : std::pair{x + 1, y});
    }
    return path;
}

// A straight spine along +y with teeth of `tooth` points to the left between gaps.
inline Coords Comb(int points, int tooth)
{
    Coords path{{0, 0}};
    int y = 0;
    while (static_cast<int>(path.size()) < points) {
        // Out along the tooth, back one row up, then two steps up the spine.
        for (int i = 1; i <= tooth && static_cast<int>(path.size()) < points; ++i)
            path.emplace_back(-i, y);
        for (int i = tooth; i >= 0 && static_cast<int>(path.size()) < points; --i)
            path.emplace_back(-i, y + 1);
        y += 2;
        if (static_cast<int>(path.size()) < points)
            path.emplace_back(0, y);
    }
    return path;
}

// A path with the words that name it in a test's output.
struct NamedPath {
    std::string Name;
    Coords Path;
};

// The 18 extreme shapes of 255 points: spirals both ways from each heading,
// serpentines of height 2, 3, 5, 16 and 127, a staircase, and combs with
// teeth of 1, 3, 10 and 40.
inline std::vector<NamedPath> ExtremeShapes()
{
    std::vector<NamedPath> shapes;
    for (int heading = 0; heading < 4; ++heading) {
        shapes.push_back({"left spiral, heading " + std::to_string(heading), Spiral(MaxPoints, true, heading)});
        shapes.push_back({"right spiral, heading " + std::to_string(heading), Spiral(MaxPoints, false, heading)});
    }
    for (int height : {2, 3, 5, 16, 127})
        shapes.push_back({"serpentine of height " + std::to_string(height), Serpentine(MaxPoints, height)});
    shapes.push_back({"staircase", Staircase(MaxPoints)});
    for (int tooth : {1, 3, 10, 40})
        shapes.push_back({"comb with teeth of " + std::to_string(tooth), Comb(MaxPoints, tooth)});
    return shapes;
}

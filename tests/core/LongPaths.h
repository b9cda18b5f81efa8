// LongPaths.h: seeded random self-avoiding paths of up to 255 points, of two kinds, for tests at scale.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "core/RecordingHost.h"

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
    static constexpr int dx[] = {1, 0, -1, 0};
    static constexpr int dy[] = {0, 1, 0, -1};
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
                if (!marks.Marked(x + dx[d], y + dy[d])) {
                    free[nFree++] = d;
                    straightFree = straightFree || d == heading;
                }
            }
            if (nFree == 0)
                break;
            if (!straightFree || std::uniform_real_distribution<double>(0, 1)(rng) >= straight)
                heading = free[std::uniform_int_distribution<int>(0, nFree - 1)(rng)];
            path.emplace_back(x + dx[heading], y + dy[heading]);
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
    Coords path;
    const int heading = std::uniform_int_distribution<int>(0, 3)(rng);
    static constexpr int dx[] = {1, 0, -1, 0};
    static constexpr int dy[] = {0, 1, 0, -1};
    for (int i = 0; i < points; ++i)
        path.emplace_back(i * dx[heading], i * dy[heading]);

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

// A random path aiming at 2 to 255 points, chosen evenly: grown (with a random
// liking for going straight) or made by pivots, one or the other evenly.
inline Coords RandomLongPath(std::mt19937_64& rng)
{
    const int points = std::uniform_int_distribution<int>(2, 255)(rng);
    if (std::uniform_int_distribution<int>(0, 1)(rng) == 0)
        return GrowthPath(rng, points, std::uniform_real_distribution<double>(0, 0.8)(rng));
    return PivotPath(rng, points, points);
}

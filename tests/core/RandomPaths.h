// RandomPaths.h: seeded random self-avoiding lattice paths for property tests.
#pragma once

#include <random>
#include <set>
#include <utility>

#include "core/RecordingHost.h"

// A random walk from the origin that never revisits a point, aiming at `points`
// points; it ends early when it walks into a dead end (it always has two points).
inline Coords RandomSelfAvoidingPath(std::mt19937& rng, int points)
{
    static constexpr int dx[] = {1, 0, -1, 0};
    static constexpr int dy[] = {0, 1, 0, -1};
    Coords path{{0, 0}};
    std::set<std::pair<std::int32_t, std::int32_t>> seen{{0, 0}};
    while (static_cast<int>(path.size()) < points) {
        const auto [x, y] = path.back();
        std::pair<std::int32_t, std::int32_t> free[4];
        int nFree = 0;
        for (int d = 0; d < 4; ++d) {
            const std::pair<std::int32_t, std::int32_t> next{x + dx[d], y + dy[d]};
            if (!seen.count(next))
                free[nFree++] = next;
        }
        if (nFree == 0)
            break;
        const auto next = free[std::uniform_int_distribution<int>(0, nFree - 1)(rng)];
        seen.insert(next);
        path.push_back(next);
    }
    return path;
}

// Empty when `path` is a valid puzzle path (starts at the origin, unit steps,
// no point twice); otherwise what is wrong with it.
inline std::string PathFault(const Coords& path)
{
    if (path.empty())
        return "no points";
    if (path.front() != std::pair<std::int32_t, std::int32_t>{0, 0})
        return "does not start at the origin";
    std::set<std::pair<std::int32_t, std::int32_t>> seen;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!seen.insert(path[i]).second)
            return "point " + std::to_string(i + 1) + " repeats an earlier point";
        if (i > 0) {
            const long long ddx = static_cast<long long>(path[i].first) - path[i - 1].first;
            const long long ddy = static_cast<long long>(path[i].second) - path[i - 1].second;
            if (ddx * ddx + ddy * ddy != 1)
                return "step into point " + std::to_string(i + 1) + " is not a unit step";
        }
    }
    return {};
}

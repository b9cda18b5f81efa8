// FuzzSupport.h: what the fuzz targets share: a silent puzzle host, path checks and a hard failure.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "core/PathStore.h"
#include "cli/ToolHost.h"
#include "core/Puzzle.h"
#include "core/PuzzleHost.h"

// A finding: says what broke and aborts, so that libFuzzer keeps the input.
[[noreturn]] inline void FuzzFail(const char* file, int line, const std::string& what)
{
    std::fprintf(stderr, "\n*** fuzz check failed at %s:%d: %s\n", file, line, what.c_str());
    std::abort();
}

#define FUZZ_CHECK(condition, what)                         \
    do {                                                    \
        if (!(condition))                                   \
            FuzzFail(__FILE__, __LINE__, std::string(what)); \
    } while (0)

// A puzzle with the tool's silent host.
struct FuzzRig {
    ToolHost Host;
    TPuzzle Puzzle{Host};
};

// A fresh puzzle for every input, so that a finding replays alone, holding
// `problem` as the game loads one it has read. The one before is dropped.
inline FuzzRig& FreshRig(const Problem& problem)
{
    static std::unique_ptr<FuzzRig> rig;
    rig = std::make_unique<FuzzRig>();  // its history alone is 128 KiB: not on the stack
    rig->Puzzle.LoadProblem(problem);
    return *rig;
}

// Empty when points 1..count start at the origin, step one unit along one axis
// each and never repeat a point; otherwise what is wrong.
inline std::string PathFault(const PathArray& p, int count)
{
    if (count < 1 || count > MaxPoints)
        return "point count " + std::to_string(count);
    if (p[1].X != 0 || p[1].Y != 0)
        return "point 1 is not the origin";
    std::array<std::int64_t, PathSlots> keys{};
    for (int i = 1; i <= count; ++i) {
        if (i > 1) {
            const std::int64_t dx = std::int64_t{p[i].X} - p[i - 1].X;
            const std::int64_t dy = std::int64_t{p[i].Y} - p[i - 1].Y;
            if (dx * dx + dy * dy != 1)
                return "step into point " + std::to_string(i) + " is not a unit step";
        }
        keys[i - 1] = (std::int64_t{p[i].X} << 32) | static_cast<std::uint32_t>(p[i].Y);
    }
    std::sort(keys.begin(), keys.begin() + count);
    if (std::adjacent_find(keys.begin(), keys.begin() + count) != keys.begin() + count)
        return "a point repeats";
    return {};
}

// Whether the derived fields of points 1..count equal those a fresh derivation
// of the same coordinates gives. The last point has no step, so no direction.
inline bool DerivedIsCurrent(const TPathStore& store)
{
    static const std::unique_ptr<TPathStore> fresh = std::make_unique<TPathStore>();
    fresh->SetPath(Problem{store.PointCount(), store.WorkPath()});
    fresh->DeriveStructure();
    const int n = store.PointCount();
    for (int i = 1; i <= n; ++i) {
        const PathPoint& a = store.Work(i);
        const PathPoint& b = fresh->Work(i);
        if ((i < n && a.Dir != b.Dir) || a.Kind != b.Kind || a.PrevCorner != b.PrevCorner ||
            a.NextCorner != b.NextCorner)
            return false;
    }
    return true;
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

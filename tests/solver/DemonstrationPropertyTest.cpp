// DemonstrationPropertyTest.cpp: the demonstration run from every short path, random paths of up to 255 points and extreme shapes ends straight, without a refused move.
#include <algorithm>
#include <array>
#include <functional>
#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Puzzle.h"
#include "solver/Demonstration.h"
#include "support/PathChecks.h"
#include "support/Paths.h"
#include "support/PuzzleRig.h"

namespace {

// Runs the demonstration from `start` the way the game steps it; empty when
// it ends straight along +x with every move accepted, otherwise what went
// wrong. A run still going after 10 moves per point, or 4 per point of the
// longest path, is taken as stuck: the most demanding paths known need
// about one and a half per point.
std::string DemonstrationFault(PuzzleRig& rig, const Coords& start, int& moves)
{
    const int n = static_cast<int>(start.size());
    const int limit = std::min(10 * n, 4 * MaxPoints);
    rig.Load(start);
    for (int step = 1; step <= limit; ++step) {
        const std::optional<SolverMove> move = NextDemonstrationMove(rig.Puzzle);
        if (!move)
            return "no move at step " + std::to_string(step);
        if (move->Pivot < 1 || move->Pivot >= n)
            return "pivot " + std::to_string(move->Pivot) + " outside 1.." + std::to_string(n - 1);
        if (rig.Puzzle.ApplyOperation(move->OpCode, move->Pivot) != MoveOutcome::Applied)
            return "move " + std::to_string(move->OpCode) + " at " + std::to_string(move->Pivot) +
                   " not applied at step " + std::to_string(step);
        if (const std::string fault = PathFault(rig.Puzzle.WorkPath(), n); !fault.empty())
            return "step " + std::to_string(step) + ": " + fault;
        moves = step;
        if (rig.Puzzle.IsSolved()) {
            if (!StraightAlongPlusX(rig.Puzzle.WorkPath(), n))
                return "reported solved, not straight";
            if (rig.Puzzle.MoveCount() != step)
                return "history holds " + std::to_string(rig.Puzzle.MoveCount()) + " moves";
            return {};
        }
    }
    return "not solved after " + std::to_string(limit) + " moves";
}

// Every self-avoiding walk of 1 to `steps` steps from the origin.
std::vector<NamedPath> AllWalks(int steps)
{
    std::vector<NamedPath> walks;
    Coords path{{0, 0}};
    std::set<std::pair<std::int32_t, std::int32_t>> seen{{0, 0}};
    std::function<void()> walk = [&] {
        if (path.size() >= 2)
            walks.push_back({"walk", path});
        if (static_cast<int>(path.size()) == steps + 1)
            return;
        const auto [x, y] = path.back();
        for (const auto& next : {std::pair{x + 1, y}, {x, y + 1}, {x - 1, y}, {x, y - 1}}) {
            if (!seen.insert(next).second)
                continue;
            path.push_back(next);
            walk();
            path.pop_back();
            seen.erase(next);
        }
    };
    walk();
    return walks;
}

std::vector<NamedPath> RandomPaths(std::uint64_t seed, int count, int fewest, int most)
{
    std::mt19937_64 rng(seed);
    std::vector<NamedPath> paths;
    for (int round = 0; round < count; ++round)
        paths.push_back({"round " + std::to_string(round), RandomPath(rng, fewest, most)});
    return paths;
}

// A set of paths the demonstration runs from, and what the set must hold so
// that it really covers what it is meant to.
struct PathSet {
    const char* Name;
    std::function<std::vector<NamedPath>()> Make;
    std::size_t Count;       // paths in the set
    int Points = 0;          // when not 0, the points of every path
    int MinMostMoves = 0;    // the longest run needs more moves than this
    int MinPerBand = 0;      // paths of each band of 16 lengths from 2 to 255
    bool ShowEach = false;   // print each path's number of moves
};

void PrintTo(const PathSet& set, std::ostream* os) { *os << set.Name; }

class DemonstrationProperties : public testing::TestWithParam<PathSet> {};

}  // namespace

TEST_P(DemonstrationProperties, EveryPathEndsSolvedWithoutRefusal)
{
    const PathSet& set = GetParam();
    constexpr int BandWidth = 16;  // points 2-16, 17-32, ..., 241-255
    constexpr int Bands = (MaxPoints + BandWidth - 1) / BandWidth;
    struct Band {
        int Paths = 0, MostMoves = 0;
        long TotalMoves = 0;
    };
    std::array<Band, Bands> bands{};
    auto rig = std::make_unique<PuzzleRig>();
    double mostMovesPerPoint = 0;
    int mostMoves = 0;
    int faults = 0;

    const std::vector<NamedPath> paths = set.Make();
    ASSERT_EQ(paths.size(), set.Count);
    for (const NamedPath& p : paths) {
        const int n = static_cast<int>(p.Path.size());
        ASSERT_EQ(PathFault(p.Path), "") << p.Name;
        if (set.Points) {
            ASSERT_EQ(n, set.Points) << p.Name;
        }
        int moves = 0;
        const std::string fault = DemonstrationFault(*rig, p.Path, moves);
        // A broken rule may break thousands of paths; the first few tell enough.
        if (!fault.empty() && ++faults <= 10)
            ADD_FAILURE() << p.Name << ", " << n << " points: " << fault << "; from " << Show(p.Path);
        if (set.ShowEach)
            std::cout << "[ figures  ] " << p.Name << ": " << moves << " moves\n";
        Band& b = bands[(n - 1) / BandWidth];
        ++b.Paths;
        b.MostMoves = std::max(b.MostMoves, moves);
        b.TotalMoves += moves;
        mostMoves = std::max(mostMoves, moves);
        mostMovesPerPoint = std::max(mostMovesPerPoint, static_cast<double>(moves) / n);
    }

    std::cout << "[ figures  ] " << set.Name << ": " << paths.size() << " paths\n"
              << "[ figures  ] points   paths  most moves  mean moves\n";
    for (int k = 0; k < Bands; ++k) {
        const Band& b = bands[k];
        if (b.Paths > 0)
            std::cout << "[ figures  ] " << std::setw(3) << std::max(2, k * BandWidth + 1) << "-" << std::setw(3)
                      << std::min(MaxPoints, (k + 1) * BandWidth) << std::setw(8) << b.Paths << std::setw(12)
                      << b.MostMoves << std::setw(12) << std::fixed << std::setprecision(1)
                      << static_cast<double>(b.TotalMoves) / b.Paths << "\n";
        EXPECT_GE(b.Paths, set.MinPerBand) << "points " << std::max(2, k * BandWidth + 1) << " to "
                                           << std::min(MaxPoints, (k + 1) * BandWidth);
    }
    std::cout << "[ figures  ] most moves per point " << std::setprecision(3) << mostMovesPerPoint << "\n";
    EXPECT_EQ(faults, 0);
    EXPECT_GT(mostMoves, set.MinMostMoves);
}

namespace {

std::string SetName(const testing::TestParamInfo<PathSet>& info) { return info.param.Name; }

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Quick, DemonstrationProperties,
    testing::Values(PathSet{"AllPathsUpTo11Points", [] { return AllWalks(10); },
                            // The known counts of self-avoiding walks of 1 to 10 steps.
                            4 + 12 + 36 + 100 + 284 + 780 + 2172 + 5916 + 16268 + 44100},
                    PathSet{"RandomPathsUpTo60Points", [] { return RandomPaths(8675309, 400, 2, 60); }, 400, 0, 20},
                    PathSet{"ExtremeShapesOf255Points", ExtremeShapes, 18, MaxPoints, 0, 0, true}),
    SetName);

// Long runs, kept out of the quick suite by their name.
INSTANTIATE_TEST_SUITE_P(
    Stress, DemonstrationProperties,
    testing::Values(PathSet{"RandomPathsUpTo255Points", [] { return RandomPaths(0xD3E0'2025'0005ULL, 4000, 2, MaxPoints); },
                            4000, 0, 0, 101}),
    SetName);

// DemonstrationPropertyTest.cpp: the demonstration run from random paths ends straight, without a refused move.
#include <algorithm>
#include <functional>
#include <optional>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Puzzle.h"
#include "core/RandomPaths.h"
#include "core/RecordingHost.h"
#include "solver/Demonstration.h"

namespace {

std::string Show(const Coords& path)
{
    std::ostringstream os;
    for (const auto& [x, y] : path)
        os << "(" << x << "," << y << ")";
    return os.str();
}

// Runs the demonstration from `start`; empty when it ends straight along +x
// within 10 steps per point with every move accepted, otherwise what went wrong.
std::string DemonstrationFault(PuzzleRig& rig, const Coords& start, int* stepsTaken = nullptr)
{
    const int n = static_cast<int>(start.size());
    rig.Load(start);
    for (int steps = 1; steps <= 10 * n; ++steps) {
        const std::optional<SolverMove> move = NextDemonstrationMove(rig.Puzzle);
        if (!move)
            return "no move";
        if (move->Pivot < 1 || move->Pivot >= n)
            return "pivot " + std::to_string(move->Pivot) + " outside 1.." + std::to_string(n - 1);
        rig.Host.Clear();
        const MoveOutcome outcome = rig.Puzzle.ApplyOperation(move->OpCode, move->Pivot);
        if (outcome != MoveOutcome::Applied)
            return "step " + std::to_string(steps) + ": op " + std::to_string(move->OpCode) +
                   " at " + std::to_string(move->Pivot) + " not applied";
        if (const std::string fault = PathFault(rig.Path()); !fault.empty())
            return "step " + std::to_string(steps) + ": " + fault;
        if (rig.Host.CountOf(RecordingHost::Call::PathSolved) > 0) {
            if (rig.Path() != StraightPath(n, 1, 0))
                return "reported solved but not straight along +x";
            if (rig.Puzzle.MoveCount() != steps)
                return "history holds " + std::to_string(rig.Puzzle.MoveCount()) + " moves";
            if (stepsTaken)
                *stepsTaken = steps;
            return {};
        }
    }
    return "not straight after " + std::to_string(10 * n) + " steps";
}

} // namespace

TEST(DemonstrationProperties, EveryPathUpTo11PointsIsSolvedWithoutRefusal)
{
    // All self-avoiding walks of 1 to 10 steps from the origin, enumerated.
    auto rig = std::make_unique<PuzzleRig>();
    Coords path{{0, 0}};
    std::set<std::pair<std::int32_t, std::int32_t>> seen{{0, 0}};
    long checked = 0;
    std::function<void()> walk = [&] {
        if (path.size() >= 2) {
            ++checked;
            const std::string fault = DemonstrationFault(*rig, path);
            ASSERT_EQ(fault, "") << "from " << Show(path);
        }
        if (path.size() == 11)
            return;
        const auto [x, y] = path.back();
        for (const auto& next : {std::pair{x + 1, y}, {x, y + 1}, {x - 1, y}, {x, y - 1}}) {
            if (!seen.insert(next).second)
                continue;
            path.push_back(next);
            walk();
            path.pop_back();
            seen.erase(next);
            if (testing::Test::HasFatalFailure())
                return;
        }
    };
    walk();
    EXPECT_EQ(checked, 4 + 12 + 36 + 100 + 284 + 780 + 2172 + 5916 + 16268 + 44100)
        << "the known counts of self-avoiding walks";
}

TEST(DemonstrationProperties, RandomPathsAreSolvedWithoutRefusal)
{
    std::mt19937 rng(8675309);
    auto rig = std::make_unique<PuzzleRig>();
    int longest = 0;
    for (int round = 0; round < 400; ++round) {
        const Coords start =
            RandomSelfAvoidingPath(rng, std::uniform_int_distribution<int>(2, 60)(rng));
        int steps = 0;
        ASSERT_EQ(DemonstrationFault(*rig, start, &steps), "")
            << "round " << round << " from " << Show(start);
        longest = std::max(longest, steps);
    }
    // The walks were long enough to need real work.
    EXPECT_GT(longest, 20);
}

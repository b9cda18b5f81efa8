// DemonstrationAtScaleTest.cpp: the demonstration run over thousands of random and extreme paths of up to 255 points.
#include <algorithm>
#include <array>
#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/LongPaths.h"
#include "core/Puzzle.h"
#include "core/RandomPaths.h"
#include "solver/Demonstration.h"

namespace {

// Four moves per point of the longest path; the most demanding paths known
// need about one and a half per point. A run still going then is taken as stuck.
constexpr int StepLimit = 4 * MaxPoints;

class CountingHost : public PuzzleHost {
public:
    int Messages = 0;
    int Solves = 0;

    void DrawPath() override {}
    void HighlightTail(std::uint8_t, std::uint8_t) override {}
    void ShowMessage(const std::string&) override { ++Messages; }
    void SetUndoEnabled(bool) override {}
    void PathSolved() override { ++Solves; }
};

struct Rig {
    CountingHost Host;
    TPuzzle Puzzle{Host};
};

struct RunOutcome {
    bool Solved = false;
    int Moves = 0;      // moves applied
    std::string Fault;  // what went wrong, empty when the run ended straight along +x
};

// Steps the demonstration from `start` the way the game does, until the solved
// test reports success or the step limit is reached.
RunOutcome Demonstrate(Rig& rig, const Coords& start)
{
    TPuzzle& puzzle = rig.Puzzle;
    const int n = static_cast<int>(start.size());
    PlacePath(puzzle, start);
    puzzle.ResetToProblem();
    puzzle.Redraw();
    rig.Host.Messages = rig.Host.Solves = 0;
    RunOutcome run;
    for (int step = 1; step <= StepLimit; ++step) {
        const std::optional<SolverMove> move = NextDemonstrationMove(puzzle);
        if (!move) {
            run.Fault = "no move at step " + std::to_string(step);
            return run;
        }
        if (puzzle.ApplyOperation(move->OpCode, move->Pivot) != MoveOutcome::Applied) {
            run.Fault = "move " + std::to_string(move->OpCode) + " at " + std::to_string(move->Pivot) +
                        " refused at step " + std::to_string(step);
            return run;
        }
        run.Moves = step;
        if (rig.Host.Solves > 0) {
            run.Solved = WorkCoords(puzzle) == StraightPath(n, 1, 0);
            if (!run.Solved)
                run.Fault = "reported solved, not straight";
            else if (puzzle.MoveCount() != step)
                run.Fault = "history holds " + std::to_string(puzzle.MoveCount()) + " moves";
            return run;
        }
    }
    run.Fault = "not solved after " + std::to_string(StepLimit) + " moves";
    return run;
}

std::string Show(const Coords& path)
{
    std::ostringstream os;
    for (const auto& [x, y] : path)
        os << "(" << x << "," << y << ")";
    return os.str();
}

}  // namespace

TEST(DemonstrationAtScale, RandomPathsUpTo255PointsEndSolvedWithoutRefusal)
{
    constexpr std::uint64_t Seed = 0xD3E0'2025'0005ULL;
    constexpr int Paths = 4000;
    constexpr int BucketWidth = 16;  // points 2-16, 17-32, ..., 241-255
    constexpr int Buckets = (MaxPoints + BucketWidth - 1) / BucketWidth;
    struct Bucket {
        int Paths = 0, Solved = 0, MostMoves = 0;
        long TotalMoves = 0;
    };
    std::array<Bucket, Buckets> buckets{};
    std::mt19937_64 rng(Seed);
    auto rig = std::make_unique<Rig>();
    std::vector<std::string> faults;
    double mostMovesPerPoint = 0;

    for (int round = 0; round < Paths; ++round) {
        const Coords start = RandomLongPath(rng);
        const int n = static_cast<int>(start.size());
        ASSERT_EQ(PathFault(start), "") << "generator, round " << round;
        const RunOutcome run = Demonstrate(*rig, start);
        Bucket& b = buckets[(n - 1) / BucketWidth];
        ++b.Paths;
        if (!run.Fault.empty()) {
            faults.push_back("round " + std::to_string(round) + ", " + std::to_string(n) + " points: " + run.Fault +
                             "; from " + Show(start));
            continue;
        }
        ++b.Solved;
        b.MostMoves = std::max(b.MostMoves, run.Moves);
        b.TotalMoves += run.Moves;
        mostMovesPerPoint = std::max(mostMovesPerPoint, static_cast<double>(run.Moves) / n);
    }

    std::cout << "[ figures  ] seed 0x" << std::hex << Seed << std::dec << ", " << Paths << " paths\n"
              << "[ figures  ] points   paths  solved  most moves  mean moves\n";
    int solved = 0;
    for (int k = 0; k < Buckets; ++k) {
        const Bucket& b = buckets[k];
        solved += b.Solved;
        std::cout << "[ figures  ] " << std::setw(3) << std::max(2, k * BucketWidth + 1) << "-" << std::setw(3)
                  << std::min(MaxPoints, (k + 1) * BucketWidth) << std::setw(8) << b.Paths << std::setw(8)
                  << b.Solved << std::setw(12) << b.MostMoves << std::setw(12) << std::fixed
                  << std::setprecision(1) << (b.Solved ? static_cast<double>(b.TotalMoves) / b.Solved : 0.0)
                  << "\n";
    }
    std::cout << "[ figures  ] solved " << solved << " of " << Paths << "; most moves per point "
              << std::setprecision(3) << mostMovesPerPoint << "\n";

    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
    EXPECT_EQ(solved, Paths);
    // Every bucket was really sampled.
    for (const Bucket& b : buckets)
        EXPECT_GT(b.Paths, 100);
}

TEST(DemonstrationAtScale, ExtremeShapesOf255PointsEndSolvedWithoutRefusal)
{
    auto rig = std::make_unique<Rig>();
    for (const NamedPath& shape : ExtremeShapes()) {
        ASSERT_EQ(static_cast<int>(shape.Path.size()), MaxPoints) << shape.Name;
        ASSERT_EQ(PathFault(shape.Path), "") << shape.Name;
        const RunOutcome run = Demonstrate(*rig, shape.Path);
        EXPECT_EQ(run.Fault, "") << shape.Name;
        std::cout << "[ figures  ] " << shape.Name << ": " << run.Moves << " moves\n";
    }
}

// PathPropertiesAtScaleTest.cpp: thousands of random paths of 2 to 255 points under random moves and undos.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/LongPaths.h"
#include "core/Puzzle.h"
#include "core/RandomPaths.h"

namespace {

// Counts what the core asks of its window; nothing is drawn or shown.
class CountingHost : public PuzzleHost {
public:
    int Messages = 0;
    int Solves = 0;
    bool UndoEnabled = false;

    void DrawPath() override {}
    void HighlightTail(std::uint8_t, std::uint8_t) override {}
    void ShowMessage(const std::string&) override { ++Messages; }
    void SetUndoEnabled(bool enabled) override { UndoEnabled = enabled; }
    void PathSolved() override { ++Solves; }
};

struct Rig {
    CountingHost Host;
    TPuzzle Puzzle{Host};
};

// Points 1..PointCount of WorkPath with their derived fields.
std::vector<PathPoint> Slots(const TPuzzle& puzzle)
{
    return {puzzle.WorkPath().begin() + 1, puzzle.WorkPath().begin() + 1 + puzzle.PointCount()};
}

bool SameBytes(const std::vector<PathPoint>& a, const std::vector<PathPoint>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(PathPoint)) == 0;
}


// The tail point (x, y) carried by `op` about (px, py), by plain geometry.
std::pair<std::int32_t, std::int32_t> Carried(std::int32_t x, std::int32_t y, std::int32_t px, std::int32_t py,
                                              std::uint8_t op)
{
    const std::int32_t rx = x - px, ry = y - py;
    switch (op) {
    case OpR: return {px + ry, py - rx};
    case OpL: return {px - ry, py + rx};
    case OpH: return {x, py - ry};
    default: return {px - rx, y};
    }
}

// Empty when WorkPath starts at the origin, takes unit steps and never
// repeats a point; otherwise what is wrong. The same test as PathFault, made
// fast enough to run after every one of a hundred thousand requests.
std::string WorkPathFault(const TPuzzle& puzzle)
{
    static LatticeMarks marks;
    marks.NewGeneration();
    const PathArray& p = puzzle.WorkPath();
    if (p[1].X != 0 || p[1].Y != 0)
        return "does not start at the origin";
    for (int i = 1; i <= puzzle.PointCount(); ++i) {
        const std::int64_t x = p[i].X, y = p[i].Y;
        if (i > 1 && std::abs(x - p[i - 1].X) + std::abs(y - p[i - 1].Y) != 1)
            return "step into point " + std::to_string(i) + " is not a unit step";
        if (std::abs(x) > MaxPoints || std::abs(y) > MaxPoints)
            return "point " + std::to_string(i) + " is farther from the origin than the path is long";
        if (marks.Marked(p[i].X, p[i].Y))
            return "point " + std::to_string(i) + " repeats an earlier point";
        marks.Mark(p[i].X, p[i].Y);
    }
    return {};
}

bool StraightAlongPlusX(const Coords& path)
{
    return path == StraightPath(static_cast<int>(path.size()), 1, 0);
}

// Plays random requests on one path at a time and checks the puzzle after each.
class Exerciser {
public:
    long Accepted = 0, Refused = 0, Undone = 0, Stale = 0;

    explicit Exerciser(std::uint64_t seed) : seed_(seed), rng_(seed) {}

    std::mt19937_64& Rng() { return rng_; }

    void Load(const Coords& start)
    {
        ASSERT_EQ(PathFault(start), "") << "generator";
        start_ = start;
        PlacePath(puzzle(), start);
        puzzle().ResetToProblem();
        puzzle().Redraw();
        startSlots_ = Slots(puzzle());
        earlier_.clear();
    }

    // One random request: an undo with chance undoIn20 / 20, else now and then
    // a stale request, else a move R, L, H or V at a random point of the path.
    void Act(int undoIn20, int round, int action)
    {
        TPuzzle& puzzle = this->puzzle();
        const int n = puzzle.PointCount();
        SCOPED_TRACE(testing::Message() << "seed 0x" << std::hex << seed_ << std::dec << " round " << round
                                        << " action " << action << " points " << n);
        const std::vector<PathPoint> before = Slots(puzzle);
        const PathArray whole = puzzle.WorkPath();
        rig_->Host.Messages = rig_->Host.Solves = 0;
        const int roll = std::uniform_int_distribution<int>(0, 19)(rng_);

        if (roll < undoIn20) {
            const bool had = !earlier_.empty();
            ASSERT_EQ(puzzle.Undo(), had);
            ASSERT_EQ(rig_->Host.Messages, 0) << "an undo is never refused";
            if (had) {
                ASSERT_TRUE(SameBytes(Slots(puzzle), earlier_.back())) << "undo restores the exact earlier path";
                earlier_.pop_back();
                ++Undone;
            } else {
                ASSERT_EQ(std::memcmp(&puzzle.WorkPath(), &whole, sizeof whole), 0);
            }
            ASSERT_EQ(rig_->Host.UndoEnabled, !earlier_.empty());
        } else if (roll == 19) {
            // A stale request: no operation, an operation code beyond V, or a pivot off the path.
            const int kind = std::uniform_int_distribution<int>(0, 2)(rng_);
            const auto op = static_cast<std::uint8_t>(
                kind == 0 ? 0 : kind == 1 ? std::uniform_int_distribution<int>(5, 255)(rng_) : int{OpR});
            const auto pivot = static_cast<std::uint8_t>(
                kind == 2 ? (std::uniform_int_distribution<int>(0, 1)(rng_) ? 0 : n + 1)
                          : std::uniform_int_distribution<int>(1, n)(rng_));
            const MoveOutcome outcome = puzzle.ApplyOperation(op, pivot);
            ASSERT_EQ(outcome, op == 0 ? MoveOutcome::Cancelled : MoveOutcome::Ignored);
            ASSERT_EQ(std::memcmp(&puzzle.WorkPath(), &whole, sizeof whole), 0) << "a stale request moves nothing";
            ASSERT_EQ(rig_->Host.Messages, 0);
            ++Stale;
        } else {
            const auto op = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(OpR, OpV)(rng_));
            const auto pivot = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, n)(rng_));
            const MoveOutcome outcome = puzzle.ApplyOperation(op, pivot);
            if (outcome == MoveOutcome::Refused) {
                ASSERT_EQ(std::memcmp(&puzzle.WorkPath(), &whole, sizeof whole), 0)
                    << "a refused " << int{op} << " at " << int{pivot} << " leaves the path byte-identical";
                ASSERT_EQ(rig_->Host.Messages, 1);
                ++Refused;
            } else {
                ASSERT_EQ(outcome, MoveOutcome::Applied);
                ASSERT_EQ(rig_->Host.Messages, 0);
                const Coords after = WorkCoords(puzzle);
                for (int i = 0; i < n; ++i) {
                    const auto expected = i < pivot ? std::pair{before[i].X, before[i].Y}
                                                    : Carried(before[i].X, before[i].Y, before[pivot - 1].X,
                                                              before[pivot - 1].Y, op);
                    ASSERT_EQ(after[i], expected) << "point " << i + 1 << " after " << int{op} << " at "
                                                  << int{pivot};
                }
                ASSERT_EQ(rig_->Host.Solves > 0, StraightAlongPlusX(after));
                ASSERT_TRUE(rig_->Host.UndoEnabled);
                earlier_.push_back(before);
                ++Accepted;
            }
        }
        ASSERT_EQ(puzzle.MoveCount(), earlier_.size()) << "MoveCount counts the moves kept";
        ASSERT_EQ(WorkPathFault(puzzle), "");
        ASSERT_TRUE(DerivedIsCurrent(puzzle)) << "derived fields match a fresh derivation";
    }

    // Takes back every move kept, checking each step, down to the path as loaded.
    void UndoAll()
    {
        TPuzzle& puzzle = this->puzzle();
        while (!earlier_.empty()) {
            ASSERT_TRUE(puzzle.Undo());
            ASSERT_TRUE(SameBytes(Slots(puzzle), earlier_.back()));
            earlier_.pop_back();
        }
        ASSERT_TRUE(SameBytes(Slots(puzzle), startSlots_));
        ASSERT_EQ(WorkCoords(puzzle), start_);
        ASSERT_EQ(puzzle.MoveCount(), 0);
        ASSERT_FALSE(rig_->Host.UndoEnabled);
    }

    std::size_t MovesKept() const { return earlier_.size(); }

private:
    TPuzzle& puzzle() { return rig_->Puzzle; }

    std::uint64_t seed_;
    std::mt19937_64 rng_;
    std::unique_ptr<Rig> rig_ = std::make_unique<Rig>();
    Coords start_;
    std::vector<PathPoint> startSlots_;
    std::vector<std::vector<PathPoint>> earlier_;  // the path before each move kept
};

}  // namespace

TEST(PathPropertiesAtScale, MovesAndUndosKeepEveryRuleOnThousandsOfPaths)
{
    constexpr std::uint64_t Seed = 0x5EED'2025'0005ULL;
    constexpr int Paths = 3000;
    constexpr int ActionsPerPath = 30;
    Exerciser exerciser(Seed);
    int shortest = MaxPoints, longest = 0;

    for (int round = 0; round < Paths; ++round) {
        const Coords start = RandomLongPath(exerciser.Rng());
        shortest = std::min(shortest, static_cast<int>(start.size()));
        longest = std::max(longest, static_cast<int>(start.size()));
        ASSERT_NO_FATAL_FAILURE(exerciser.Load(start)) << "round " << round;
        for (int action = 0; action < ActionsPerPath; ++action)
            ASSERT_NO_FATAL_FAILURE(exerciser.Act(4, round, action));
        ASSERT_NO_FATAL_FAILURE(exerciser.UndoAll()) << "round " << round;
    }

    std::cout << "[ figures  ] seed 0x" << std::hex << Seed << std::dec << ": " << Paths << " paths of "
              << shortest << " to " << longest << " points; " << exerciser.Accepted << " moves accepted, "
              << exerciser.Refused << " refused, " << exerciser.Undone << " undone, " << exerciser.Stale
              << " stale requests\n";
    EXPECT_EQ(shortest, 2);
    EXPECT_EQ(longest, MaxPoints);
    EXPECT_GT(exerciser.Accepted, 10000);
    EXPECT_GT(exerciser.Refused, 10000);
    EXPECT_GT(exerciser.Undone, 5000);
}

TEST(PathPropertiesAtScale, LongPlaysOnFullPathsUndoBackToTheStart)
{
    // Few undos, so that the history grows deep before everything is taken back.
    constexpr std::uint64_t Seed = 0x5EED'2025'0255ULL;
    constexpr int Paths = 24;
    constexpr int ActionsPerPath = 1500;
    Exerciser exerciser(Seed);
    std::size_t deepest = 0;

    for (int round = 0; round < Paths; ++round) {
        const Coords start = round % 2 ? PivotPath(exerciser.Rng(), MaxPoints, MaxPoints)
                                       : GrowthPath(exerciser.Rng(), MaxPoints, 0.5);
        ASSERT_NO_FATAL_FAILURE(exerciser.Load(start)) << "round " << round;
        for (int action = 0; action < ActionsPerPath; ++action) {
            ASSERT_NO_FATAL_FAILURE(exerciser.Act(1, round, action));
            deepest = std::max(deepest, exerciser.MovesKept());
        }
        ASSERT_NO_FATAL_FAILURE(exerciser.UndoAll()) << "round " << round;
    }

    std::cout << "[ figures  ] seed 0x" << std::hex << Seed << std::dec << ": " << Paths << " plays of "
              << ActionsPerPath << " requests; " << exerciser.Accepted << " moves accepted, " << exerciser.Refused
              << " refused, " << exerciser.Undone << " undone; deepest history " << deepest << "\n";
    EXPECT_GT(deepest, 300u);
}

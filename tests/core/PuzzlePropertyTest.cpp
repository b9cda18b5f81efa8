// PuzzlePropertyTest.cpp: random moves, stale requests and undos on random paths keep every rule of the puzzle, from quick runs to thousands of paths of up to 255 points.
#include <algorithm>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Puzzle.h"
#include "support/PathChecks.h"
#include "support/Paths.h"
#include "support/PuzzleRig.h"

namespace {

// A run of random plays: which paths, how many requests on each and how
// often an undo, and what the run must reach so that every branch was
// really exercised.
struct PlayRun {
    const char* Name;
    std::uint64_t Seed;
    int Paths;
    Coords (*MakePath)(std::mt19937_64& rng, int round);
    int Requests;  // on each path
    int UndoIn20;  // an undo with this chance in 20
    long MinAccepted = 0, MinRefused = 0, MinUndone = 0, MinStale = 0;
    std::size_t MinDeepest = 0;  // the deepest history
    bool EveryLength = false;    // paths of 2 and of 255 points among them
};

void PrintTo(const PlayRun& run, std::ostream* os) { *os << run.Name; }

// The tail point (x, y) carried by `op` about (px, py), by plain geometry
// rather than by stepping as the puzzle does.
std::pair<std::int32_t, std::int32_t> Carried(std::int32_t x, std::int32_t y, std::int32_t px, std::int32_t py,
                                              std::uint8_t op)
{
    const std::int32_t rx = x - px, ry = y - py;
    switch (op) {
    case OpR: return {px + ry, py - rx};  // clockwise, +y up
    case OpL: return {px - ry, py + rx};
    case OpH: return {x, py - ry};
    default: return {px - rx, y};
    }
}

// Plays random requests on one path at a time and checks the puzzle after each.
class Exerciser {
public:
    long Accepted = 0, Refused = 0, Undone = 0, Stale = 0;
    std::size_t Deepest = 0;

    explicit Exerciser(std::uint64_t seed) : seed_(seed), rng_(seed) {}

    std::mt19937_64& Rng() { return rng_; }

    void Load(const Coords& start)
    {
        ASSERT_EQ(PathFault(start), "") << "generator";
        rig_->Load(start);
        start_ = rig_->Puzzle.WorkPath();
        earlier_.clear();
    }

    // One random request: an undo with chance undoIn20 / 20, else now and then
    // a stale request, else a move R, L, H or V at a random point of the path.
    void Act(int undoIn20, int round, int action)
    {
        TPuzzle& puzzle = rig_->Puzzle;
        const int n = puzzle.PointCount();
        SCOPED_TRACE(testing::Message() << "seed 0x" << std::hex << seed_ << std::dec << " round " << round
                                        << " action " << action << " points " << n);
        const PathArray before = puzzle.WorkPath();
        const Coords beforeCoords = rig_->Path();
        const int roll = std::uniform_int_distribution<int>(0, 19)(rng_);

        if (roll < undoIn20) {
            const bool had = !earlier_.empty();
            const std::optional<MoveResult> undone = puzzle.Undo();
            ASSERT_EQ(undone.has_value(), had);
            if (had) {
                ASSERT_EQ(undone->Outcome, MoveOutcome::Applied) << "an undo is never refused";
                ASSERT_TRUE(SameBytes(puzzle.WorkPath(), earlier_.back())) << "undo restores the exact earlier path";
                earlier_.pop_back();
                ++Undone;
            } else {
                ASSERT_TRUE(SameBytes(puzzle.WorkPath(), before));
            }
        } else if (roll == 19) {
            // A stale request: no operation, an operation code beyond V, or a pivot off the path.
            const int kind = std::uniform_int_distribution<int>(0, 2)(rng_);
            const auto op = static_cast<std::uint8_t>(
                kind == 0 ? 0 : kind == 1 ? std::uniform_int_distribution<int>(5, 255)(rng_) : int{OpR});
            const auto pivot = static_cast<std::uint8_t>(
                kind == 2 ? (std::uniform_int_distribution<int>(0, 1)(rng_) ? 0 : n + 1)
                          : std::uniform_int_distribution<int>(1, n)(rng_));
            const MoveOutcome outcome = puzzle.ApplyOperation(op, pivot).Outcome;
            ASSERT_EQ(outcome, op == 0 ? MoveOutcome::Cancelled : MoveOutcome::Ignored);
            ASSERT_TRUE(SameBytes(puzzle.WorkPath(), before)) << "a stale request moves nothing";
            ++Stale;
        } else {
            const auto op = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(OpR, OpV)(rng_));
            const auto pivot = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, n)(rng_));
            SCOPED_TRACE(testing::Message() << "op " << int{op} << " at " << int{pivot});
            // The head and the pivot stay; the tail is carried as one piece.
            // The move is refused exactly when that result meets itself.
            Coords expected = beforeCoords;
            for (int i = pivot; i < n; ++i)
                expected[i] = Carried(expected[i].first, expected[i].second, expected[pivot - 1].first,
                                      expected[pivot - 1].second, op);
            const bool meets = !PathFault(expected).empty();

            const MoveResult result = puzzle.ApplyOperation(op, pivot);
            if (meets) {
                ASSERT_EQ(result.Outcome, MoveOutcome::Refused);
                ASSERT_TRUE(SameBytes(puzzle.WorkPath(), before))
                    << "a refused move leaves the path byte-identical";
                ASSERT_EQ(PathCoords(result.Refused, n), expected) << "the refused result is handed out";
                ++Refused;
            } else {
                ASSERT_EQ(result.Outcome, MoveOutcome::Applied);
                ASSERT_EQ(rig_->Path(), expected);
                earlier_.push_back(before);
                Deepest = std::max(Deepest, earlier_.size());
                ++Accepted;
            }
        }
        ASSERT_EQ(puzzle.MoveCount(), earlier_.size()) << "MoveCount counts the moves kept";
        ASSERT_EQ(PathFault(puzzle.WorkPath(), n), "");
        ASSERT_TRUE(DerivedIsCurrent(puzzle)) << "derived fields match a fresh derivation";
    }

    // Takes back every move kept, checking each step, down to the path as loaded.
    void UndoAll()
    {
        TPuzzle& puzzle = rig_->Puzzle;
        while (!earlier_.empty()) {
            ASSERT_TRUE(puzzle.Undo());
            ASSERT_TRUE(SameBytes(puzzle.WorkPath(), earlier_.back()));
            earlier_.pop_back();
        }
        ASSERT_TRUE(SameBytes(puzzle.WorkPath(), start_));
        ASSERT_EQ(puzzle.MoveCount(), 0);
    }

private:
    std::uint64_t seed_;
    std::mt19937_64 rng_;
    std::unique_ptr<PuzzleRig> rig_ = std::make_unique<PuzzleRig>();
    PathArray start_{};                 // the path as loaded
    std::vector<PathArray> earlier_;    // the path before each move kept
};

class PuzzleProperties : public testing::TestWithParam<PlayRun> {};

}  // namespace

TEST_P(PuzzleProperties, MovesAndUndosKeepEveryRule)
{
    const PlayRun& run = GetParam();
    Exerciser exerciser(run.Seed);
    int shortest = MaxPoints, longest = 0;

    for (int round = 0; round < run.Paths; ++round) {
        const Coords start = run.MakePath(exerciser.Rng(), round);
        shortest = std::min(shortest, static_cast<int>(start.size()));
        longest = std::max(longest, static_cast<int>(start.size()));
        ASSERT_NO_FATAL_FAILURE(exerciser.Load(start)) << "round " << round;
        for (int action = 0; action < run.Requests; ++action)
            ASSERT_NO_FATAL_FAILURE(exerciser.Act(run.UndoIn20, round, action));
        ASSERT_NO_FATAL_FAILURE(exerciser.UndoAll()) << "round " << round;
    }

    std::cout << "[ figures  ] seed 0x" << std::hex << run.Seed << std::dec << ": " << run.Paths << " paths of "
              << shortest << " to " << longest << " points, " << run.Requests << " requests each; "
              << exerciser.Accepted << " moves accepted, " << exerciser.Refused << " refused, " << exerciser.Undone
              << " undone, " << exerciser.Stale << " stale requests; deepest history " << exerciser.Deepest << "\n";
    if (run.EveryLength) {
        EXPECT_EQ(shortest, 2);
        EXPECT_EQ(longest, MaxPoints);
    }
    EXPECT_GT(exerciser.Accepted, run.MinAccepted);
    EXPECT_GT(exerciser.Refused, run.MinRefused);
    EXPECT_GT(exerciser.Undone, run.MinUndone);
    EXPECT_GT(exerciser.Stale, run.MinStale);
    EXPECT_GT(exerciser.Deepest, run.MinDeepest);
}

namespace {

std::string RunName(const testing::TestParamInfo<PlayRun>& info) { return info.param.Name; }

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Quick, PuzzleProperties,
    testing::Values(PlayRun{"PathsUpTo60Points", 20240611, 300,
                            [](std::mt19937_64& rng, int) { return RandomPath(rng, 2, 60); }, 40, 4, 1000, 500,
                            500, 50}),
    RunName);

// Long runs, kept out of the quick suite by their name.
INSTANTIATE_TEST_SUITE_P(
    Stress, PuzzleProperties,
    testing::Values(PlayRun{"ThousandsOfPathsUpTo255Points", 0x5EED'2025'0005ULL, 3000,
                            [](std::mt19937_64& rng, int) { return RandomPath(rng, 2, MaxPoints); }, 30, 4, 10000,
                            10000, 5000, 0, 0, true},
                    // Few undos, so that the history grows deep before everything is taken back.
                    PlayRun{"LongPlaysOnFullPaths", 0x5EED'2025'0255ULL, 24,
                            [](std::mt19937_64& rng, int round) {
                                return round % 2 ? PivotPath(rng, MaxPoints, MaxPoints)
                                                 : GrowthPath(rng, MaxPoints, 0.5);
                            },
                            1500, 1, 0, 0, 0, 0, 300}),
    RunName);

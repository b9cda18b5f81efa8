// PuzzlePropertyTest.cpp: random moves and undos on random paths keep every rule of the puzzle.
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "core/Puzzle.h"
#include "core/RandomPaths.h"
#include "core/RecordingHost.h"

namespace {


} // namespace

TEST(PuzzleProperties, RandomMovesKeepThePathValidAndUndoExact)
{
    std::mt19937 rng(20240611);
    auto rig = std::make_unique<PuzzleRig>();
    TPuzzle& puzzle = rig->Puzzle;
    int accepted = 0, refused = 0, ignored = 0, undone = 0;

    for (int round = 0; round < 300; ++round) {
        const Coords start =
            RandomSelfAvoidingPath(rng, std::uniform_int_distribution<int>(2, 60)(rng));
        const int n = static_cast<int>(start.size());
        rig->Load(start);
        std::vector<Coords> earlier;  // the path before each recorded move

        for (int action = 0; action < 40; ++action) {
            SCOPED_TRACE(testing::Message() << "round " << round << " action " << action);
            const Coords before = rig->Path();
            if (std::uniform_int_distribution<int>(0, 4)(rng) == 0) {
                const bool had = !earlier.empty();
                ASSERT_EQ(puzzle.Undo(), had);
                if (had) {
                    ASSERT_EQ(rig->Path(), earlier.back()) << "undo restores the earlier path";
                    earlier.pop_back();
                    ++undone;
                } else {
                    ASSERT_EQ(rig->Path(), before);
                }
            } else {
                const auto op = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 4)(rng));
                // Now and then a pivot just outside the path.
                const auto pivot = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, n + 1)(rng));
                const MoveOutcome outcome = puzzle.ApplyOperation(op, pivot);
                if (pivot < 1 || pivot > n) {
                    ASSERT_EQ(outcome, MoveOutcome::Ignored);
                    ASSERT_EQ(rig->Path(), before);
                    ++ignored;
                } else if (outcome == MoveOutcome::Refused) {
                    ASSERT_EQ(rig->Path(), before) << "a refused move leaves the coordinates as they were";
                    ++refused;
                } else {
                    ASSERT_EQ(outcome, MoveOutcome::Applied);
                    const Coords after = rig->Path();
                    ASSERT_EQ(PathFault(after), "") << "after op " << int{op} << " at " << int{pivot};
                    // The head and the pivot never move.
                    for (int i = 0; i < pivot; ++i)
                        ASSERT_EQ(after[i], before[i]) << "point " << i + 1;
                    earlier.push_back(before);
                    ++accepted;
                }
            }
            ASSERT_EQ(puzzle.MoveCount(), earlier.size());
            ASSERT_TRUE(DerivedIsCurrent(puzzle));
        }

        while (!earlier.empty()) {
            ASSERT_TRUE(puzzle.Undo());
            ASSERT_EQ(rig->Path(), earlier.back());
            earlier.pop_back();
        }
        ASSERT_EQ(rig->Path(), start);
        ASSERT_EQ(puzzle.MoveCount(), 0);
        ASSERT_FALSE(rig->Host.LastUndoState(true));
    }
    // The mix must really exercise every branch.
    EXPECT_GT(accepted, 1000);
    EXPECT_GT(refused, 500);
    EXPECT_GT(ignored, 50);
    EXPECT_GT(undone, 500);
}

TEST(PuzzleProperties, RefusalIsExactlyAMeetingWithTheHead)
{
    // An independent model of each operation: the tail's new points, computed by
    // geometry instead of by stepping, decide acceptance.
    std::mt19937 rng(77);
    auto rig = std::make_unique<PuzzleRig>();
    for (int round = 0; round < 300; ++round) {
        const Coords path =
            RandomSelfAvoidingPath(rng, std::uniform_int_distribution<int>(2, 40)(rng));
        const int n = static_cast<int>(path.size());
        const auto op = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 4)(rng));
        const int pivot = std::uniform_int_distribution<int>(1, n)(rng);
        rig->Load(path);

        const auto [px, py] = path[pivot - 1];
        Coords expected = path;
        for (int i = pivot; i < n; ++i) {
            const std::int32_t rx = path[i].first - px, ry = path[i].second - py;
            switch (op) {
            case OpR: expected[i] = {px + ry, py - rx}; break;  // clockwise, +y up
            case OpL: expected[i] = {px - ry, py + rx}; break;
            case OpH: expected[i] = {path[i].first, py - ry}; break;
            case OpV: expected[i] = {px - rx, path[i].second}; break;
            }
        }
        const bool valid = PathFault(expected).empty();

        SCOPED_TRACE(testing::Message() << "round " << round << " op " << int{op} << " at " << pivot);
        const MoveOutcome outcome = rig->Puzzle.ApplyOperation(op, static_cast<std::uint8_t>(pivot));
        ASSERT_EQ(outcome, valid ? MoveOutcome::Applied : MoveOutcome::Refused);
        ASSERT_EQ(rig->Path(), valid ? expected : path);
        if (!valid) {
            // The failure message was shown over exactly the geometric result.
            const auto& log = rig->Host.Log;
            ASSERT_GE(log.size(), 2u);
            ASSERT_EQ(log[1].What, RecordingHost::Call::ShowMessage);
            ASSERT_EQ(log[1].Path, expected);
        }
    }
}

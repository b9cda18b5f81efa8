// PuzzleTest.cpp: the four operations, refusal and restore, the history with undo, the solved test.
#include <climits>
#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "core/Puzzle.h"
#include "core/RunErrors.h"
#include "support/PuzzleRig.h"

namespace {

class PuzzleTest : public testing::Test {
protected:
    std::unique_ptr<PuzzleRig> rig = std::make_unique<PuzzleRig>();
    TPuzzle& puzzle = rig->Puzzle;

    const Coords corner{{0, 0}, {1, 0}, {1, 1}};
};

} // namespace

// ---- the four operations -----------------------------------------------------

TEST_F(PuzzleTest, RotateRightAtTheFirstPoint)
{
    rig->Load(corner);
    EXPECT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {0, -1}, {1, -1}}));
    ASSERT_EQ(puzzle.MoveCount(), 1);
    EXPECT_EQ(puzzle.History().Latest().OpCode, OpR);
    EXPECT_EQ(puzzle.History().Latest().Pivot, 1);
}

TEST_F(PuzzleTest, RotateLeftAtTheFirstPoint)
{
    rig->Load(corner);
    EXPECT_EQ(puzzle.ApplyOperation(OpL, 1), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {0, 1}, {-1, 1}}));
}

TEST_F(PuzzleTest, MirrorHorizontallyAtTheCorner)
{
    rig->Load(corner);
    EXPECT_EQ(puzzle.ApplyOperation(OpH, 2), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {1, 0}, {1, -1}}));
    EXPECT_EQ(puzzle.History().Latest().OpCode, OpH);
    EXPECT_EQ(puzzle.History().Latest().Pivot, 2);
}

TEST_F(PuzzleTest, MirrorVerticallyWithoutChangeIsStillAMove)
{
    rig->Load(corner);
    EXPECT_EQ(puzzle.ApplyOperation(OpV, 2), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), corner);
    ASSERT_EQ(puzzle.MoveCount(), 1);
    EXPECT_EQ(puzzle.History().Latest().OpCode, OpV);
    EXPECT_EQ(puzzle.History().Latest().Pivot, 2);
}

TEST_F(PuzzleTest, RotationTurnsTheWholeTailRigidly)
{
    // A tail with its own corners turns as one piece about the pivot.
    rig->Load({{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}, {3, 2}});
    ASSERT_EQ(puzzle.ApplyOperation(OpL, 2), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 2}, {-1, 2}}));
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 2), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}, {3, 2}}));
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 3), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, -1}, {4, -1}}));
}

TEST_F(PuzzleTest, MirrorsAboutAPivotOffTheOrigin)
{
    rig->Load({{0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 3}});
    ASSERT_EQ(puzzle.ApplyOperation(OpV, 3), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {0, 1}, {0, 2}, {-1, 2}, {-1, 3}}));
    ASSERT_EQ(puzzle.ApplyOperation(OpH, 3), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {0, 1}, {0, 2}, {-1, 2}, {-1, 1}}));
}

TEST_F(PuzzleTest, OperationsLeaveTheDerivedStructureCurrent)
{
    rig->Load(corner);
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::Applied);
    EXPECT_EQ(puzzle.WorkPath()[1].Dir, DirMinusY);
    EXPECT_EQ(puzzle.WorkPath()[2].Dir, DirPlusX);
    EXPECT_EQ(puzzle.WorkPath()[2].Kind, KindCorner);
}

// ---- refusal -------------------------------------------------------------------

TEST_F(PuzzleTest, RefusalKeepsThePathAndHandsOutTheRefusedOne)
{
    rig->Load(corner);
    ASSERT_EQ(puzzle.ApplyOperation(OpV, 2), MoveOutcome::Applied);  // history not empty
    const PathArray before = puzzle.WorkPath();

    const MoveResult result = puzzle.ApplyOperation(OpL, 2);
    EXPECT_EQ(result, MoveOutcome::Refused);
    EXPECT_EQ(PathCoords(result.Refused, 3), (Coords{{0, 0}, {1, 0}, {0, 0}}));
    EXPECT_TRUE(SameBytes(puzzle.WorkPath(), before)) << "whole, derived fields included";
    EXPECT_EQ(puzzle.MoveCount(), 1);
    EXPECT_EQ(puzzle.History().Latest().OpCode, OpV);
    EXPECT_EQ(puzzle.History().Latest().Pivot, 2);
}

TEST_F(PuzzleTest, RefusalOnAFreshPlayRecordsNothing)
{
    rig->Load(corner);
    EXPECT_EQ(puzzle.ApplyOperation(OpL, 2), MoveOutcome::Refused);
    EXPECT_EQ(puzzle.MoveCount(), 0);
    EXPECT_EQ(rig->Path(), corner);
}

TEST_F(PuzzleTest, RefusalTestsEveryTailPointAgainstTheHead)
{
    // Only the last tail point lands on the head: every tail point is tested.
    rig->Load({{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}});
    // V at 4 mirrors x in 2: (2,2)->(2,2), (1,2)->(3,2), (1,3)->(3,3): accepted.
    EXPECT_EQ(puzzle.ApplyOperation(OpV, 4), MoveOutcome::Applied);
    ASSERT_EQ(puzzle.ApplyOperation(OpV, 4), MoveOutcome::Applied);
    // H at 5 mirrors y in 2: (1,2)->(1,2), (1,3)->(1,1) which is point 3.
    EXPECT_EQ(puzzle.ApplyOperation(OpH, 5), MoveOutcome::Refused);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}}));
}

TEST_F(PuzzleTest, TheHeadEndsBeforeThePivot)
{
    // The head is every point before the pivot, the pivot's neighbour included.
    rig->Load({{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}});
    EXPECT_EQ(puzzle.ApplyOperation(OpL, 3), MoveOutcome::Refused)
        << "(2,1) turned left about (2,0) goes to (1,0), point 2";
    EXPECT_EQ(puzzle.ApplyOperation(OpR, 3), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}}));
}

// ---- pivots at the ends and out of range --------------------------------------

TEST_F(PuzzleTest, PivotOneIsAlwaysAccepted)
{
    const Coords spiral{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}};
    rig->Load(spiral);
    for (std::uint8_t op : {OpR, OpL, OpH, OpV, OpR, OpR}) {
        EXPECT_EQ(puzzle.ApplyOperation(op, 1), MoveOutcome::Applied) << int{op};
        EXPECT_EQ(rig->Path().front(), (std::pair<std::int32_t, std::int32_t>{0, 0}));
    }
    EXPECT_EQ(puzzle.MoveCount(), 6);
}

TEST_F(PuzzleTest, PivotAtTheLastPointChangesNothingButIsRecorded)
{
    rig->Load(corner);
    for (std::uint8_t op : {OpR, OpL, OpH, OpV}) {
        EXPECT_EQ(puzzle.ApplyOperation(op, 3), MoveOutcome::Applied);
        EXPECT_EQ(rig->Path(), corner);
        EXPECT_EQ(puzzle.History().Latest().OpCode, op);
        EXPECT_EQ(puzzle.History().Latest().Pivot, 3);
    }
    EXPECT_EQ(puzzle.MoveCount(), 4);

    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(rig->Path(), corner);
    EXPECT_EQ(puzzle.MoveCount(), 3);
}

TEST_F(PuzzleTest, CancelOnlySnapshotsTheTrialPath)
{
    rig->Load(corner);
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::Applied);
    ASSERT_FALSE(SameBytes(puzzle.TrialPath(), puzzle.WorkPath())) << "holds the path before R";
    const PathArray work = puzzle.WorkPath();

    EXPECT_EQ(puzzle.ApplyOperation(OpCancel, 2), MoveOutcome::Cancelled);

    EXPECT_TRUE(SameBytes(puzzle.TrialPath(), work));
    EXPECT_TRUE(SameBytes(puzzle.WorkPath(), work));
    EXPECT_EQ(puzzle.MoveCount(), 1);
}

TEST_F(PuzzleTest, PivotOutsideThePathMovesAndRecordsNothing)
{
    rig->Load(corner);
    ASSERT_EQ(puzzle.ApplyOperation(OpH, 2), MoveOutcome::Applied);
    const Coords path = rig->Path();
    for (int pivot : {0, 4, 255}) {
        for (std::uint8_t op : {OpR, OpL, OpH, OpV}) {
            EXPECT_EQ(puzzle.ApplyOperation(op, static_cast<std::uint8_t>(pivot)), MoveOutcome::Ignored)
                << "op " << int{op} << " pivot " << pivot;
            EXPECT_EQ(rig->Path(), path);
        }
    }
    EXPECT_EQ(puzzle.MoveCount(), 1);
    EXPECT_EQ(puzzle.History().Latest().OpCode, OpH);
}

TEST_F(PuzzleTest, UnknownOperationMovesNothing)
{
    rig->Load(corner);
    EXPECT_EQ(puzzle.ApplyOperation(5, 1), MoveOutcome::Ignored);
    EXPECT_EQ(rig->Path(), corner);
    EXPECT_EQ(puzzle.MoveCount(), 0);
}

TEST_F(PuzzleTest, InverseSwapsTheRotationsAndKeepsTheMirrors)
{
    EXPECT_EQ(InverseOp(OpR), OpL);
    EXPECT_EQ(InverseOp(OpL), OpR);
    EXPECT_EQ(InverseOp(OpH), OpH);
    EXPECT_EQ(InverseOp(OpV), OpV);
    EXPECT_EQ(InverseOp(OpCancel), OpCancel);
}

// ---- undo ----------------------------------------------------------------------

TEST_F(PuzzleTest, UndoRestoresEachEarlierPathExactly)
{
    rig->Load({{0, 0}, {0, 1}, {1, 1}, {1, 2}, {2, 2}, {2, 1}});
    const Coords start = rig->Path();
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::Applied);
    const Coords afterFirst = rig->Path();
    ASSERT_EQ(puzzle.ApplyOperation(OpV, 3), MoveOutcome::Applied);
    const Coords afterSecond = rig->Path();
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 4), MoveOutcome::Applied);
    ASSERT_NE(rig->Path(), afterSecond);
    ASSERT_EQ(puzzle.MoveCount(), 3);

    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(rig->Path(), afterSecond);
    EXPECT_EQ(puzzle.MoveCount(), 2);
    EXPECT_EQ(puzzle.History().Latest().OpCode, OpV) << "the undone entry is gone";

    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(rig->Path(), afterFirst);
    EXPECT_EQ(puzzle.MoveCount(), 1);

    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(rig->Path(), start);
    EXPECT_EQ(puzzle.MoveCount(), 0);
}

TEST_F(PuzzleTest, UndoOfEachOperationRestoresBytes)
{
    const Coords stairs{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}, {3, 2}};
    const MoveEntry moves[] = {{OpR, 2}, {OpL, 2}, {OpH, 2}, {OpV, 3}, {OpL, 4}, {OpR, 5}};
    for (const MoveEntry& m : moves) {
        SCOPED_TRACE(testing::Message() << "op " << int{m.OpCode} << " at " << int{m.Pivot});
        rig->Load(stairs);
        const PathArray before = puzzle.WorkPath();
        ASSERT_EQ(puzzle.ApplyOperation(m.OpCode, m.Pivot), MoveOutcome::Applied);
        ASSERT_NE(rig->Path(), stairs);
        ASSERT_TRUE(puzzle.Undo());
        for (int i = 1; i <= puzzle.PointCount(); ++i) {
            EXPECT_EQ(puzzle.WorkPath()[i].X, before[i].X) << "point " << i;
            EXPECT_EQ(puzzle.WorkPath()[i].Y, before[i].Y) << "point " << i;
        }
        EXPECT_EQ(puzzle.MoveCount(), 0);
    }
}

TEST_F(PuzzleTest, UndoWithoutHistoryDoesNothing)
{
    rig->Load(corner);
    const PathArray before = puzzle.WorkPath();
    EXPECT_FALSE(puzzle.Undo());
    EXPECT_TRUE(SameBytes(puzzle.WorkPath(), before));
    EXPECT_EQ(puzzle.MoveCount(), 0);
}

// ---- solved test -----------------------------------------------------------------

TEST_F(PuzzleTest, SolvedMeansEveryStepGoesPlusX)
{
    const std::pair<Coords, bool> paths[] = {
        {StraightPath(3, 1, 0), true},
        {StraightPath(3, -1, 0), false},
        {{{0, 0}, {1, 0}, {2, 0}, {2, 1}}, false},  // only the last step is off
        {{{0, 0}, {0, 1}, {1, 1}}, false},          // only the first step is off
        {{{0, 0}}, true},                           // a single point counts as straight
    };
    for (const auto& [path, solved] : paths) {
        rig->Load(path);
        EXPECT_EQ(puzzle.IsSolved(), solved) << Show(path);
    }
}

TEST_F(PuzzleTest, UndoAndRedoPassThroughStraightPaths)
{
    rig->Load(StraightPath(3, 1, 0));
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), StraightPath(3, 0, -1));
    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(rig->Path(), StraightPath(3, 1, 0));
    EXPECT_TRUE(puzzle.IsSolved());
    EXPECT_EQ(puzzle.MoveCount(), 0);
}

// ---- reset to the problem --------------------------------------------------------

TEST_F(PuzzleTest, ResetToProblemPutsTheProblemBackAndEmptiesTheHistory)
{
    rig->Load(corner);
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::Applied);
    ASSERT_EQ(puzzle.ApplyOperation(OpH, 2), MoveOutcome::Applied);

    puzzle.ResetToProblem();

    EXPECT_EQ(rig->Path(), corner);
    EXPECT_TRUE(DerivedIsCurrent(puzzle));
    EXPECT_EQ(puzzle.MoveCount(), 0);
    EXPECT_EQ(puzzle.PointCount(), 3);
    EXPECT_FALSE(puzzle.Undo());
}

TEST_F(PuzzleTest, ResetToProblemKeepsThePointCount)
{
    rig->Load({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    puzzle.BeginEntry();  // cuts the count to 1; the problem keeps its 4 points
    puzzle.ResetToProblem();
    EXPECT_EQ(puzzle.PointCount(), 1) << "the count is shared, never copied with an array";
    EXPECT_EQ(puzzle.WorkPath()[4].X, 3) << "all 256 slots are copied";
}

// ---- history capacity ----------------------------------------------------------

TEST_F(PuzzleTest, TheHistoryHoldsExactly65535Moves)
{
    rig->Load({{0, 0}, {0, 1}});
    for (int i = 0; i < TMoveHistory::Capacity; ++i) {
        ASSERT_EQ(puzzle.ApplyOperation(i % 2 ? OpH : OpV, 2), MoveOutcome::Applied) << i;
    }
    ASSERT_EQ(puzzle.MoveCount(), 65535);
    EXPECT_EQ(puzzle.History().Entry(1).OpCode, OpV);
    EXPECT_EQ(puzzle.History().Latest().OpCode, OpV);

    // The next move is refused before anything moves.
    const PathArray before = puzzle.WorkPath();
    EXPECT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::HistoryFull);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {0, 1}}));
    EXPECT_TRUE(SameBytes(puzzle.WorkPath(), before));
    EXPECT_EQ(puzzle.MoveCount(), 65535);

    // Undo still works at the limit, and frees room for one move.
    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(puzzle.MoveCount(), 65534);
    EXPECT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {1, 0}}));
    EXPECT_EQ(puzzle.MoveCount(), 65535);
    EXPECT_EQ(puzzle.History().Latest().OpCode, OpR);
    EXPECT_EQ(puzzle.ApplyOperation(OpL, 1), MoveOutcome::HistoryFull);

    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {0, 1}}));
}

TEST_F(PuzzleTest, RedoMakesTheMovesTakenBackAgainInOrderUntilANewMove)
{
    const Coords corner{{0, 0}, {1, 0}, {1, 1}};
    rig->Load(corner);
    ASSERT_EQ(puzzle.ApplyOperation(OpV, 3), MoveOutcome::Applied);  // moves nothing
    const Coords afterFirst = rig->Path();
    ASSERT_EQ(puzzle.ApplyOperation(OpR, 2), MoveOutcome::Applied);  // straight along +x
    const Coords afterSecond = rig->Path();
    EXPECT_FALSE(puzzle.Redo()) << "nothing taken back yet";
    ASSERT_TRUE(puzzle.Undo());
    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(puzzle.History().RedoCount(), 2);

    ASSERT_TRUE(puzzle.Redo());
    EXPECT_EQ(rig->Path(), afterFirst);
    ASSERT_TRUE(puzzle.Redo());
    EXPECT_EQ(rig->Path(), afterSecond);
    EXPECT_EQ(puzzle.MoveCount(), 2);
    EXPECT_FALSE(puzzle.Redo());

    ASSERT_TRUE(puzzle.Undo());
    ASSERT_EQ(puzzle.ApplyOperation(OpH, 3), MoveOutcome::Applied);
    EXPECT_EQ(puzzle.History().RedoCount(), 0) << "a new move forgets what could be redone";
    EXPECT_FALSE(puzzle.Redo());
    EXPECT_EQ(rig->Path(), afterFirst);
}

TEST_F(PuzzleTest, RedoAtTheHistoryLimitReachesItAgainAndNoFurther)
{
    rig->Load({{0, 0}, {0, 1}});
    for (int i = 0; i < TMoveHistory::Capacity; ++i)
        ASSERT_EQ(puzzle.ApplyOperation(i % 2 ? OpH : OpV, 2), MoveOutcome::Applied) << i;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(puzzle.Undo());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(puzzle.Redo());
    EXPECT_EQ(puzzle.MoveCount(), 65535);
    EXPECT_FALSE(puzzle.Redo());
    EXPECT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::HistoryFull);
}

// ---- a path of 255 points ----------------------------------------------------------

TEST_F(PuzzleTest, FullPathOperatesAtPivots254And255)
{
    const Coords line = StraightPath(MaxPoints, 0, 1);
    rig->Load(line);

    ASSERT_EQ(puzzle.ApplyOperation(OpR, 254), MoveOutcome::Applied);
    Coords expected = line;
    expected.back() = {1, 253};
    EXPECT_EQ(rig->Path(), expected);

    ASSERT_EQ(puzzle.ApplyOperation(OpL, 255), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), expected);
    EXPECT_EQ(puzzle.History().Latest().Pivot, 255);

    puzzle.SelectPointAt(1, 253);
    EXPECT_EQ(puzzle.SelectedPivot(), 255);

    ASSERT_EQ(puzzle.ApplyOperation(OpV, 254), MoveOutcome::Applied);
    expected.back() = {-1, 253};
    EXPECT_EQ(rig->Path(), expected);

    ASSERT_TRUE(puzzle.Undo());
    ASSERT_TRUE(puzzle.Undo());
    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(rig->Path(), line);
    EXPECT_EQ(puzzle.MoveCount(), 0);
}

TEST_F(PuzzleTest, FullPathRefusesAtPivot254WhenTheLastPointMeetsTheHead)
{
    // Up the y axis for 253 points, then a hook right and down: turning the
    // hook's end right about point 254 lands on point 253.
    Coords hook = StraightPath(253, 0, 1);
    hook.emplace_back(1, 252);
    hook.emplace_back(1, 251);
    rig->Load(hook);
    ASSERT_EQ(puzzle.PointCount(), 255);

    EXPECT_EQ(puzzle.ApplyOperation(OpR, 254), MoveOutcome::Refused);
    EXPECT_EQ(rig->Path(), hook);
    EXPECT_EQ(puzzle.ApplyOperation(OpL, 254), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path().back(), (std::pair<std::int32_t, std::int32_t>{2, 252}));
    EXPECT_EQ(puzzle.ApplyOperation(OpR, 1), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path()[254], (std::pair<std::int32_t, std::int32_t>{252, -2}));
}

// ---- checked arithmetic ------------------------------------------------------------

TEST_F(PuzzleTest, MirrorBeyondInt32IsAnOverflowErrorThatMovesNothing)
{
    // The core takes points as given; at the edge of 32 bits a mirror
    // carries the last point beyond it.
    rig->Load({{INT32_MAX - 1, 1}, {INT32_MAX, 1}, {INT32_MAX, 0}, {INT32_MAX - 1, 0}});
    const Coords before = rig->Path();
    EXPECT_THROW(puzzle.ApplyOperation(OpV, 2), EIntOverflow);
    EXPECT_EQ(rig->Path(), before) << "nothing half moved";
    EXPECT_EQ(puzzle.MoveCount(), 0);
    // Mirroring Y stays in range.
    EXPECT_EQ(puzzle.ApplyOperation(OpH, 2), MoveOutcome::Applied);
}

TEST_F(PuzzleTest, StepBeyondInt32IsAnOverflowError)
{
    rig->Load({{INT32_MAX, 0}, {INT32_MAX, 1}});
    EXPECT_THROW(puzzle.ApplyOperation(OpR, 1), EIntOverflow);
    rig->Load({{INT32_MIN, 0}, {INT32_MIN, -1}});
    EXPECT_THROW(puzzle.ApplyOperation(OpR, 1), EIntOverflow);
    rig->Load({{0, INT32_MAX}, {1, INT32_MAX}});
    EXPECT_THROW(puzzle.ApplyOperation(OpL, 1), EIntOverflow);
}

// Puzzle.cpp: turning and mirroring the tail, the move history's undo, the solved test.
#include "core/Puzzle.h"

#include "core/Checked.h"

namespace {

// One unit step in a direction code.
void StepIn(PathPoint& p, int dir)
{
    switch (dir) {
    case DirPlusX: p.X = CheckedAdd(p.X, 1); break;
    case DirPlusY: p.Y = CheckedAdd(p.Y, 1); break;
    case DirMinusX: p.X = CheckedSub(p.X, 1); break;
    default: p.Y = CheckedSub(p.Y, 1); break;
    }
}

// 2·c − v, the mirror of v in c.
std::int32_t MirrorIn(std::int32_t c, std::int32_t v)
{
    return CheckedSub(CheckedMul(2, c), v);
}

} // namespace

void TPuzzle::Redraw()
{
    DeriveStructure();
    host_.DrawPath();
}

void TPuzzle::SelectPointAt(std::int32_t x, std::int32_t y)
{
    SelectedPivot = FindPoint(x, y, PointCount);
    if (SelectedPivot >= 1)
        host_.HighlightTail(SelectedPivot, 0);
}

MoveOutcome TPuzzle::ApplyOperation(std::uint8_t op, std::uint8_t pivot)
{
    return Operate(op, pivot, false);
}

MoveOutcome TPuzzle::Operate(std::uint8_t op, std::uint8_t pivot, bool undoing)
{
    TrialPath = WorkPath;
    if (op == OpCancel)
        return MoveOutcome::Cancelled;
    // A pivot can only be missing through a stale selection; nothing may move then.
    if (pivot < 1 || pivot > PointCount || op > OpV)
        return MoveOutcome::Ignored;
    if (History.Full() && !undoing) {
        host_.ShowMessage(HistoryFullMessage);
        return MoveOutcome::HistoryFull;
    }

    // The rotation steps along the path's own directions: make sure they
    // describe the points as they stand, whatever drew (or did not draw) last.
    DeriveStructure();
    bool accepted = false;
    switch (op) {
    case OpR: accepted = RotateTail(pivot, 3); break;
    case OpL: accepted = RotateTail(pivot, 1); break;
    case OpH: accepted = ReflectTail(pivot, 2); break;
    case OpV: accepted = ReflectTail(pivot, 1); break;
    }

    if (!accepted) {
        // The refused result stays on screen until the player has read the message.
        host_.ShowMessage(FailureMessage);
        WorkPath = TrialPath;
        Redraw();
        return MoveOutcome::Refused;
    }

    // An undo takes its own entry out again at once, so it never needs a slot.
    if (!undoing)
        History.Push({op, pivot});
    host_.SetUndoEnabled(true);
    CheckSolved();
    return MoveOutcome::Applied;
}

bool TPuzzle::RotateTail(std::uint8_t pivot, int quarterTurns)
{
    bool selfAvoiding = true;
    for (int i = pivot + 1; i <= PointCount; ++i) {
        PathPoint& p = WorkPath[i];
        // Point i-1 has moved already; its Dir is still the one from before the move.
        p.X = WorkPath[i - 1].X;
        p.Y = WorkPath[i - 1].Y;
        StepIn(p, (WorkPath[i - 1].Dir + quarterTurns) % 4);
        if (FindPoint(p.X, p.Y, pivot - 1) != 0)
            selfAvoiding = false;
    }
    Redraw();
    return selfAvoiding;
}

bool TPuzzle::ReflectTail(std::uint8_t pivot, int axis)
{
    bool selfAvoiding = true;
    const PathPoint centre = WorkPath[pivot];
    for (int i = pivot + 1; i <= PointCount; ++i) {
        PathPoint& p = WorkPath[i];
        if (axis == 1)
            p.X = MirrorIn(centre.X, p.X);
        else
            p.Y = MirrorIn(centre.Y, p.Y);
        if (FindPoint(p.X, p.Y, pivot - 1) != 0)
            selfAvoiding = false;
    }
    Redraw();
    return selfAvoiding;
}

std::uint8_t TPuzzle::InverseOp(std::uint8_t op)
{
    if (op == OpR)
        return OpL;
    if (op == OpL)
        return OpR;
    return op;
}

bool TPuzzle::Undo()
{
    if (History.MoveCount == 0)
        return false;
    const MoveEntry e = History.Latest();
    // The move is taken back even when the solved handling that the undo may
    // trigger ends in an error (a records file that cannot be written).
    struct DropUndone {
        TPuzzle& puzzle;
        ~DropUndone()
        {
            puzzle.History.Drop(1);
            puzzle.host_.SetUndoEnabled(puzzle.History.MoveCount > 0);
        }
    } drop{*this};
    Operate(InverseOp(e.OpCode), e.Pivot, true);
    return true;
}

bool TPuzzle::CheckSolved()
{
    for (int i = PointCount - 1; i >= 1; --i) {
        if (WorkPath[i].Dir != DirPlusX)
            return false;
    }
    host_.PathSolved();
    return true;
}

void TPuzzle::ResetToProblem()
{
    WorkPath = ProblemPath;
    History.Clear();
}

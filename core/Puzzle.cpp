// Puzzle.cpp: turning and mirroring the tail, the move history's undo and redo, the solved test.
#include "core/Puzzle.h"

#include "core/Checked.h"
#include "core/ScopeExit.h"

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

void TPuzzle::LoadProblem(const Problem& problem)
{
    SetPath(problem);
    history_.DropRedo();
    Redraw();
}

void TPuzzle::Redraw()
{
    DeriveStructure();
    host_.DrawPath();
}

void TPuzzle::ShowTail(std::uint8_t from, std::uint8_t colour)
{
    host_.HighlightTail(from, colour);
}

void TPuzzle::SelectPointAt(std::int32_t x, std::int32_t y)
{
    selectedPivot_ = FindPoint(x, y, pointCount_);
    if (selectedPivot_ >= 1)
        host_.HighlightTail(selectedPivot_, TailSelected);
}

MoveOutcome TPuzzle::ApplyOperation(std::uint8_t op, std::uint8_t pivot)
{
    return Operate(op, pivot, Recording::NewMove);
}

MoveOutcome TPuzzle::Operate(std::uint8_t op, std::uint8_t pivot, Recording recording)
{
    trialPath_ = workPath_;
    if (op == OpCancel)
        return MoveOutcome::Cancelled;
    // A pivot can only be missing through a stale selection; nothing may move then.
    if (pivot < 1 || pivot > pointCount_ || op > OpV)
        return MoveOutcome::Ignored;
    if (history_.Full() && recording != Recording::Undo) {
        host_.ShowMessage(HistoryFullMessage);
        return MoveOutcome::HistoryFull;
    }

    // The rotation steps along the path's own directions: make sure they
    // describe the points as they stand, whatever drew (or did not draw) last.
    DeriveStructure();
    bool accepted = false;
    switch (op) {
    case OpR: accepted = RotateTail(pivot, TurnRight); break;
    case OpL: accepted = RotateTail(pivot, TurnLeft); break;
    case OpH: accepted = ReflectTail(pivot, MirrorY); break;
    case OpV: accepted = ReflectTail(pivot, MirrorX); break;
    }

    if (!accepted) {
        // The refused result stays on screen until the player has read the message.
        host_.ShowMessage(FailureMessage);
        workPath_ = trialPath_;
        Redraw();
        return MoveOutcome::Refused;
    }

    // An undo takes its move out of the history itself, once the solved
    // handling has run; a redo moves forward over the move it makes again.
    if (recording == Recording::NewMove)
        history_.Push({op, pivot});
    else if (recording == Recording::Redo)
        history_.StepForward();
    host_.SetUndoEnabled(true);
    CheckSolved();
    return MoveOutcome::Applied;
}

bool TPuzzle::RotateTail(std::uint8_t pivot, QuarterTurns turns)
{
    bool selfAvoiding = true;
    for (int i = pivot + 1; i <= pointCount_; ++i) {
        PathPoint& p = workPath_[i];
        // Point i-1 has moved already; its Dir is still the one from before the move.
        p.X = workPath_[i - 1].X;
        p.Y = workPath_[i - 1].Y;
        StepIn(p, (workPath_[i - 1].Dir + turns) % 4);
        if (FindPoint(p.X, p.Y, pivot - 1) != 0)
            selfAvoiding = false;
    }
    Redraw();
    return selfAvoiding;
}

bool TPuzzle::ReflectTail(std::uint8_t pivot, MirrorAxis axis)
{
    bool selfAvoiding = true;
    const PathPoint centre = workPath_[pivot];
    for (int i = pivot + 1; i <= pointCount_; ++i) {
        PathPoint& p = workPath_[i];
        if (axis == MirrorX)
            p.X = MirrorIn(centre.X, p.X);
        else
            p.Y = MirrorIn(centre.Y, p.Y);
        if (FindPoint(p.X, p.Y, pivot - 1) != 0)
            selfAvoiding = false;
    }
    Redraw();
    return selfAvoiding;
}

bool TPuzzle::Undo()
{
    if (history_.MoveCount() == 0)
        return false;
    const MoveEntry e = history_.Latest();
    // The move is taken back even when the solved handling that the undo may
    // trigger ends in an error (a records file that cannot be written).
    const ScopeExit takeBack([this] {
        history_.StepBack();
        host_.SetUndoEnabled(history_.MoveCount() > 0);
    });
    Operate(InverseOp(e.OpCode), e.Pivot, Recording::Undo);
    return true;
}

bool TPuzzle::Redo()
{
    if (history_.RedoCount() == 0)
        return false;
    const MoveEntry e = history_.NextRedo();
    Operate(e.OpCode, e.Pivot, Recording::Redo);
    return true;
}

bool TPuzzle::CheckSolved()
{
    if (!IsSolved())
        return false;
    host_.PathSolved();
    return true;
}

void TPuzzle::ResetToProblem()
{
    workPath_ = problemPath_;
    history_.Clear();
}

void TPuzzle::BeginEntry()
{
    // Every path starts at the origin.
    history_.DropRedo();
    pointCount_ = 1;
    workPath_[1].X = 0;
    workPath_[1].Y = 0;
}

void TPuzzle::FinishEntry()
{
    problemPath_ = workPath_;
}

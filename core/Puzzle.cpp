// Puzzle.cpp: turning and mirroring the tail, the move history's undo and redo, path entry.
#include "core/Puzzle.h"

#include <utility>

#include "core/Checked.h"

namespace {

// A coordinate computed in 64 bits, stored back into 32.
std::int32_t Narrowed(std::int64_t value)
{
    if (!std::in_range<std::int32_t>(value))
        throw EIntOverflow();
    return static_cast<std::int32_t>(value);
}

} // namespace

void TPuzzle::LoadProblem(const Problem& problem)
{
    SetPath(problem);
    history_.Clear();
    selectedPivot_ = 0;
    DeriveStructure();
}

std::uint8_t TPuzzle::SelectPointAt(std::int32_t x, std::int32_t y)
{
    selectedPivot_ = FindPoint(x, y, pointCount_);
    return selectedPivot_;
}

MoveResult TPuzzle::ApplyOperation(std::uint8_t op, std::uint8_t pivot)
{
    return Operate(op, pivot, Recording::NewMove);
}

MoveResult TPuzzle::Operate(std::uint8_t op, std::uint8_t pivot, Recording recording)
{
    MoveResult result;
    result.OpCode = op;
    result.Pivot = pivot;
    trialPath_ = workPath_;
    if (op == OpCancel) {
        result.Outcome = MoveOutcome::Cancelled;
        return result;
    }
    // A pivot can only be missing through a stale selection; nothing may move then.
    if (pivot < 1 || pivot > pointCount_ || op > OpV)
        return result;
    if (history_.Full() && recording != Recording::Undo) {
        result.Outcome = MoveOutcome::HistoryFull;
        return result;
    }

    bool selfAvoiding = false;
    try {
        selfAvoiding = MoveTail(pivot, op);
    } catch (...) {
        // A coordinate beyond 32 bits: the path stays as it was.
        workPath_ = trialPath_;
        throw;
    }
    if (!selfAvoiding) {
        result.Outcome = MoveOutcome::Refused;
        result.Refused = std::exchange(workPath_, trialPath_);
        return result;
    }
    DeriveStructure();
    // An undo takes its move out of the history; a redo moves forward over
    // the move it makes again.
    if (recording == Recording::NewMove)
        history_.Push({op, pivot});
    else if (recording == Recording::Redo)
        history_.StepForward();
    else
        history_.StepBack();
    result.Outcome = MoveOutcome::Applied;
    return result;
}

// Every point of the tail moves, and each is looked for among the points
// before the pivot; the pass does not stop at the first that meets one.
bool TPuzzle::MoveTail(std::uint8_t pivot, std::uint8_t op)
{
    bool selfAvoiding = true;
    const PathPoint centre = workPath_[pivot];
    for (int i = pivot + 1; i <= pointCount_; ++i) {
        PathPoint& p = workPath_[i];
        const TailOffset<std::int64_t> from{std::int64_t{p.X} - centre.X, std::int64_t{p.Y} - centre.Y};
        const TailOffset<std::int64_t> to = MovedOffset(op, from);
        p.X = Narrowed(centre.X + to.X);
        p.Y = Narrowed(centre.Y + to.Y);
        if (FindPoint(p.X, p.Y, pivot - 1) != 0)
            selfAvoiding = false;
    }
    return selfAvoiding;
}

std::optional<MoveResult> TPuzzle::Undo()
{
    if (history_.MoveCount() == 0)
        return std::nullopt;
    const MoveEntry e = history_.Latest();
    return Operate(InverseOp(e.OpCode), e.Pivot, Recording::Undo);
}

std::optional<MoveResult> TPuzzle::Redo()
{
    if (history_.RedoCount() == 0)
        return std::nullopt;
    const MoveEntry e = history_.NextRedo();
    return Operate(e.OpCode, e.Pivot, Recording::Redo);
}

void TPuzzle::ResetToProblem()
{
    workPath_ = problemPath_;
    history_.Clear();
    DeriveStructure();
}

void TPuzzle::BeginEntry()
{
    // Every path starts at the origin.
    history_.Clear();
    selectedPivot_ = 0;
    pointCount_ = 1;
    workPath_[1].X = 0;
    workPath_[1].Y = 0;
    DeriveStructure();
}

AppendResult TPuzzle::ExtendEntry(std::int32_t fromX, std::int32_t fromY, std::int32_t& toX, std::int32_t& toY)
{
    const AppendResult last = ExtendAlongAxis(fromX, fromY, toX, toY);
    DeriveStructure();
    return last;
}

void TPuzzle::FinishEntry()
{
    problemPath_ = workPath_;
}

// GamePlay.cpp: the modes, the timed play, picking points, moves and how they are shown, the end of a play, hints and the fewest moves.
#include "game/Game.h"

#include "core/ScopeExit.h"

namespace {

// A search of the game's, off its thread: long enough for every path
// measured (docs/performance.md: at most a millisecond or so).
constexpr double SearchSeconds = 10.0;

bool SamePoints(const Problem& a, const TPathStore& b)
{
    if (a.PointCount != b.PointCount())
        return false;
    for (int i = 1; i <= a.PointCount; ++i) {
        if (!a.Points[i].SameSpot(b.Work(i)))
            return false;
    }
    return true;
}

} // namespace

// ---- modes and the window --------------------------------------------------------

void TGame::ChooseMode(int item)
{
    Input([&] {
        if (unsaved_ && !Ask(GameQuestion::SwitchMode))
            return;
        // An entry left unfinished would leave the point count describing a
        // path that is not the problem; leaving the mode finishes it.
        if (gameMode_ == ModeEntry)
            EndEntry();
        EndDemonstrationRun();
        CancelJob(generateJob_);
        mode_ = item == MenuCreation ? MenuCreation : MenuPuzzle;
        // The clock is left as it is: a timed play goes on counting.
        EnterPhase(mode_ == MenuCreation ? Phase::Creation : Phase::Ready);
        gameMode_ = ModeIdle;
        CancelStaleHint();
    });
}

bool TGame::MayQuit()
{
    bool may = true;
    Input([&] { may = !unsaved_ || Ask(GameQuestion::Quit); });
    return may;
}

void TGame::Close()
{
    Act([&] {
        // A move still in motion is not shown further, and a congratulation
        // not yet shown is not shown on closing; what it would keep is kept,
        // last, so that a record that cannot be written leaves nothing of
        // the game running.
        const bool solvedInMotion = shownMove_ && shownMove_->Solved;
        animation_.reset();
        shownMove_.reset();
        EndDemonstrationRun();
        for (std::shared_ptr<GameJob>* job : {&parJob_, &hintJob_, &generateJob_, &stepJob_})
            CancelJob(*job);
        clock_.Stop();
        if (solvedInMotion)
            KeepSolve();
    });
}

// ---- the timed play ----------------------------------------------------------------

void TGame::Start()
{
    Input([&] {
        if (!BuildControls().Start || mode_ != MenuPuzzle || MovePending())
            return;
        if (gameMode_ == ModePlay && puzzle_.MoveCount() > 0 && !Ask(GameQuestion::Restart))
            return;
        puzzle_.ResetToProblem();
        clock_.Start(frontEnd_.Now());
        clockShown_ = true;
        hintUsed_ = false;
        demonstrated_ = false;
        DrawPath();
        gameMode_ = ModePlay;
        EnterPhase(Phase::Playing);
    });
}

void TGame::Pause()
{
    Input([&] {
        if (!BuildControls().Pause || mode_ != MenuPuzzle)
            return;
        EndDemonstrationRun();
        gameMode_ = ModeIdle;
        clock_.Pause();
        EnterPhase(Phase::Paused);
        CancelStaleHint();
    });
}

void TGame::Continue()
{
    Input([&] {
        if (!BuildControls().Continue || mode_ != MenuPuzzle)
            return;
        gameMode_ = ModePlay;
        clock_.Continue(frontEnd_.Now());
        EnterPhase(Phase::Playing);
        undoOffered_ = puzzle_.MoveCount() > 0;
    });
}

// ---- picking points --------------------------------------------------------------

// The point under a click, its tail in the selection's colour and the
// operation menu beside the click. A miss withdraws the menu, so that no
// choice can reach a move without a point.
void TGame::Pick(LatticePoint at, PixelPoint click)
{
    if (MovePending())
        return;
    const std::uint8_t pivot = puzzle_.SelectPointAt(at.X, at.Y);
    if (pivot == 0) {
        operations_.Shown = false;
        return;
    }
    HighlightTail(pivot, TailSelected);
    operations_ = {true, click.X, click.Y, -1};
}

void TGame::PickPoint(int index)
{
    Input([&] {
        if (gameMode_ != ModePlay || index < 1 || index > puzzle_.PointCount() || !view_.Sized())
            return;
        const PathPoint& p = puzzle_.Work(index);
        Pick({p.X, p.Y}, view_.WorldToPixel(p.X, p.Y));
    });
}

bool TGame::PickNextPoint(int step)
{
    if (gameMode_ != ModePlay || !view_.Sized())
        return false;
    const int selected = puzzle_.SelectedPivot();
    const int index = selected == 0 ? 1 : std::clamp(selected + step, 1, int{puzzle_.PointCount()});
    PickPoint(index);
    return true;
}

// ---- moves -------------------------------------------------------------------------

void TGame::ChooseOperation(int op)
{
    Input([&] {
        if (!operations_.Shown || MovePending())
            return;
        operations_.Shown = false;
        const PathArray before = puzzle_.WorkPath();
        ShowMove(puzzle_.ApplyOperation(static_cast<std::uint8_t>(op), puzzle_.SelectedPivot()), before,
                 TailSelected, MoveSource::Player);
    });
}

void TGame::Undo()
{
    Input([&] {
        if (!BuildControls().Undo || mode_ != MenuPuzzle || MovePending())
            return;
        const PathArray before = puzzle_.WorkPath();
        const std::optional<MoveResult> result = puzzle_.Undo();
        if (!result)
            return;
        ShowMove(*result, before, TailSelected, MoveSource::Player);
        // Undo stays on offer while moves are left, also after it ended a play.
        undoOffered_ = puzzle_.MoveCount() > 0;
    });
}

void TGame::Redo()
{
    Input([&] {
        if (!BuildControls().Redo || MovePending())
            return;
        const PathArray before = puzzle_.WorkPath();
        if (const std::optional<MoveResult> result = puzzle_.Redo())
            ShowMove(*result, before, TailSelected, MoveSource::Player);
    });
}

// What a move shows: the path moving there (or at once), then for a refused
// move "失敗" over the refused path and the path as it was again, for a
// move that straightens the path the end of the play. The play ends the
// moment the move is made; the congratulation follows the last frame.
void TGame::ShowMove(const MoveResult& result, const PathArray& before, std::uint8_t colour, MoveSource source)
{
    if (result.Outcome != MoveOutcome::Applied && result.Outcome != MoveOutcome::Refused) {
        // Nothing to show. A demonstration's step (and its run: the next move
        // would fare the same) is over, its highlight gone, "次" free again.
        if (source == MoveSource::Demonstration) {
            demo_ = {};
            DrawPath();
        }
        if (result.Outcome == MoveOutcome::HistoryFull)
            Message(GameMessage::HistoryFull);
        return;
    }
    ShownMove shown;
    shown.Outcome = result.Outcome;
    shown.Source = source;
    shown.Refused = result.Refused;
    if (result.Outcome == MoveOutcome::Applied) {
        undoOffered_ = true;
        shown.Solved = puzzle_.IsSolved();
        if (shown.Solved)
            EndSolvedPlay();
    }
    shownMove_ = shown;
    if (animate_ && view_.Sized()) {
        animation_.emplace(before, puzzle_.PointCount(), result.OpCode, result.Pivot, colour, frontEnd_.Now());
        DrawAnimationFrame(frontEnd_.Now());
        return;
    }
    FinishShownMove();
}

void TGame::FinishShownMove()
{
    if (!shownMove_)
        return;
    const ShownMove shown = *shownMove_;
    shownMove_.reset();
    animation_.reset();
    try {
        ShowOutcome(shown);
    } catch (...) {
        // A record that could not be written, say: the demonstration's step
        // is over all the same, or "次" would wait for it for ever.
        if (shown.Source == MoveSource::Demonstration)
            demo_ = {};
        throw;
    }
    if (shown.Source == MoveSource::Demonstration)
        EndDemonstrationStep();
}

// The move's outcome: a refused path under its message, then the path as it
// was; a made move drawn, and a solved path congratulated.
void TGame::ShowOutcome(const ShownMove& shown)
{
    if (shown.Outcome == MoveOutcome::Refused) {
        TPathStore refused;
        refused.SetPath(Problem{puzzle_.PointCount(), shown.Refused});
        refused.DeriveStructure();
        picture_.Look = PathLook::Play;
        picture_.Path = CornerLine(refused);
        picture_.Marks.clear();
        DrawPicture();
        Message(GameMessage::Failure);
        DrawPath();
    } else {
        DrawPath();
        if (shown.Solved)
            Congratulate();
    }
}

void TGame::CompleteAnimation()
{
    if (animation_)
        FinishShownMove();
}

void TGame::DrawAnimationFrame(double now)
{
    picture_.Look = PathLook::Play;
    picture_.Path = animation_->PathAt(now);
    picture_.Marks = {animation_->MarkAt(now)};
    picture_.Band.reset();
    DrawPicture();
}

void TGame::SetAnimation(bool on)
{
    Input([&] { animate_ = on; });
}

// ---- the end of a play -------------------------------------------------------------

// The play is over the moment the path lies straight: the clock stops, the
// buttons are those of a solved play, and clicks pick nothing. Only a play
// against the running clock counts for a best time: a demonstration that
// folds the path with no play timed keeps none (its clock shows nothing of it).
void TGame::EndSolvedPlay()
{
    timedSolve_ = clock_.Running();
    clock_.Stop();
    EnterPhase(Phase::Solved);
    gameMode_ = ModeIdle;
    CancelStaleHint();
}

// The congratulation, then the demonstration's panel goes and what the
// solve earned is kept.
void TGame::Congratulate()
{
    Message(GameMessage::Solved);
    demonstrationShown_ = false;
    KeepSolve();
}

// A faster time than the best, for a timed play in which no hint was taken;
// for a random problem folded by the player alone in its proven fewest
// moves, the mark of it.
void TGame::KeepSolve()
{
    // The play is over whether or not its record could be written.
    const ScopeExit finish([this] {
        unsaved_ = false;
        saveOffered_ = false;
    });
    const bool fewest = !hintUsed_ && !demonstrated_ && timedSolve_ && identity_.Code &&
                        par_.Known == ParFigure::Proven && puzzle_.MoveCount() == par_.Moves;
    const bool best = !hintUsed_ && timedSolve_ && clock_.Elapsed() < bestSeconds_;
    if (best)
        bestSeconds_ = clock_.Elapsed();
    const auto storeBest = [&] {
        if (best)
            records_.StoreBestTime(identity_.Name, bestSeconds_);
    };
    if (fewest) {
        try {
            records_.StoreFewestSolve(identity_.Name);
        } catch (...) {
            // A mark that cannot be written costs the best time nothing.
            storeBest();
            throw;
        }
    }
    storeBest();
}

// ---- the fewest moves and hints -----------------------------------------------------

void TGame::CancelJob(std::shared_ptr<GameJob>& job)
{
    if (job)
        job->Cancel();
    job.reset();
}

// The fewest moves from the problem's first position, worked out while the
// player looks at it.
void TGame::StartParSearch()
{
    const Problem problem{puzzle_.PointCount(), puzzle_.ProblemPath()};
    par_ = {ParFigure::Pending, 0};
    StartJob<ShortestSolution>(
        parJob_,
        [problem](const std::atomic<bool>& cancel) {
            return SolveShortest(problem, ShortestBudget{SearchSeconds, 0, &cancel});
        },
        [this](ShortestSolution solution) {
            const int moves = static_cast<int>(solution.Moves.size());
            par_ = {solution.Proven ? ParFigure::Proven : ParFigure::AtMost, moves};
        });
}

void TGame::Hint()
{
    Input([&] {
        if (!BuildControls().Hint || MovePending())
            return;
        hintPath_ = Problem{puzzle_.PointCount(), puzzle_.WorkPath()};
        const Problem path = hintPath_;
        StartJob<ShortestSolution>(
            hintJob_,
            [path](const std::atomic<bool>& cancel) {
                return SolveShortest(path, ShortestBudget{SearchSeconds, 0, &cancel});
            },
            [this](ShortestSolution solution) { ShowHint(solution); });
    });
}

// The first move of a shortest solution, picked as the player would pick it:
// its point selected, its operation marked, nothing moved.
void TGame::ShowHint(const ShortestSolution& solution)
{
    // A demonstration's move about to be made would change the path under it.
    if (gameMode_ != ModePlay || MovePending() || !SamePoints(hintPath_, puzzle_) || solution.Moves.empty())
        return;
    const SolverMove first = solution.Moves.front();
    hintUsed_ = true;
    const PathPoint& p = puzzle_.Work(first.Pivot);
    if (view_.Sized())
        Pick({p.X, p.Y}, view_.WorldToPixel(p.X, p.Y));
    operations_.HintedOp = first.OpCode;
}

// A hint being worked out is of no use once the path or the mode has changed.
void TGame::CancelStaleHint()
{
    if (hintJob_ && (gameMode_ != ModePlay || !SamePoints(hintPath_, puzzle_)))
        CancelJob(hintJob_);
}

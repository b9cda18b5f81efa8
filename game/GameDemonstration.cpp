// GameDemonstration.cpp: the computer's demonstration on the game's clock: choose, highlight, wait, move, and in a run wait again.
#include "game/Game.h"

namespace {

// The "最短手順" step's search holds nothing up, but a step should come soon:
// after this the best moves known serve.
constexpr double StepSearchSeconds = 1.0;

} // namespace

bool TGame::MovePending() const
{
    return demo_.Now == DemonstrationStep::Stage::Choosing || demo_.Now == DemonstrationStep::Stage::Showing;
}

int TGame::WaitMs() const
{
    return 250 << waitPosition_;
}

void TGame::OpenDemonstration()
{
    Input([&] {
        // "自動" lives on the puzzle panel.
        if (mode_ != MenuPuzzle)
            return;
        demonstrationShown_ = true;
        stepEnabled_ = true;
        gameMode_ = ModePlay;
    });
}

void TGame::SetWaitPosition(int position)
{
    Act([&] { waitPosition_ = std::clamp(position, 1, 5); });
}

void TGame::SetShortestSteps(bool on)
{
    Act([&] { shortestSteps_ = on; });
}

void TGame::PressStep(bool doubleClick)
{
    Input([&] {
        if (!BuildControls().Step || !demonstrationShown_)
            return;
        if (demo_.Now != DemonstrationStep::Stage::Idle) {
            // The step in hand goes on; a double click makes a run of it.
            if (doubleClick)
                demo_.Run = true;
            else
                ++demo_.Queued;
            return;
        }
        demo_.Run = doubleClick;
        BeginDemonstrationStep();
    });
}

// The move is chosen on the path as it stands: by the fixed rule at once, or
// the first of a shortest solution once the search has found it.
void TGame::BeginDemonstrationStep()
{
    // A path being drawn is no puzzle; a single point has nowhere to go.
    lastDemonstrationMove_.reset();
    if (gameMode_ == ModeEntry || puzzle_.PointCount() < 2) {
        demo_ = {};
        return;
    }
    if (!shortestSteps_) {
        ShowDemonstrationMove(NextDemonstrationMove(puzzle_));
        return;
    }
    demo_.Now = DemonstrationStep::Stage::Choosing;
    const Problem path{puzzle_.PointCount(), puzzle_.WorkPath()};
    StartJob<ShortestSolution>(
        stepJob_,
        [path](const std::atomic<bool>& cancel) {
            return SolveShortest(path, ShortestBudget{StepSearchSeconds, 0, &cancel});
        },
        [this](ShortestSolution solution) {
            if (demo_.Now != DemonstrationStep::Stage::Choosing)
                return;
            // A path already straight gets the fixed rule's move, which
            // reports it solved again and so ends a run.
            if (solution.Moves.empty())
                ShowDemonstrationMove(NextDemonstrationMove(puzzle_));
            else
                ShowDemonstrationMove(solution.Moves.front());
        });
}

// The part of the path that will move, in the colour of the operation, for the wait.
void TGame::ShowDemonstrationMove(const std::optional<SolverMove>& move)
{
    if (!move) {
        demo_ = {};
        return;
    }
    demo_.Now = DemonstrationStep::Stage::Showing;
    demo_.Move = *move;
    demo_.Due = frontEnd_.Now() + WaitMs() / 1000.0;
    HighlightTail(move->Pivot, TailColourOf(move->OpCode));
}

void TGame::MakeDemonstrationMove()
{
    demo_.Now = DemonstrationStep::Stage::Moving;
    lastDemonstrationMove_ = demo_.Move;
    demonstrated_ = true;
    const PathArray before = puzzle_.WorkPath();
    ShowMove(puzzle_.ApplyOperation(demo_.Move.OpCode, demo_.Move.Pivot), before, TailColourOf(demo_.Move.OpCode),
             MoveSource::Demonstration);
}

// The move has been shown (and refused or congratulated). A run waits again
// before its next step; further presses of "次" make their steps.
void TGame::EndDemonstrationStep()
{
    if (demo_.Now != DemonstrationStep::Stage::Moving)
        return;
    if (demo_.Run) {
        demo_.Now = DemonstrationStep::Stage::Resting;
        demo_.Due = frontEnd_.Now() + WaitMs() / 1000.0;
        return;
    }
    const int queued = demo_.Queued;
    demo_ = {};
    // Presses of "次" made during the step wait for it, also after 中断, while
    // the panel stands: a solve takes the panel, and the presses, away.
    if (queued > 0 && demonstrationShown_) {
        demo_.Queued = queued - 1;
        BeginDemonstrationStep();
    }
}

void TGame::AdvanceDemonstration(double now)
{
    if (now < demo_.Due)
        return;
    if (demo_.Now == DemonstrationStep::Stage::Showing) {
        MakeDemonstrationMove();
    } else if (demo_.Now == DemonstrationStep::Stage::Resting) {
        // A run goes on while the game is in play; a solve, a pause or
        // another mode has ended it.
        if (gameMode_ == ModePlay) {
            BeginDemonstrationStep();
        } else {
            demo_ = {};
        }
    }
}

// Ends a step or run at once: a move chosen and shown but not made is not
// made, and its highlight goes.
void TGame::EndDemonstrationRun()
{
    if (demo_.Now == DemonstrationStep::Stage::Idle)
        return;
    if (demo_.Now == DemonstrationStep::Stage::Moving)
        CompleteAnimation();
    const bool highlighted = demo_.Now == DemonstrationStep::Stage::Showing;
    CancelJob(stepJob_);
    demo_ = {};
    if (highlighted)
        DrawPath();
}

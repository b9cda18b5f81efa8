// Game.cpp: acting on the front end's calls, what is shown, time, the picture and the view.
#include "game/Game.h"

#include <algorithm>

#include "core/Checked.h"
#include "core/ScopeExit.h"
#include "game/ShiftBits.h"

TGame::TGame(GameFrontEnd& frontEnd, GameJobs& jobs, GameRecords& records)
    : frontEnd_(frontEnd), jobs_(jobs), records_(records)
{
    shown_ = BuildStatus();
}

TGame::~TGame()
{
    // Work still running elsewhere finishes into nothing.
    for (std::shared_ptr<GameJob>* job : {&parJob_, &hintJob_, &generateJob_, &stepJob_})
        CancelJob(*job);
}

// Every call from the front end runs its body here. When the outermost one
// ends, the results of work that finished meanwhile are handed over, and the
// front end learns what changed and when the next tick is due.
void TGame::Act(const std::function<void()>& body)
{
    ++depth_;
    try {
        body();
    } catch (...) {
        if (--depth_ == 0)
            Publish();
        throw;
    }
    if (--depth_ > 0)
        return;
    while (!deferred_.empty() && modalDepth_ == 0) {
        const std::function<void()> finish = std::move(deferred_.front());
        deferred_.erase(deferred_.begin());
        Act(finish);
    }
    Publish();
}

// A call that stands for something the player did: a move still in motion is
// completed first, as if the player had waited for it.
void TGame::Input(const std::function<void()>& body)
{
    Act([&] {
        CompleteAnimation();
        body();
    });
}

void TGame::Publish()
{
    const GameStatus status = BuildStatus();
    if (!statusShown_ || !(status == shown_)) {
        statusShown_ = true;
        shown_ = status;
        frontEnd_.ShowStatus(shown_);
    }
    const std::optional<double> due = NextDue();
    if (!dueAsked_ || due != dueShown_) {
        dueAsked_ = true;
        dueShown_ = due;
        frontEnd_.WantTick(due);
    }
}

GameStatus TGame::BuildStatus() const
{
    GameStatus s;
    s.State = State();
    s.ModeShown = mode_;
    s.GameMode = gameMode_;
    s.Enabled = BuildControls();
    s.DemonstrationShown = demonstrationShown_;
    s.RunningDemonstration = demo_.Run && demo_.Now != DemonstrationStep::Stage::Idle;
    s.Operations = operations_;
    if (clockShown_)
        s.ClockSeconds = clock_.Elapsed();
    s.Moves = puzzle_.MoveCount();
    s.Par = par_;
    s.HintUsed = hintUsed_;
    s.Unsaved = unsaved_;
    s.Unit = view_.Unit();
    s.Problem = identity_;
    return s;
}

GameState TGame::State() const
{
    if (gameMode_ == ModeEntry)
        return GameState::Entry;
    switch (phase_) {
    case Phase::Creation: return GameState::Creation;
    case Phase::Ready: return GameState::Ready;
    case Phase::Playing: return GameState::Playing;
    case Phase::Paused: return GameState::Paused;
    case Phase::Solved: return GameState::Solved;
    default: return GameState::NoMode;
    }
}

Controls TGame::BuildControls() const
{
    // The two mode panels' buttons as each state leaves them.
    Controls c;
    switch (phase_) {
    case Phase::NoMode: c.EntryBegin = c.Start = c.Open = true; break;
    case Phase::Creation: c.EntryBegin = true; break;
    case Phase::Ready: c.Start = c.SaveCopy = c.Open = true; break;
    case Phase::Playing: c.Pause = true; break;
    case Phase::Paused: c.EntryBegin = c.Start = c.Continue = c.SaveCopy = c.Open = true; break;
    case Phase::Solved: c.EntryBegin = c.Start = c.SaveCopy = c.Open = true; break;
    }
    c.SaveDrawn = saveOffered_;
    c.Undo = undoOffered_;
    if (gameMode_ == ModeEntry)
        c.EntryBegin = false;
    c.EntryEnd = gameMode_ == ModeEntry;
    c.Step = stepEnabled_ && !(demo_.Run && demo_.Now != DemonstrationStep::Stage::Idle);
    c.Redo = gameMode_ == ModePlay && puzzle_.History().RedoCount() > 0;
    c.Hint = gameMode_ == ModePlay && !hintJob_;
    c.NewProblem = mode_ == MenuPuzzle && c.Open && !generateJob_;
    return c;
}

std::optional<double> TGame::NextDue() const
{
    std::optional<double> due;
    const auto consider = [&due](double at) { due = due ? std::min(*due, at) : at; };
    if (animation_)
        consider(animation_->NextFrame(frontEnd_.Now()));
    if (clock_.Running())
        consider(clock_.NextTick());
    if (demo_.Now == DemonstrationStep::Stage::Showing || demo_.Now == DemonstrationStep::Stage::Resting)
        consider(demo_.Due);
    return due;
}

void TGame::Tick(double now)
{
    // Whatever this tick does, the front end hears when the next is due: a
    // timer that fired a little early gets another chance, and one that fired
    // under a message is set again when the message has been closed.
    dueAsked_ = false;
    // A message still open holds the game where it is.
    if (modalDepth_ > 0)
        return;
    Act([&] {
        if (animation_) {
            if (animation_->Over(now))
                FinishShownMove();
            else
                DrawAnimationFrame(now);
        }
        if (clock_.Running() && now >= clock_.NextTick())
            clock_.Tick(now);
        AdvanceDemonstration(now);
    });
}

// A message or question takes the mouse: a drag of the picture ends there,
// since its button may be let go over the message, unseen by the picture.
void TGame::HoldForModal()
{
    dragging_ = false;
    ++modalDepth_;
}

void TGame::Message(GameMessage message)
{
    Publish();  // what the player sees behind the message is up to date
    HoldForModal();
    const ScopeExit closed([this] { --modalDepth_; });
    frontEnd_.ShowMessage(message);
}

bool TGame::Ask(GameQuestion question)
{
    Publish();
    HoldForModal();
    const ScopeExit closed([this] { --modalDepth_; });
    return frontEnd_.Ask(question);
}

// The result of a job, handed over now or, while a message is open, once it is closed.
void TGame::Deliver(std::function<void()> finish)
{
    if (modalDepth_ > 0 || depth_ > 0)
        deferred_.push_back(std::move(finish));
    else
        Act(finish);
}

// The buttons of the two mode panels follow the state; a new state also
// takes back what single moves and saves had offered.
void TGame::EnterPhase(Phase phase)
{
    phase_ = phase;
    saveOffered_ = phase == Phase::Creation;
    undoOffered_ = false;
}

// ---- the picture ---------------------------------------------------------------

void TGame::DrawPicture()
{
    if (!view_.Sized())
        return;
    picture_.View = view_.Transform();
    picture_.Window = view_.Window();
    frontEnd_.Draw(picture_);
}

// Grid, axes and the path corner to corner; marks drawn over it are gone.
// During an entry the entry's own picture.
void TGame::DrawPath()
{
    if (gameMode_ == ModeEntry) {
        RedrawEntry();
        return;
    }
    picture_.Look = PathLook::Play;
    picture_.Path = CornerLine(puzzle_);
    picture_.Marks.clear();
    picture_.Band.reset();
    DrawPicture();
    CancelStaleHint();
}

// The picture again after a change of view: a move in motion goes on moving.
void TGame::Redraw()
{
    if (animation_)
        DrawAnimationFrame(frontEnd_.Now());
    else
        DrawPath();
}

// The tail from point `from` over the picture, with a square on the point.
void TGame::HighlightTail(std::uint8_t from, std::uint8_t colour)
{
    TailMark mark{StepLine(puzzle_.WorkPath(), from, puzzle_.PointCount()), colour};
    // The same mark again covers the one before it exactly: only the last is
    // kept, so that picking a point over and over piles nothing up.
    std::erase(picture_.Marks, mark);
    picture_.Marks.push_back(std::move(mark));
    DrawPicture();
}

// ---- the view ------------------------------------------------------------------

void TGame::Resize(int width, int height)
{
    Act([&] {
        const bool first = !view_.Sized();
        view_.Resize(width, height);
        if (!first)
            Redraw();
    });
}

void TGame::Zoom(int unit)
{
    Act([&] {
        if (!view_.Sized() || unit == view_.Unit())
            return;
        view_.SetUnit(std::clamp(unit, TGameView::MinUnit, TGameView::MaxUnit));
        Redraw();
    });
}

void TGame::Wheel(int notches, std::int32_t px, std::int32_t py)
{
    Act([&] {
        const int unit = std::clamp(view_.Unit() + notches, TGameView::MinUnit, TGameView::MaxUnit);
        if (!view_.Sized() || unit == view_.Unit())
            return;
        view_.ZoomAbout(unit, {px, py});
        Redraw();
    });
}

void TGame::PanUnits(std::int32_t unitsX, std::int32_t unitsY)
{
    Act([&] {
        const std::int32_t dx = CheckedMul(unitsX, view_.Unit());
        const std::int32_t dy = CheckedMul(unitsY, view_.Unit());
        if (!view_.Sized() || (dx == 0 && dy == 0))
            return;
        view_.Pan(dx, dy);
        Redraw();
    });
}

void TGame::Fit()
{
    Act([&] {
        if (!view_.Sized())
            return;
        view_.Fit(puzzle_, coveredRight_);
        Redraw();
    });
}

// ---- the mouse -----------------------------------------------------------------

void TGame::MouseDown(int shift, bool panButton, std::int32_t px, std::int32_t py)
{
    Act([&] {
        // A drag with control held, or with the pan button, moves the picture.
        if ((shift & ControlKey) || panButton) {
            dragging_ = true;
            dragAnchor_ = {px, py};
            return;
        }
        const LatticePoint at = view_.LatticeAt(px, py);
        if (gameMode_ == ModePlay) {
            CompleteAnimation();
            Pick(at, {px, py});
        } else if (gameMode_ == ModeEntry && (shift & DoubleClick)) {
            EndEntry();
        }
    });
}

void TGame::MouseMove(std::int32_t px, std::int32_t py)
{
    Act([&] {
        if (dragging_) {
            const std::int32_t dx = CheckedSub(px, dragAnchor_.X);
            const std::int32_t dy = CheckedSub(py, dragAnchor_.Y);
            dragAnchor_ = {px, py};
            view_.Pan(dx, dy);
            Redraw();
            return;
        }
        // Where the pointer is counts (and can fail) whatever the mode.
        const LatticePoint at = view_.LatticeAt(px, py);
        if (gameMode_ == ModeEntry)
            MoveBand(at);
    });
}

void TGame::MouseUp()
{
    Act([&] {
        if (dragging_) {
            dragging_ = false;
            Redraw();
            return;
        }
        if (gameMode_ == ModeEntry)
            CommitBand();
    });
}

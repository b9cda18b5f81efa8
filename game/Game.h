// Game.h: the game between the puzzle and its front ends: modes, the timed play, the demonstration, path entry, hints, the view and all that is shown.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Puzzle.h"
#include "game/FrontEnd.h"
#include "game/Jobs.h"
#include "game/MoveAnimation.h"
#include "game/PlayClock.h"
#include "game/SavedPlay.h"
#include "game/Status.h"
#include "game/View.h"
#include "solver/Demonstration.h"
#include "solver/Generator.h"
#include "solver/Shortest.h"

// One game, whatever shows it. A front end passes in what the player does,
// in the game's own words (pick a point, choose an operation, undo, zoom about
// a pixel ...) and the time; the game answers through GameFrontEnd with the
// picture, the status, messages and questions. It never sleeps and owns no
// thread: time comes in through Tick, long searches go out through GameJobs.
//
// Every action that a control stands for does nothing while that control is
// disabled (Status().Enabled) or out of sight (on the panel of the mode not
// chosen), so a front end cannot reach a state its controls would not allow. A move being shown as motion is completed before
// any other action of the player acts.
class TGame {
public:
    TGame(GameFrontEnd& frontEnd, GameJobs& jobs, GameRecords& records);
    ~TGame();
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    // ---- what a front end reads ----------------------------------------------
    const TPuzzle& Puzzle() const { return puzzle_; }
    GameState State() const;
    std::uint8_t GameMode() const { return gameMode_; }
    bool Unsaved() const { return unsaved_; }
    const GameStatus& Status() const { return shown_; }
    const Picture& CurrentPicture() const { return picture_; }
    const TGameView& View() const { return view_; }
    const TPlayClock& Clock() const { return clock_; }
    std::int32_t BestSeconds() const { return bestSeconds_; }
    LatticePoint EntryCorner() const { return entryCorner_; }
    LatticePoint EntryCandidate() const { return entryCandidate_; }
    bool Dragging() const { return dragging_; }
    bool Animating() const { return animation_.has_value(); }
    // Whether a demonstration step has chosen its move and not made it yet.
    bool MovePending() const;
    // The move the demonstration's latest step made (or had refused), if it made one.
    const std::optional<SolverMove>& LastDemonstrationMove() const { return lastDemonstrationMove_; }
    // Whether a move is being shown or a demonstration step is under way.
    bool Busy() const { return animation_.has_value() || demo_.Now != DemonstrationStep::Stage::Idle; }

    // ---- time and the picture's size -----------------------------------------
    // The front end's timer, at or after the time WantTick asked for.
    void Tick(double now);
    // When the next tick is due, as WantTick last said it.
    std::optional<double> NextDue() const;
    // The picture's size in pixels; the first one sets up the view.
    void Resize(int width, int height);

    // ---- problems ------------------------------------------------------------
    // The problem shipped with the game, at start-up: named but keeps no record.
    void InstallSample(const Problem& problem, const std::string& name);
    // A problem read from a file of that name. The play of the one before ends.
    void InstallOpened(const Problem& problem, const std::string& name);
    // "開く" was pressed: a running demonstration ends and its panel goes,
    // whatever the file dialog brings.
    void OpeningProblem();
    // Whether a new problem may replace the one in place: asks when an
    // entered path is unsaved. A yes ends a running demonstration.
    bool MayReplaceProblem();
    // Makes the problem of a code off the game's thread and installs it.
    void MakeRandomProblem(const ProblemCode& code);
    // The problem was saved to a file of that name, which becomes its name
    // (`rename`), or a copy of it was saved (the name stays).
    void ProblemSaved(const std::optional<std::string>& rename);

    // ---- a play kept between runs --------------------------------------------
    // The timed play under way or paused, to keep when the game closes;
    // nothing when there is none.
    std::optional<SavedPlay> PlayToKeep() const;
    // Takes up a kept play: puzzle play, its problem and name, the path after
    // its moves (undo goes back through them, redo forward), the clock paused
    // at its seconds. False, and nothing changed, for a play that does not
    // fit together (ParseSavedPlay has checked it).
    bool ResumePlay(const SavedPlay& play);

    // ---- modes and the window ------------------------------------------------
    // A menu item was chosen (asks first when an entered path is unsaved).
    void ChooseMode(int item);
    // Whether the program may end now: asks when an entered path is unsaved.
    bool MayQuit();
    // The window goes: nothing keeps running.
    void Close();

    // ---- the timed play ------------------------------------------------------
    void Start();
    void Pause();
    void Continue();
    // An item of the operation menu: OpCode 0 cancels, 1..4 are R, L, H, V.
    void ChooseOperation(int op);
    void Undo();
    void Redo();
    // Searches the first move of a shortest solution and picks it as the
    // player would, with its operation marked in the menu.
    void Hint();
    // Picks point `index` of the path as a click on it would; in a play only.
    void PickPoint(int index);
    // Picks the point after (or before) the one picked last: true when the
    // game is in play and so took the key.
    bool PickNextPoint(int step);

    // ---- the demonstration ---------------------------------------------------
    void OpenDemonstration();
    // "次" pressed: one step, or with a double click a continuous run. A press
    // during a single step makes another step after it; a double click turns it
    // into a run.
    void PressStep(bool doubleClick);
    // The wait's position, 1..5: 250 × 2^position milliseconds.
    void SetWaitPosition(int position);
    // The demonstration plays a shortest solution instead of its fixed rule.
    void SetShortestSteps(bool on);
    // Moves are shown as motion.
    void SetAnimation(bool on);

    // ---- mouse, keys and the view --------------------------------------------
    // A press on the picture at a pixel, with the modifier bits (ShiftBits);
    // `panButton` is the button that always pans (the middle one).
    void MouseDown(int shift, bool panButton, std::int32_t px, std::int32_t py);
    void MouseMove(std::int32_t px, std::int32_t py);
    void MouseUp();
    void Zoom(int unit);
    // Whole notches of the wheel about the pixel under the pointer.
    void Wheel(int notches, std::int32_t px, std::int32_t py);
    // Moves the drawing by so many world units (at the present scale).
    void PanUnits(std::int32_t unitsX, std::int32_t unitsY);
    // The whole path in view, as large as the zoom allows, clear of a strip
    // on the right that the front end covers (SetCoveredRight).
    void Fit();
    void SetCoveredRight(int pixels) { coveredRight_ = pixels; }

    // ---- path entry ----------------------------------------------------------
    void BeginEntry();
    void EndEntry();

private:
    enum class Phase : std::uint8_t { NoMode, Creation, Ready, Playing, Paused, Solved };
    enum class MoveSource : std::uint8_t { Player, Demonstration };

    // A move on its way to the screen: what to show once its motion is over.
    struct ShownMove {
        MoveOutcome Outcome = MoveOutcome::Applied;
        bool Solved = false;
        MoveSource Source = MoveSource::Player;
        PathArray Refused{};
    };

    // The demonstration's step under way.
    struct DemonstrationStep {
        enum class Stage : std::uint8_t { Idle, Choosing, Showing, Moving, Resting };
        Stage Now = Stage::Idle;
        SolverMove Move;
        double Due = 0;
        bool Run = false;     // a continuous run
        int Queued = 0;       // presses of "次" waiting for the step in hand
    };

    // ---- acting and showing (Game.cpp) ----
    void Act(const std::function<void()>& body);
    void Input(const std::function<void()>& body);
    void Publish();
    GameStatus BuildStatus() const;
    Controls BuildControls() const;
    void Message(GameMessage message);
    bool Ask(GameQuestion question);
    void Deliver(std::function<void()> finish);
    void EnterPhase(Phase phase);
    void DrawPath();
    void Redraw();
    void DrawPicture();
    void HighlightTail(std::uint8_t from, std::uint8_t colour);
    void RedrawEntry();

    // ---- moves (GamePlay.cpp) ----
    void Pick(LatticePoint at, PixelPoint click);
    void ShowMove(const MoveResult& result, const PathArray& before, std::uint8_t colour, MoveSource source);
    void FinishShownMove();
    void ShowOutcome(const ShownMove& shown);
    void HoldForModal();
    void CompleteAnimation();
    void DrawAnimationFrame(double now);
    void EndSolvedPlay();
    void Congratulate();
    void KeepSolve();
    void StartParSearch();
    void ShowHint(const ShortestSolution& solution);
    void CancelStaleHint();
    void CancelJob(std::shared_ptr<GameJob>& job);
    // Runs `work` through the jobs in `slot` (cancelling the one there); its
    // result reaches `then` on the game's thread while the job still holds the slot.
    template <typename Result>
    void StartJob(std::shared_ptr<GameJob>& slot, typename ValueJob<Result>::Work work,
                  std::function<void(Result)> then);

    // ---- problems (GameProblems.cpp) ----
    void InstallProblem(const Problem& problem);
    void EndPlayOfProblem();
    void NameProblem(const std::string& name, const std::optional<ProblemCode>& code = std::nullopt);

    // ---- the demonstration (GameDemonstration.cpp) ----
    int WaitMs() const;
    void BeginDemonstrationStep();
    void ShowDemonstrationMove(const std::optional<SolverMove>& move);
    void MakeDemonstrationMove();
    void EndDemonstrationStep();
    void AdvanceDemonstration(double now);
    void EndDemonstrationRun();

    // ---- path entry (GameEntry.cpp) ----
    void MoveBand(LatticePoint at);
    void CommitBand();
    void MovePointerToCorner();

    GameFrontEnd& frontEnd_;
    GameJobs& jobs_;
    GameRecords& records_;

    TPuzzle puzzle_;
    TGameView view_;
    TPlayClock clock_;
    Picture picture_;

    Phase phase_ = Phase::NoMode;
    int mode_ = MenuNone;
    std::uint8_t gameMode_ = 0;  // 0 idle, 1 path entry, 2 play
    bool saveOffered_ = false;   // the creation panel's save, since the mode was chosen
    bool undoOffered_ = false;   // undo, since the last change of state
    bool unsaved_ = false;
    bool hintUsed_ = false;
    bool demonstrated_ = false;  // the demonstration made a move of this play
    bool timedSolve_ = false;    // the last solve ended a play against the running clock
    bool clockShown_ = false;
    bool demonstrationShown_ = false;
    bool stepEnabled_ = false;
    int waitPosition_ = 3;
    bool shortestSteps_ = false;
    bool animate_ = true;

    ProblemIdentity identity_;
    std::int32_t bestSeconds_ = 0;
    ParFigure par_;
    OperationMenu operations_;

    LatticePoint entryCorner_;
    LatticePoint entryCandidate_;
    bool dragging_ = false;
    PixelPoint dragAnchor_;

    DemonstrationStep demo_;
    std::optional<SolverMove> lastDemonstrationMove_;
    std::optional<TMoveAnimation> animation_;
    std::optional<ShownMove> shownMove_;

    std::shared_ptr<GameJob> parJob_;
    std::shared_ptr<GameJob> hintJob_;
    std::shared_ptr<GameJob> generateJob_;
    std::shared_ptr<GameJob> stepJob_;
    Problem hintPath_;

    int depth_ = 0;       // public calls under way, nested
    int modalDepth_ = 0;  // modal messages and questions open
    int coveredRight_ = 0;  // pixels on the picture's right under a panel of the front end's
    std::vector<std::function<void()>> deferred_;
    GameStatus shown_;
    bool statusShown_ = false;
    std::optional<double> dueShown_;
    bool dueAsked_ = false;
};

template <typename Result>
void TGame::StartJob(std::shared_ptr<GameJob>& slot, typename ValueJob<Result>::Work work,
                     std::function<void(Result)> then)
{
    CancelJob(slot);
    auto job = std::make_shared<ValueJob<Result>>(
        std::move(work), [this, &slot, then = std::move(then)](std::shared_ptr<GameJob> self, Result result) {
            Deliver([&slot, then, self = std::move(self), result = std::move(result)] {
                if (slot != self)
                    return;
                slot.reset();
                then(result);
            });
        });
    slot = job;
    jobs_.Start(std::move(job));
}

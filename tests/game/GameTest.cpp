// GameTest.cpp: the game without a window: states and their controls, a whole play, refusals, problems ending plays, the clock, hints and path entry.
#include <functional>

#include "GameFixture.h"
#include "core/RunErrors.h"
#include "game/ShiftBits.h"
#include "solver/Shortest.h"

TEST_F(GameTest, EachStateEnablesTheControlsOfItsMask)
{
    game.InstallSample(ProblemOf(corner), "Vandrel000");
    struct Step {
        const char* Name;
        std::function<void()> Act;
        GameState State;
        std::uint8_t Mode;
        std::uint8_t Mask;
    };
    const Step steps[] = {
        {"start-up", [] {}, GameState::NoMode, ModeIdle, MaskStartUp},
        {"puzzle", [&] { game.ChooseMode(MenuPuzzle); }, GameState::Ready, ModeIdle, MaskPuzzle},
        {"start", [&] { game.Start(); }, GameState::Playing, ModePlay, MaskPlaying},
        {"a move", [&] { Move(1, 1, OpV); }, GameState::Playing, ModePlay, MaskPlaying | MaskUndo},
        {"pause", [&] { game.Pause(); }, GameState::Paused, ModeIdle, MaskPaused},
        {"continue", [&] { game.Continue(); }, GameState::Playing, ModePlay, MaskPlaying | MaskUndo},
        {"solved", [&] { Move(1, 0, OpR); }, GameState::Solved, ModeIdle, MaskSolved},
        {"demonstration", [&] { game.OpenDemonstration(); }, GameState::Solved, ModePlay, MaskSolved},
        {"creation", [&] { game.ChooseMode(MenuCreation); }, GameState::Creation, ModeIdle, MaskCreation},
        {"entry", [&] { game.BeginEntry(); }, GameState::Entry, ModeEntry, MaskCreation & ~1},
        {"entry ends", [&] { game.EndEntry(); }, GameState::Creation, ModeIdle, MaskCreation},
        {"saved", [&] { game.ProblemSaved("Vandrel9"); }, GameState::Creation, ModeIdle, MaskCreation & ~2},
    };
    for (const Step& s : steps) {
        s.Act();
        EXPECT_EQ(game.State(), s.State) << s.Name;
        EXPECT_EQ(game.GameMode(), s.Mode) << s.Name;
        EXPECT_EQ(Mask(), s.Mask) << s.Name;
        EXPECT_EQ(game.Status().Enabled.EntryEnd, s.State == GameState::Entry) << s.Name;
    }
}

TEST_F(GameTest, AWholePlayEndsWithTheCongratulationAndOnlyAFasterTimeIsKept)
{
    StartCorner();
    Pass(42);
    EXPECT_EQ(game.Status().ClockSeconds, 42);
    fe.OnMessage = [&](GameMessage) {
        // The play is over before the player reads the message.
        EXPECT_EQ(Mask(), MaskSolved);
        EXPECT_FALSE(game.Clock().Running());
        EXPECT_EQ(game.GameMode(), ModeIdle);
    };
    Move(1, 0, OpR);
    EXPECT_EQ(fe.Messages, std::vector<GameMessage>{GameMessage::Solved});
    EXPECT_EQ(fe.BestTimes["Vandrel5"], 42);
    EXPECT_EQ(game.Status().Problem.BestSeconds, GameRecords::NoRecord) << "the caption keeps its time until named again";
    fe.OnMessage = nullptr;
    Click(1, 0);
    EXPECT_FALSE(game.Status().Operations.Shown) << "a solved play picks nothing";

    // Seconds played, whether a hint was taken, the best kept afterwards.
    const struct { int Seconds; bool Hint; int Best; } plays[] = {{42, false, 42}, {50, false, 42}, {10, true, 42}, {10, false, 10}};
    for (const auto& p : plays) {
        game.Start();
        Pass(p.Seconds);
        if (p.Hint) {
            game.Hint();
            rig->Jobs.RunAll();
            EXPECT_EQ(game.Status().Operations.HintedOp, OpR);
            EXPECT_EQ(game.Puzzle().SelectedPivot(), 2);
            game.ChooseOperation(OpR);
            EXPECT_TRUE(game.Status().HintUsed);
        } else {
            Move(1, 0, OpR);
        }
        EXPECT_EQ(game.State(), GameState::Solved);
        EXPECT_EQ(fe.BestTimes["Vandrel5"], p.Best) << p.Seconds;
    }
}

TEST_F(GameTest, ARefusedMoveIsShownUnderItsMessageThenTheOldPathAgain)
{
    StartCorner();
    const Polyline refused{{0, 0}, {1, 0}, {0, 0}};
    Polyline underMessage;
    fe.OnMessage = [&](GameMessage) { underMessage = fe.LastPicture.Path; };
    Move(1, 0, OpL);
    EXPECT_EQ(fe.Messages, std::vector<GameMessage>{GameMessage::Failure});
    EXPECT_EQ(underMessage, refused);
    EXPECT_EQ(fe.LastPicture.Path, (Polyline{{0, 0}, {1, 0}, {1, 1}}));
    EXPECT_EQ(Path(), corner);
    EXPECT_EQ(game.Status().Moves, 0);
    EXPECT_FALSE(game.Status().Enabled.Undo);
}

// The front end's timer fires once for each request. One that fires while a
// message is open is asked for again when the message closes, so the clock
// goes on.
TEST_F(GameTest, ATickThatCameUnderAMessageIsAskedForAgainAfterIt)
{
    StartCorner();
    fe.OnMessage = [&](GameMessage) {
        ASSERT_TRUE(fe.Due.has_value());
        fe.Due.reset();  // the timer has fired
        Pass(5);
    };
    Move(1, 0, OpL);  // refused
    fe.OnMessage = nullptr;
    ASSERT_TRUE(fe.Due.has_value()) << "the timer is set again";
    game.Tick(std::max(fe.Time, *fe.Due));
    EXPECT_EQ(game.Status().ClockSeconds, 5);
}

// A message that opens during a drag of the picture ends the drag: the
// button may be let go over the message, and the picture must not follow
// the pointer afterwards.
TEST_F(GameTest, AMessageEndsADragOfThePicture)
{
    game.ChooseMode(MenuPuzzle);
    Open(corner);
    game.OpenDemonstration();
    game.PressStep(false);
    const PixelPoint origin = PixelOf(0, 0);
    game.MouseDown(ControlKey, false, origin.X, origin.Y);
    Pass(2.0);  // the step solves the corner: its congratulation
    ASSERT_EQ(fe.Messages, std::vector<GameMessage>{GameMessage::Solved});
    game.MouseMove(origin.X + 40, origin.Y + 40);
    EXPECT_EQ(PixelOf(0, 0), origin);
}

// Picking points back and forth leaves one mark a tail on the picture, the
// latest on top, not one for every pick.
TEST_F(GameTest, PickingAgainAndAgainPilesNoMarksUp)
{
    StartCorner();
    Click(0, 0);
    for (int i = 0; i < 20; ++i)
        game.PickNextPoint(i % 2 ? -1 : 1);
    ASSERT_EQ(fe.LastPicture.Marks.size(), 2u);
    EXPECT_EQ(fe.LastPicture.Marks.back().Tail.front(), (WorldPoint{0, 0})) << "the last pick on top";
}

// However a problem arrives, the play of the one before is over: nothing of
// it continues, is taken back or made again, and the clock shows 0.
TEST_F(GameTest, InstallingAProblemEndsThePlayOfTheOneBefore)
{
    const Coords other{{0, 0}, {0, 1}, {1, 1}, {1, 2}};
    const struct {
        const char* Name;
        bool Demonstrating;
        std::function<void(Player&)> Install;
    } ways[] = {
        {"open", false, [&](Player& t) { t.Open(other, "Vandrel010"); }},
        {"open in a demonstration", true, [&](Player& t) {
             t.game.OpeningProblem();
             t.Open(other, "Vandrel010");
         }},
        {"random", false, [](Player& t) {
             ASSERT_TRUE(t.game.MayReplaceProblem());
             t.game.MakeRandomProblem({10, 77, Difficulty::Easy});
             t.rig->Jobs.RunAll();
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Name);
        Player t;
        t.StartCorner();
        t.Pass(30);
        t.Move(1, 0, OpL);  // refused
        t.Move(1, 1, OpV);  // made
        t.game.Undo();
        t.Move(1, 1, OpH);
        t.game.Pause();
        if (way.Demonstrating)
            t.game.OpenDemonstration();
        way.Install(t);
        EXPECT_EQ(t.game.State(), GameState::Ready);
        EXPECT_EQ(t.game.GameMode(), ModeIdle);
        EXPECT_EQ(t.game.Status().ClockSeconds, 0);
        EXPECT_FALSE(t.game.Clock().Running());
        EXPECT_EQ(t.game.Status().Moves, 0);
        EXPECT_FALSE(t.game.Status().DemonstrationShown);
        const Controls& c = t.game.Status().Enabled;
        EXPECT_FALSE(c.Continue || c.Undo || c.Redo || c.Pause);
        const Coords installed = t.Path();
        t.game.Undo();
        t.game.Redo();
        t.game.Continue();
        EXPECT_EQ(t.Path(), installed);
        t.game.Start();
        EXPECT_EQ(t.game.Status().ClockSeconds, 0);
        EXPECT_EQ(t.game.State(), GameState::Playing);
    }
}

TEST_F(GameTest, TheClockCountsToTheNearestSecondAndCarriesOverPauses)
{
    // Readings after a start at 100: elapsed seconds, halves to even.
    const std::pair<double, int> ticks[] = {{101.5, 2}, {102.5, 2}, {175.4, 75}};
    for (const auto& [now, seconds] : ticks) {
        TPlayClock clock;
        clock.Start(100);
        EXPECT_EQ(clock.Tick(now), seconds) << now;
    }
    EXPECT_EQ(ClockText(75), "   1分15秒");
    EXPECT_EQ(ClockText(0), "   0分 0秒");
    TPlayClock clock;
    clock.Start(100);
    clock.Tick(110.9);
    clock.Pause();  // the fraction since the last tick is lost
    EXPECT_EQ(clock.Carried(), 11);
    clock.Continue(500);
    EXPECT_EQ(clock.NextTick(), 501);
    EXPECT_EQ(clock.Tick(502.2), 13);
    EXPECT_EQ(clock.NextTick(), 503);
    EXPECT_THROW(clock.Tick(3e9), EIntOverflow);
    EXPECT_EQ(clock.Elapsed(), 13) << "the reading stays";
    EXPECT_FALSE(clock.Running()) << "and the clock stops";

    // The game ticks it only when a whole second is due.
    StartCorner();
    EXPECT_EQ(fe.Due, fe.Time + 1);
    Pass(0.6);
    EXPECT_EQ(game.Status().ClockSeconds, 0);
    Pass(0.4);
    EXPECT_EQ(game.Status().ClockSeconds, 1);
    game.Pause();
    EXPECT_EQ(fe.Due, std::nullopt) << "nothing to tick while paused";
}

TEST_F(GameTest, AHintIsDroppedWhenThePathChangesBeforeItIsFound)
{
    StartCorner();
    game.Hint();
    EXPECT_FALSE(game.Status().Enabled.Hint) << "one search at a time";
    Move(1, 0, OpH);
    game.Undo();  // back where the search began, but it was dropped with the change
    rig->Jobs.RunAll();
    EXPECT_FALSE(game.Status().HintUsed);
    EXPECT_TRUE(game.Status().Enabled.Hint);
}

TEST_F(GameTest, AnEntryGrowsByCommittedBandsAndBecomesTheProblem)
{
    game.ChooseMode(MenuCreation);
    game.BeginEntry();
    EXPECT_EQ(game.Puzzle().PointCount(), 1);
    EXPECT_EQ(fe.Pointer, PixelOf(0, 0));
    // The mouse at, the band's end: along the corner's row or column, whichever is nearer.
    const std::pair<LatticePoint, LatticePoint> bands[] = {
        {{3, 2}, {3, 0}}, {{2, 3}, {0, 3}}, {{2, 2}, {2, 0}}, {{-2, 2}, {-2, 0}}, {{0, 0}, {0, 0}},
    };
    for (const auto& [mouse, end] : bands) {
        const PixelPoint p = PixelOf(mouse.X, mouse.Y);
        game.MouseMove(p.X, p.Y);
        EXPECT_EQ(game.EntryCandidate(), end) << mouse.X << "," << mouse.Y;
    }
    game.MouseUp();  // a band of no length commits nothing
    EXPECT_FALSE(game.Unsaved());

    const LatticePoint corners[] = {{2, 0}, {2, 1}, {-3, 1}, {-3, -2}, {5, -2}, {5, 5}, {0, 5}, {0, -9}};
    for (const LatticePoint& c : corners) {
        const PixelPoint p = PixelOf(c.X, c.Y);
        game.MouseMove(p.X, p.Y);
        game.MouseUp();
    }
    EXPECT_EQ(game.EntryCorner(), (LatticePoint{0, 2})) << "the last band stops before (0, 1)";
    EXPECT_EQ(fe.Pointer, PixelOf(0, 2));
    EXPECT_TRUE(game.Unsaved());
    game.EndEntry();
    EXPECT_EQ(game.BestSeconds(), 0) << "a drawn problem has no name and keeps no record";
    EXPECT_EQ(game.Puzzle().ProblemPath()[game.Puzzle().PointCount()].Y, 2);
    EXPECT_EQ(fe.LastPicture.Look, PathLook::Entered);
}

// The puzzle panel's actions belong to its mode: a front end that calls
// them while a path is being drawn changes nothing. An entry also ends what
// the demonstration, still stepping in creation mode, had made: nothing to
// take back.
TEST_F(GameTest, APathBeingDrawnIsLeftAloneByThePuzzlesActions)
{
    game.ChooseMode(MenuPuzzle);
    Open({{0, 0}, {0, 1}, {1, 1}, {1, 2}});
    game.OpenDemonstration();
    game.ChooseMode(MenuCreation);
    game.PressStep(false);
    Pass(10);
    ASSERT_EQ(game.Puzzle().MoveCount(), 1);
    ASSERT_FALSE(game.Puzzle().IsSolved());
    game.BeginEntry();
    EXPECT_FALSE(game.Status().Enabled.Undo);
    const std::function<void()> actions[] = {
        [&] { game.Start(); }, [&] { game.Pause(); }, [&] { game.Continue(); }, [&] { game.Undo(); },
        [&] { game.OpenDemonstration(); }, [&] { Open({{0, 0}, {0, 1}}); },
    };
    for (const auto& act : actions) {
        act();
        EXPECT_EQ(game.State(), GameState::Entry);
        EXPECT_EQ(game.Puzzle().PointCount(), 1);
    }
}

// A random problem folded in its proven fewest moves: a mark of it that
// cannot be written costs the best time nothing, and is reported after.
TEST(GameRecords, AMarkThatCannotBeWrittenStillKeepsTheBestTime)
{
    FailingRecords records;
    records.FailMarks = true;
    Player p(records);
    p.game.ChooseMode(MenuPuzzle);
    p.game.MakeRandomProblem({10, 77, Difficulty::Easy});
    p.rig->Jobs.RunAll();
    p.game.Start();
    p.Pass(9);
    const ShortestSolution solution = SolveShortest(Problem{p.game.Puzzle().PointCount(), p.game.Puzzle().WorkPath()});
    ASSERT_FALSE(solution.Moves.empty());
    for (std::size_t i = 0; i < solution.Moves.size(); ++i) {
        const SolverMove& m = solution.Moves[i];
        const PathPoint& pivot = p.game.Puzzle().Work(m.Pivot);
        if (i + 1 < solution.Moves.size())
            p.Move(pivot.X, pivot.Y, m.OpCode);
        else
            EXPECT_THROW(p.Move(pivot.X, pivot.Y, m.OpCode), EFileError);
    }
    EXPECT_EQ(p.game.State(), GameState::Solved);
    EXPECT_EQ(records.BestTimes[p.game.Status().Problem.Name], 9);
}

// A best time that cannot be looked up (a full records file) is reported
// over what arrived, never instead of it: a problem opened is named all the
// same, so its solve keeps the record of the one before, and a kept play is
// taken up whole.
TEST(GameRecords, AFailedLookupLosesNothingThatArrived)
{
    FailingRecords records;
    records.BestTimes["Vandrel5"] = 300;
    Player p(records);
    p.game.ChooseMode(MenuPuzzle);
    p.Open(p.corner);
    records.FailLookup = true;
    EXPECT_THROW(p.Open(p.corner, "Vandrel6"), EIntOverflow);
    p.game.Start();
    p.Pass(9);
    const SavedPlay kept = *p.game.PlayToKeep();
    Player after(records);
    EXPECT_THROW(after.game.ResumePlay(kept), EIntOverflow);
    EXPECT_EQ(after.game.PlayToKeep(), kept);
    records.FailLookup = false;
    p.Move(1, 0, OpR);
    EXPECT_EQ(records.BestTimes, (std::map<std::string, std::int32_t>{{"Vandrel5", 300}, {"Vandrel6", 9}}));
}

// A best time belongs to a play against the running clock: the
// demonstration folding a problem that no play timed keeps none, and a
// window closed while the solving move is still in motion keeps the time
// without showing the congratulation.
TEST_F(GameTest, OnlyAPlayAgainstTheClockKeepsABestTime)
{
    const struct {
        const char* Name;
        bool Timed;
        bool CloseInMotion;
    } plays[] = {{"demonstration, no clock", false, false}, {"demonstration in a timed play", true, false},
                 {"closed in motion", true, true}};
    for (const auto& play : plays) {
        SCOPED_TRACE(play.Name);
        Player t;
        t.fe.BestTimes["Vandrel5"] = 30;
        t.game.ChooseMode(MenuPuzzle);
        t.Open(t.corner);
        if (play.Timed) {
            t.game.Start();
            t.Pass(12);
        }
        t.game.SetAnimation(play.CloseInMotion);
        t.game.OpenDemonstration();
        t.game.PressStep(false);
        t.Pass(2.0);  // the fixed rule straightens the corner: solved
        if (play.CloseInMotion)
            t.game.Close();
        t.rig->Settle();
        EXPECT_EQ(t.fe.BestTimes["Vandrel5"], play.Timed ? 12 + 2 : 30) << "the clock ran through the wait";
        EXPECT_EQ(t.fe.CountOf(GameMessage::Solved), play.CloseInMotion ? 0 : 1);
    }
}

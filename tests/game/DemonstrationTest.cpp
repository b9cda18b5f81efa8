// DemonstrationTest.cpp: the computer's demonstration on the game's clock: highlight, wait, move, and in a run wait again; what ends a run and what waits for a pending move.
#include <functional>

#include "GameFixture.h"
#include "files/ProblemFile.h"
#include "support/SampleSolution.h"

class GameDemonstrationTest : public GameTest {
protected:
    void OpenSample()
    {
        game.ChooseMode(MenuPuzzle);
        game.InstallOpened(std::get<ParsedProblem>(ParseProblemLines(BuiltInSampleLines())), "Vandrel000");
        rig->Jobs.RunAll();
        game.OpenDemonstration();
    }

    // The move a step shows before it makes it, read off the picture's mark.
    std::string MarkedMove() const
    {
        if (fe.LastPicture.Marks.empty())
            return "";
        const TailMark& mark = fe.LastPicture.Marks.back();
        const Coords path = Path();
        for (std::size_t i = 0; i < path.size(); ++i) {
            if (path[i].first == mark.Tail.front().X && path[i].second == mark.Tail.front().Y)
                return MoveWord(mark.Colour, static_cast<int>(i) + 1);
        }
        return "?";
    }
};

TEST_F(GameDemonstrationTest, EachStepShowsItsMoveForTheWaitThenMakesIt)
{
    OpenSample();
    std::vector<std::string> made;
    for (std::size_t step = 0; step < SampleSolution.size(); ++step) {
        const double pressed = fe.Time;
        game.PressStep(false);
        ASSERT_EQ(fe.Due, pressed + 2.0) << "the wait at the middle position";
        made.push_back(MarkedMove());
        Pass(1.9);
        EXPECT_EQ(game.Status().Moves, static_cast<int>(step)) << "nothing moves before the wait is over";
        Pass(0.1);
        EXPECT_EQ(game.Status().Moves, static_cast<int>(step) + 1);
        EXPECT_TRUE(fe.LastPicture.Marks.empty()) << "the move's redraw takes the highlight away";
    }
    EXPECT_EQ(made, SampleSolution);
    EXPECT_EQ(fe.Messages, std::vector<GameMessage>{GameMessage::Solved});
    EXPECT_FALSE(game.Status().DemonstrationShown);
    EXPECT_EQ(fe.Due, std::nullopt) << "nothing left to wait for";
}

TEST_F(GameDemonstrationTest, TheWaitDoublesWithEachPosition)
{
    OpenSample();
    for (int position = 1; position <= 5; ++position) {
        game.SetWaitPosition(position);
        const double pressed = fe.Time;
        game.PressStep(false);
        EXPECT_EQ(*fe.Due - pressed, 0.25 * (1 << position));
        rig->Settle();
    }
}

TEST_F(GameDemonstrationTest, ARunWaitsAgainAfterEachMoveAndEndsOnSolving)
{
    game.ChooseMode(MenuPuzzle);
    Open({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    game.OpenDemonstration();
    game.PressStep(true);
    EXPECT_FALSE(game.Status().Enabled.Step) << "a run holds the button";
    int waits = 0;
    while (fe.Due && waits < 20) {
        Pass(*fe.Due - fe.Time);
        ++waits;
    }
    EXPECT_EQ(game.Status().Moves, 3);
    EXPECT_EQ(waits, 6) << "highlight and move, then rest, each cycle";
    EXPECT_EQ(game.State(), GameState::Solved);
    EXPECT_TRUE(game.Status().Enabled.Step);
}

// Each of these ends a run at once: the move highlighted and waiting is not made.
TEST_F(GameDemonstrationTest, PauseModesOpenNewProblemsAndClosingEndARunAtOnce)
{
    const struct {
        const char* Name;
        std::function<void(TGame&)> End;
    } enders[] = {
        {"pause", [](TGame& g) { g.Pause(); }},
        {"mode", [](TGame& g) { g.ChooseMode(MenuCreation); }},
        {"open", [](TGame& g) { g.OpeningProblem(); }},
        {"random", [](TGame& g) { g.MayReplaceProblem(); }},
        {"close", [](TGame& g) { g.Close(); }},
    };
    for (const auto& e : enders) {
        SCOPED_TRACE(e.Name);
        Player t;
        t.StartSample();
        t.game.OpenDemonstration();
        t.game.PressStep(true);
        t.Pass(2.0);  // the first move
        t.Pass(2.0);  // the rest ends: the second move is highlighted
        ASSERT_TRUE(t.game.MovePending());
        e.End(t.game);
        EXPECT_FALSE(t.game.MovePending());
        EXPECT_TRUE(t.fe.LastPicture.Marks.empty());
        t.Pass(100);
        EXPECT_EQ(t.game.Status().Moves, 1);
    }
}

TEST_F(GameDemonstrationTest, NothingElseMovesThePathWhileAStepsMoveIsPending)
{
    OpenSample();
    game.Start();
    game.OpenDemonstration();
    game.PressStep(false);
    const Coords chosenOn = Path();
    const std::function<void()> tries[] = {
        [&] { Move(0, 1, OpR); }, [&] { game.Undo(); }, [&] { game.Redo(); },
        [&] { game.Hint(); rig->Jobs.RunAll(); }, [&] { game.Start(); }, [&] { game.PickPoint(5); },
    };
    for (const auto& attempt : tries)
        attempt();
    EXPECT_EQ(Path(), chosenOn);
    EXPECT_FALSE(game.Status().Operations.Shown);
    Pass(2.0);
    EXPECT_EQ(game.Status().Moves, 1);
    EXPECT_EQ(game.Puzzle().History().Latest().Pivot, 25) << "the move chosen, on the path it was chosen for";
}

TEST_F(GameDemonstrationTest, PressesDuringAStepFollowItAndADoubleClickMakesItARun)
{
    OpenSample();
    game.PressStep(false);
    game.PressStep(false);  // one more step after this one
    rig->Settle();
    EXPECT_EQ(game.Status().Moves, 2);

    game.PressStep(false);
    game.PressStep(true);  // the second press of a double click
    Pass(2.0);
    EXPECT_TRUE(game.Status().RunningDemonstration);
    rig->Settle();
    EXPECT_EQ(game.Status().Moves, 31);
}

// After 中断 "次" still makes steps while the panel stands, and a press made
// during one of them waits for it as in play.
TEST_F(GameDemonstrationTest, PressesDuringAStepAfterAPauseFollowIt)
{
    StartSample();
    game.OpenDemonstration();
    game.Pause();
    game.PressStep(false);
    game.PressStep(false);
    rig->Settle();
    EXPECT_EQ(game.Status().Moves, 2);
}

// A press waiting for the step that solves the path goes with the panel: no
// move on the straight path, no second congratulation.
TEST_F(GameDemonstrationTest, APressWaitingForTheSolvingStepIsDropped)
{
    game.ChooseMode(MenuPuzzle);
    Open(corner);
    game.OpenDemonstration();
    game.PressStep(false);
    game.PressStep(false);
    rig->Settle();
    EXPECT_EQ(game.Status().Moves, 1);
    EXPECT_EQ(game.State(), GameState::Solved);
    EXPECT_EQ(fe.Messages, std::vector<GameMessage>{GameMessage::Solved});
}

// A best time that cannot be written is reported to the front end, and the
// demonstration's step that solved the play is over all the same.
TEST(GameDemonstration, ARecordThatCannotBeWrittenStillEndsTheStep)
{
    FailingRecords records;
    records.FailBest = true;
    Player p(records);
    p.game.ChooseMode(MenuPuzzle);
    p.Open(p.corner);
    p.game.Start();
    p.game.OpenDemonstration();
    p.game.PressStep(false);
    EXPECT_THROW(p.Pass(2.0), EFileError);
    EXPECT_EQ(p.game.State(), GameState::Solved);
    EXPECT_FALSE(p.game.Busy());
}

// A play holding as many moves as can be recorded: the step's move is not
// made, and "次" makes the next step (which fares the same).
TEST(GameDemonstration, AMoveTheHistoryCannotHoldEndsTheStep)
{
    Player before;
    before.StartSample();
    SavedPlay full = *before.game.PlayToKeep();
    full.Moves.assign(TMoveHistory::Capacity, MoveEntry{OpH, 1});
    Player p;
    ASSERT_TRUE(p.game.ResumePlay(full));
    p.game.Continue();
    p.game.OpenDemonstration();
    for (int press = 0; press < 2; ++press) {
        p.game.PressStep(false);
        p.rig->Settle();
        EXPECT_FALSE(p.game.Busy());
        EXPECT_TRUE(p.fe.LastPicture.Marks.empty());
    }
    EXPECT_EQ(p.fe.Messages, std::vector<GameMessage>(2, GameMessage::HistoryFull));
}

TEST_F(GameDemonstrationTest, TheShortestOptionWaitsForItsSearchBeforeTheHighlight)
{
    OpenSample();
    game.SetShortestSteps(true);
    game.PressStep(false);
    EXPECT_TRUE(game.MovePending());
    EXPECT_EQ(fe.Due, std::nullopt) << "the wait begins once the move is known";
    rig->Jobs.RunAll();
    EXPECT_EQ(fe.Due, fe.Time + 2.0);
    rig->Settle();
    EXPECT_EQ(game.Status().Moves, 1);
}

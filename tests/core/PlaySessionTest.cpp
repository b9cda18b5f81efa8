// PlaySessionTest.cpp: the game around the puzzle without a window: clock, masks, best time and path entry.
#include <memory>

#include <gtest/gtest.h>

#include "cli/ToolHost.h"
#include "core/PlaySession.h"
#include "core/RunErrors.h"

namespace {

struct SessionRig {
    ToolHost Host;
    TPlaySession Session{Host};
};

std::unique_ptr<SessionRig> Rig()
{
    return std::make_unique<SessionRig>();  // the history alone is 128 KiB
}

}  // namespace

TEST(PlaySession, EachStateGivesItsMask)
{
    auto rig = Rig();
    TPlaySession& s = rig->Session;
    EXPECT_EQ(s.ChooseMode(MenuCreation), MaskCreation);
    EXPECT_EQ(s.ChooseMode(MenuPuzzle), MaskPuzzle);
    EXPECT_EQ(s.Start(10), MaskPlaying);
    EXPECT_EQ(s.GameMode(), ModePlay);
    EXPECT_EQ(s.Pause(), MaskPaused);
    EXPECT_EQ(s.GameMode(), ModeIdle);
    EXPECT_EQ(s.Continue(20), MaskPlaying);
    EXPECT_EQ(s.GameMode(), ModePlay);
    // A switch of modes ends nothing of the clock but the mode.
    EXPECT_EQ(s.ChooseMode(MenuCreation), MaskCreation);
    EXPECT_EQ(s.GameMode(), ModeIdle);
}

TEST(PlaySession, ClockCountsToTheNearestSecondAndCarriesOverPauses)
{
    // Readings after a start at 100: elapsed seconds, halves to even.
    const std::pair<double, int> ticks[] = {{100.4, 0}, {100.5, 0}, {101.5, 2}, {102.5, 2}, {175.4, 75}};
    for (const auto& [now, seconds] : ticks) {
        auto rig = Rig();
        rig->Session.Start(100);
        EXPECT_EQ(rig->Session.Tick(now), seconds) << now;
    }
    EXPECT_EQ(ClockText(75), "   1分15秒");
    EXPECT_EQ(ClockText(0), "   0分 0秒");
    auto rig = Rig();
    TPlaySession& s = rig->Session;
    s.Start(100);
    s.Tick(110.9);
    s.Pause();  // the fraction since the last tick is lost
    EXPECT_EQ(s.CarriedSeconds(), 11);
    s.Continue(500);
    EXPECT_EQ(s.Tick(502.2), 13);
    s.Start(600);
    EXPECT_EQ(s.CarriedSeconds(), 0);
    EXPECT_EQ(s.ElapsedSeconds(), 0);
}

TEST(PlaySession, ClockBeyond32BitsIsAnOverflowAndKeepsItsLastReading)
{
    auto rig = Rig();
    rig->Session.Start(0);
    rig->Session.Tick(5);
    EXPECT_THROW(rig->Session.Tick(3e9), EIntOverflow);
    EXPECT_EQ(rig->Session.ElapsedSeconds(), 5);
}

TEST(PlaySession, OnlyAFasterTimeIsANewBest)
{
    // Best, play seconds, whether stored.
    const struct { int best, seconds; bool stored; } cases[] = {
        {60, 59, true}, {60, 60, false}, {60, 61, false}, {0, 0, false}, {3600000, 0, true},
    };
    for (const auto& c : cases) {
        auto rig = Rig();
        TPlaySession& s = rig->Session;
        s.SetBestSeconds(c.best);
        s.Start(0);
        s.Tick(c.seconds);
        s.EndPlay();
        EXPECT_EQ(s.TakeNewBest(), c.stored) << c.best << " " << c.seconds;
        EXPECT_EQ(s.BestSeconds(), c.stored ? c.seconds : c.best);
        EXPECT_EQ(s.GameMode(), ModeIdle);
    }
    // A hint taken during the play forfeits the record; the next play may set one.
    auto rig = Rig();
    TPlaySession& s = rig->Session;
    s.SetBestSeconds(60);
    s.Start(0);
    s.MarkHintUsed();
    s.Tick(10);
    EXPECT_FALSE(s.TakeNewBest());
    s.Start(100);
    EXPECT_FALSE(s.HintUsed());
    s.Tick(110);
    EXPECT_TRUE(s.TakeNewBest());
}

TEST(PlaySession, StartingAfreshDiscardsMovesOnlyInAPlayWithMoves)
{
    auto rig = Rig();
    TPlaySession& s = rig->Session;
    Problem corner{3, {}};
    corner.Points[2] = {1, 0};
    corner.Points[3] = {1, 1};
    s.Puzzle().LoadProblem(corner);
    EXPECT_FALSE(s.StartDiscardsMoves());
    s.OpenDemonstration();
    EXPECT_FALSE(s.StartDiscardsMoves());
    ASSERT_EQ(s.Puzzle().ApplyOperation(OpR, 2), MoveOutcome::Applied);
    EXPECT_TRUE(s.StartDiscardsMoves());
    s.Pause();
    EXPECT_FALSE(s.StartDiscardsMoves());
    s.Start(0);
    EXPECT_EQ(s.Puzzle().MoveCount(), 0);
    EXPECT_EQ(s.Puzzle().Work(3).X, 1);
    EXPECT_EQ(s.Puzzle().Work(3).Y, 1);
}

TEST(PlaySession, TheBandFollowsTheNearerAxisOfTheCorner)
{
    // Mouse at, band end proposed from the corner at the origin; a tie goes along the row.
    const std::pair<LatticePoint, LatticePoint> bands[] = {
        {{3, 2}, {3, 0}}, {{2, 3}, {0, 3}}, {{2, 2}, {2, 0}}, {{-2, 2}, {-2, 0}}, {{0, 0}, {0, 0}},
    };
    for (const auto& [mouse, end] : bands) {
        auto rig = Rig();
        rig->Session.BeginEntry();
        rig->Session.ProposeBand(mouse);
        EXPECT_EQ(rig->Session.EntryCandidate(), end) << mouse.X << "," << mouse.Y;
    }
}

TEST(PlaySession, AnEntryGrowsByCommittedBandsAndBecomesTheProblem)
{
    auto rig = Rig();
    TPlaySession& s = rig->Session;
    s.SetBestSeconds(120);
    s.BeginEntry();
    EXPECT_EQ(s.GameMode(), ModeEntry);
    EXPECT_EQ(s.Puzzle().PointCount(), 1);
    EXPECT_EQ(s.CommitBand(), AppendResult::Appended);  // a band of no length commits nothing
    EXPECT_FALSE(s.Unsaved());

    s.ProposeBand({2, 0});
    EXPECT_EQ(s.CommitBand(), AppendResult::Appended);
    s.ProposeBand({2, 1});
    s.CommitBand();
    s.ProposeBand({-3, 1});  // runs into nothing: (1,1), (0,1), ... are free
    s.CommitBand();
    s.ProposeBand({-3, -2});
    s.CommitBand();
    s.ProposeBand({5, -2});
    s.CommitBand();
    s.ProposeBand({5, 5});
    s.CommitBand();
    s.ProposeBand({0, 5});
    s.CommitBand();
    s.ProposeBand({0, -9});  // cut short before (0,1)
    EXPECT_EQ(s.CommitBand(), AppendResult::OnPath);
    EXPECT_EQ(s.EntryCorner(), (LatticePoint{0, 2}));
    EXPECT_TRUE(s.Unsaved());

    const int points = s.Puzzle().PointCount();
    s.EndEntry();
    EXPECT_EQ(s.GameMode(), ModeIdle);
    EXPECT_EQ(s.BestSeconds(), 0) << "a drawn problem has no name and keeps no record";
    EXPECT_EQ(s.Puzzle().ProblemPath()[points].Y, 2);
    s.MarkSaved();
    EXPECT_FALSE(s.Unsaved());
}

// SavedPlayTest.cpp: a play kept when the game closes: what is kept, its text read back, every damaged text ignored, and the play taken up again.
#include <functional>

#include "GameFixture.h"
#include "files/ProblemFile.h"

namespace {

// A paused play of the sample: three moves made, one of them taken back, a hint taken.
struct KeptPlay : Player {
    KeptPlay()
    {
        StartSample();
        Move(0, 0, OpR);  // about the first point: never refused
        Move(0, 0, OpL);
        Move(0, 0, OpH);
        game.Undo();
        Pass(75);
        game.Hint();
        rig->Jobs.RunAll();
        game.Pause();
    }
};

} // namespace

TEST(SavedPlay, APlayIsKeptWholeAndTakenUpWhereItStood)
{
    KeptPlay before;
    const std::optional<SavedPlay> kept = before.game.PlayToKeep();
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->Moves.size(), 2u);
    EXPECT_EQ(kept->Redo.size(), 1u);
    EXPECT_EQ(kept->Seconds, 75);
    EXPECT_TRUE(kept->HintUsed);
    EXPECT_EQ(ParseSavedPlay(FormatSavedPlay(*kept)), kept) << FormatSavedPlay(*kept);

    Player after;
    ASSERT_TRUE(after.game.ResumePlay(*kept));
    EXPECT_EQ(after.Path(), before.Path());
    EXPECT_EQ(after.game.State(), GameState::Paused);
    EXPECT_EQ(MaskOf(after.game.Status().Enabled), MaskPaused);
    EXPECT_EQ(after.game.Status().ClockSeconds, 75);
    EXPECT_TRUE(after.game.Status().HintUsed);
    after.game.Continue();
    after.Pass(5);
    EXPECT_EQ(after.game.Status().ClockSeconds, 80);
    after.game.Redo();
    after.game.Undo();
    after.game.Undo();
    after.game.Undo();
    EXPECT_EQ(after.game.Status().Moves, 0);
    EXPECT_EQ(after.Path(), PathCoords(kept->Path.Points, kept->Path.PointCount));
}

// A path drawn after a named problem was opened is not that problem: a play
// of it, kept and taken up again, leaves the problem's record alone.
TEST(SavedPlay, APlayOfADrawnPathLeavesTheRecordOfTheProblemBefore)
{
    Player before;
    before.game.ChooseMode(MenuPuzzle);
    before.Open(before.corner, "foo");
    before.game.ChooseMode(MenuCreation);
    before.game.BeginEntry();
    for (const LatticePoint c : {LatticePoint{1, 0}, LatticePoint{1, 1}}) {
        const PixelPoint p = before.PixelOf(c.X, c.Y);
        before.game.MouseMove(p.X, p.Y);
        before.game.MouseUp();
    }
    before.game.EndEntry();
    before.game.ChooseMode(MenuPuzzle);
    before.game.Start();
    before.Pass(7);
    const std::optional<SavedPlay> kept = before.game.PlayToKeep();
    ASSERT_TRUE(kept.has_value());

    Player after;
    after.fe.BestTimes["foo"] = 500;
    ASSERT_TRUE(after.game.ResumePlay(*kept));
    after.game.Continue();
    after.Move(1, 0, OpR);
    EXPECT_EQ(after.game.State(), GameState::Solved);
    EXPECT_EQ(after.fe.BestTimes["foo"], 500);
}

// A play the demonstration helped is still helped when taken up again (no
// fewest-moves mark for it); a play kept before that was written down reads
// as one it did not help.
TEST(SavedPlay, TheDemonstrationsHelpIsKept)
{
    Player before;
    before.StartSample();
    before.game.OpenDemonstration();
    before.game.PressStep(false);
    before.rig->Settle();
    const std::optional<SavedPlay> kept = before.game.PlayToKeep();
    ASSERT_TRUE(kept.has_value());
    EXPECT_TRUE(kept->Demonstrated);
    const std::string text = FormatSavedPlay(*kept);
    EXPECT_EQ(ParseSavedPlay(text), kept);
    const std::optional<SavedPlay> older = ParseSavedPlay(text.substr(0, text.rfind("demonstrated ")));
    ASSERT_TRUE(older.has_value());
    EXPECT_FALSE(older->Demonstrated);

    Player after;
    ASSERT_TRUE(after.game.ResumePlay(*kept));
    EXPECT_TRUE(after.game.PlayToKeep()->Demonstrated);
}

TEST(SavedPlay, OnlyATimedPlayIsKept)
{
    Player p;
    p.game.ChooseMode(MenuPuzzle);
    p.Open(p.corner);
    EXPECT_EQ(p.game.PlayToKeep(), std::nullopt) << "ready";
    p.game.Start();
    EXPECT_NE(p.game.PlayToKeep(), std::nullopt) << "playing";
    p.Move(1, 0, OpR);
    EXPECT_EQ(p.game.PlayToKeep(), std::nullopt) << "solved";
}

TEST(SavedPlay, EveryDamagedTextIsIgnored)
{
    KeptPlay play;
    const std::string good = FormatSavedPlay(*play.game.PlayToKeep());
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    std::vector<std::pair<std::string, std::string>> damaged = {
        {"another version", replaced("play 1", "play 2")},
        {"no header", good.substr(good.find('\n') + 1)},
        {"seconds below 0", replaced("seconds 75", "seconds -1")},
        {"seconds beyond 32 bits", replaced("seconds 75", "seconds 2147483648")},
        {"a point moved off the path", replaced("\n0 1\n", "\n0 2\n")},
        {"a bad code", replaced("code -", "code 70-1-x")},
        {"a refused move", replaced("moves 2\nR 1\n", "moves 2\nL 2\n")},
        {"more moves said than given", replaced("redo 1", "redo 2")},
        {"something after the end", good + "\n"},
        {"a bad escape", replaced("name Vandrel000", "name Vandrel\\x")},
    };
    // Cut short anywhere.
    for (std::size_t length = 0; length < good.size(); length += 7)
        damaged.emplace_back("cut at " + std::to_string(length), good.substr(0, length));
    for (const auto& [what, text] : damaged) {
        std::string why;
        EXPECT_EQ(ParseSavedPlay(text, &why), std::nullopt) << what;
        EXPECT_FALSE(why.empty()) << what;
    }
}

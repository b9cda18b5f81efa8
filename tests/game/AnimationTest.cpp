// AnimationTest.cpp: moves shown as motion: the tail's in-between positions, the last frame, input during a move, the switch.
#include <cmath>
#include <functional>

#include "GameFixture.h"
#include "core/Moves.h"

namespace {

// The corner path (0,0), (1,0), (1,1), (2,1) with its structure, as a move starts from it.
PathArray Stairs()
{
    TPuzzle puzzle;
    puzzle.LoadProblem(ProblemOf({{0, 0}, {1, 0}, {1, 1}, {2, 1}}));
    return puzzle.WorkPath();
}

bool Near(WorldPoint a, WorldPoint b)
{
    return std::abs(a.X - b.X) < 1e-9 && std::abs(a.Y - b.Y) < 1e-9;
}

} // namespace

// About the pivot (1,0), the tail point (2,1): where it stands at the start,
// halfway and at the end of each operation.
TEST(MoveAnimation, TheTailTurnsOrFoldsFromWhereItWasToWhereTheMovePutsIt)
{
    const double h = std::sqrt(0.5);
    const struct {
        std::uint8_t Op;
        WorldPoint Halfway, End;
    } moves[] = {
        {OpR, {1 + 2 * h, 0}, {2, -1}},  // a quarter clockwise
        {OpL, {1, 2 * h}, {0, 1}},       // a quarter counter-clockwise
        {OpH, {2, 0}, {2, -1}},          // through the horizontal line
        {OpV, {1, 1}, {0, 1}},           // through the vertical line
    };
    const PathArray before = Stairs();
    for (const auto& m : moves) {
        const TMoveAnimation a(before, 4, m.Op, 2, TailSelected, 10.0);
        EXPECT_TRUE(Near(a.TailPointAt(before[4], 0), {2, 1})) << int{m.Op};
        EXPECT_TRUE(Near(a.TailPointAt(before[4], 0.5), m.Halfway)) << int{m.Op};
        EXPECT_EQ(a.TailPointAt(before[4], 1), m.End) << "exactly on the lattice, op " << int{m.Op};
        EXPECT_EQ(a.Progress(10.0), 0);
        EXPECT_NEAR(a.Progress(10.0 + TMoveAnimation::Duration / 2), 0.5, 1e-9) << "eased symmetrically";
        EXPECT_EQ(a.Progress(99), 1);
        for (double t : {10.0, 10.05, 10.1, 10.18}) {
            const Polyline path = a.PathAt(t);
            EXPECT_EQ(path[1], (WorldPoint{1, 0})) << "the pivot stays, op " << int{m.Op};
            EXPECT_EQ(a.MarkAt(t).Tail.front(), (WorldPoint{1, 0}));
        }
    }
}

class AnimationTest : public GameTest {
protected:
    // The picture left by `act` on a fresh play of the corner, with and without motion.
    static std::pair<Picture, Picture> Pictures(const std::function<void(Player&)>& act)
    {
        Picture pictures[2];
        for (int animate = 0; animate < 2; ++animate) {
            Player p;
            p.StartCorner();
            p.game.SetAnimation(animate == 1);
            act(p);
            p.rig->Settle();
            pictures[animate] = p.fe.LastPicture;
        }
        return {pictures[0], pictures[1]};
    }
};

TEST_F(AnimationTest, TheLastFrameIsThePictureOfTheMoveMadeAtOnce)
{
    const struct {
        const char* Name;
        std::function<void(Player&)> Act;
    } moves[] = {
        {"R", [](Player& p) { p.Move(1, 0, OpR); }},
        {"L", [](Player& p) { p.Move(0, 0, OpL); }},
        {"H", [](Player& p) { p.Move(1, 0, OpH); }},
        {"V", [](Player& p) { p.Move(1, 0, OpV); }},
        {"refused", [](Player& p) { p.Move(1, 0, OpL); }},
        {"undo", [](Player& p) { p.Move(1, 0, OpH); p.rig->Settle(); p.game.Undo(); }},
        {"redo", [](Player& p) { p.Move(1, 0, OpH); p.rig->Settle(); p.game.Undo(); p.rig->Settle(); p.game.Redo(); }},
    };
    for (const auto& m : moves) {
        const auto [still, moving] = Pictures(m.Act);
        EXPECT_EQ(still, moving) << m.Name;
    }
}

TEST_F(AnimationTest, AMoveShowsFramesAndTheCongratulationFollowsTheLast)
{
    StartCorner();
    game.SetAnimation(true);
    Pass(5);
    const int before = fe.Draws;
    Move(1, 0, OpR);
    EXPECT_TRUE(game.Animating());
    EXPECT_FALSE(game.Clock().Running()) << "the play ends with the move, not with its last frame";
    EXPECT_TRUE(fe.Messages.empty());
    EXPECT_LE(*fe.Due - fe.Time, TMoveAnimation::FrameInterval + 1e-9);
    rig->Settle();
    EXPECT_GE(fe.Draws - before, 10) << "frame after frame over the move";
    EXPECT_EQ(fe.Messages, std::vector<GameMessage>{GameMessage::Solved});
    EXPECT_EQ(fe.Due, std::nullopt) << "nothing ticks once the move is shown";
}

TEST_F(AnimationTest, InputDuringAMoveCompletesItFirstThenActs)
{
    StartCorner();
    game.SetAnimation(true);
    Move(1, 1, OpV);
    ASSERT_TRUE(game.Animating());
    Pass(0.05);
    game.Undo();  // the V is shown whole, then taken back (in motion)
    EXPECT_EQ(game.Status().Moves, 0);
    EXPECT_TRUE(game.Animating());
    game.ChooseOperation(OpR);  // no menu: completes the undo, does nothing else
    EXPECT_FALSE(game.Animating());
    EXPECT_EQ(Path(), corner);
    EXPECT_EQ(fe.LastPicture.Path, (Polyline{{0, 0}, {1, 0}, {1, 1}}));
}

TEST_F(AnimationTest, ARefusedMoveMovesIntoItsPlaceBeforeTheMessage)
{
    StartCorner();
    game.SetAnimation(true);
    Move(1, 0, OpL);
    EXPECT_TRUE(fe.Messages.empty());
    EXPECT_EQ(Path(), corner) << "the path itself never holds a refused move";
    Polyline underMessage;
    fe.OnMessage = [&](GameMessage) { underMessage = fe.LastPicture.Path; };
    rig->Settle();
    EXPECT_EQ(fe.Messages, std::vector<GameMessage>{GameMessage::Failure});
    EXPECT_EQ(underMessage, (Polyline{{0, 0}, {1, 0}, {0, 0}}));
    EXPECT_EQ(fe.LastPicture.Path, (Polyline{{0, 0}, {1, 0}, {1, 1}}));
}

// DemonstrationTest.cpp: the demonstration's side scan and move choice, stepped through the real operations.
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "core/Puzzle.h"
#include "support/PuzzleRig.h"
#include "support/SampleSolution.h"
#include "core/RunErrors.h"
#include "files/ProblemFile.h"
#include "solver/Demonstration.h"

namespace {

std::vector<int> IndexList(const ExtremeTracker& t)
{
    return std::vector<int>(t.Index.begin() + 1, t.Index.begin() + 1 + t.Count);
}

// One demonstration step's move, made through the game's one entry for
// moves. Returns the move as "V 25", with " refused" when the operation was
// refused, and whether the step left the path straight.
struct StepResult {
    std::string Move;
    bool Solved = false;
};

std::optional<StepResult> Step(PuzzleRig& rig)
{
    const std::optional<SolverMove> move = NextDemonstrationMove(rig.Puzzle);
    if (!move)
        return std::nullopt;
    const MoveOutcome outcome = rig.Puzzle.ApplyOperation(move->OpCode, move->Pivot).Outcome;
    StepResult r{MoveWord(move->OpCode, move->Pivot), outcome == MoveOutcome::Applied && rig.Puzzle.IsSolved()};
    if (outcome == MoveOutcome::Refused)
        r.Move += " refused";
    else if (outcome != MoveOutcome::Applied)
        r.Move += " not applied";
    return r;
}

// Steps until a step solves the path or `limit` steps were made; the moves made.
std::vector<std::string> Demonstrate(PuzzleRig& rig, int limit, bool* solved = nullptr)
{
    std::vector<std::string> moves;
    if (solved)
        *solved = false;
    for (int i = 0; i < limit; ++i) {
        const std::optional<StepResult> r = Step(rig);
        if (!r)
            break;
        moves.push_back(r->Move);
        if (r->Solved) {
            if (solved)
                *solved = true;
            break;
        }
    }
    return moves;
}

class DemonstrationTest : public testing::Test {
protected:
    std::unique_ptr<PuzzleRig> rig = std::make_unique<PuzzleRig>();

    SolverMove Choose(const Coords& path)
    {
        rig->Load(path);
        const std::optional<SolverMove> m = NextDemonstrationMove(rig->Puzzle);
        EXPECT_TRUE(m.has_value());
        return m.value_or(SolverMove{});
    }

    // The built-in sample, read by the same parser the game uses.
    void LoadSample()
    {
        const ProblemParse parsed = ParseProblemLines(BuiltInSampleLines());
        ASSERT_TRUE(std::holds_alternative<ParsedProblem>(parsed));
        const ParsedProblem& p = std::get<ParsedProblem>(parsed);
        ASSERT_EQ(p.PointCount, 70);
        Coords points;
        for (int i = 1; i <= p.PointCount; ++i)
            points.emplace_back(p.Points[i].X, p.Points[i].Y);
        rig->Load(points);
    }
};

} // namespace

// ---- scanning the sides ----------------------------------------------------------

TEST_F(DemonstrationTest, SampleSidesAreReachedByTheExpectedCorners)
{
    LoadSample();
    const SideTrackers s = ScanExtremes(rig->Puzzle);
    EXPECT_EQ(s.MaxXTracker.Value, 4);
    EXPECT_EQ(IndexList(s.MaxXTracker), (std::vector<int>{22, 29}));
    EXPECT_EQ(s.MinXTracker.Value, -4);
    EXPECT_EQ(IndexList(s.MinXTracker), (std::vector<int>{37, 43}));
    EXPECT_EQ(s.MaxYTracker.Value, 3);
    EXPECT_EQ(IndexList(s.MaxYTracker), (std::vector<int>{16, 22}));
    EXPECT_EQ(s.MinYTracker.Value, -4);
    EXPECT_EQ(IndexList(s.MinYTracker), (std::vector<int>{29, 37}));
    EXPECT_EQ(ChooseMove(s, rig->Puzzle), (SolverMove{OpV, 25}));
}

TEST_F(DemonstrationTest, SideLeftAtOnceSkipsPointOne)
{
    rig->Load({{0, 0}, {-1, 0}, {-1, 1}, {0, 1}, {0, 2}, {-1, 2}, {-1, 3}});
    const SideTrackers s = ScanExtremes(rig->Puzzle);
    EXPECT_EQ(s.MaxXTracker.Value, 0);
    EXPECT_EQ(IndexList(s.MaxXTracker), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(ChooseMove(s, rig->Puzzle), (SolverMove{OpV, 4}));
    // The fold at x = 0 is opened outward.
    ASSERT_EQ(rig->Puzzle.ApplyOperation(OpV, 4), MoveOutcome::Applied);
    EXPECT_EQ(rig->Path(), (Coords{{0, 0}, {-1, 0}, {-1, 1}, {0, 1}, {0, 2}, {1, 2}, {1, 3}}));
}

TEST_F(DemonstrationTest, SideRunFromPointOneIsNotAFold)
{
    rig->Load({{0, 0}, {0, 1}, {-1, 1}, {-1, 2}, {0, 2}, {0, 3}, {-1, 3}, {-1, 4}});
    const SideTrackers s = ScanExtremes(rig->Puzzle);
    EXPECT_EQ(IndexList(s.MaxXTracker), (std::vector<int>{1, 2, 5, 6}));
    EXPECT_EQ(ChooseMove(s, rig->Puzzle), (SolverMove{OpV, 5}));
}

TEST_F(DemonstrationTest, ScanSeesOnlyCornersAndTheEnds)
{
    // A straight stretch through the far side's middle is not scanned point by
    // point: only its end corners are listed.
    rig->Load({{0, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {3, 0}, {3, -1}});
    const SideTrackers s = ScanExtremes(rig->Puzzle);
    EXPECT_EQ(IndexList(s.MaxYTracker), (std::vector<int>{2, 5}));
    EXPECT_EQ(IndexList(s.MaxXTracker), (std::vector<int>{5, 7}));
    EXPECT_EQ(IndexList(s.MinXTracker), (std::vector<int>{1, 2}));
    EXPECT_EQ(s.MinYTracker.Value, -1);
    EXPECT_EQ(IndexList(s.MinYTracker), (std::vector<int>{7}));
    // The top run 2..5 is entered from point 1 below it: a fold about its middle.
    EXPECT_EQ(ChooseMove(s, rig->Puzzle), (SolverMove{OpH, 3}));
}

TEST_F(DemonstrationTest, FullPathScansTo255)
{
    rig->Load(StraightPath(MaxPoints, 1, 0));
    const SideTrackers s = ScanExtremes(rig->Puzzle);
    EXPECT_EQ(s.MaxXTracker.Value, 254);
    EXPECT_EQ(IndexList(s.MaxXTracker), (std::vector<int>{255}));
    EXPECT_EQ(IndexList(s.MaxYTracker), (std::vector<int>{1, 255}));
    EXPECT_EQ(ChooseMove(s, rig->Puzzle), (SolverMove{OpH, 1}));
}

// ---- the fall-back -----------------------------------------------------------------

TEST_F(DemonstrationTest, StraightPathsTurnOntoPlusX)
{
    EXPECT_EQ(Choose(StraightPath(5, 0, 1)), (SolverMove{OpR, 1}));
    EXPECT_EQ(Choose(StraightPath(5, 0, -1)), (SolverMove{OpL, 1}));
    EXPECT_EQ(Choose(StraightPath(5, -1, 0)), (SolverMove{OpV, 1}));
    EXPECT_EQ(Choose(StraightPath(5, 1, 0)), (SolverMove{OpH, 1}));

    for (auto [dx, dy] : {std::pair{0, 1}, {0, -1}, {-1, 0}, {1, 0}}) {
        SCOPED_TRACE(testing::Message() << "step " << dx << "," << dy);
        rig->Load(StraightPath(5, dx, dy));
        bool solved = false;
        EXPECT_EQ(Demonstrate(*rig, 5, &solved).size(), 1u);
        EXPECT_TRUE(solved);
        EXPECT_EQ(rig->Path(), StraightPath(5, 1, 0));
    }
}

TEST_F(DemonstrationTest, AlreadySolvedPathGetsAnUnchangingMirror)
{
    rig->Load(StraightPath(4, 1, 0));
    const std::optional<StepResult> r = Step(*rig);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->Move, "H 1");
    EXPECT_TRUE(r->Solved) << "reported again";
    EXPECT_EQ(rig->Path(), StraightPath(4, 1, 0));
    ASSERT_EQ(rig->Puzzle.MoveCount(), 1);
    EXPECT_EQ(rig->Puzzle.History().Latest().OpCode, OpH);
    EXPECT_EQ(rig->Puzzle.History().Latest().Pivot, 1);
}

TEST_F(DemonstrationTest, LastCornerIsStraightenedByItsTurn)
{
    // Ends on its right side, so no side gives a fold; the last corner turns
    // counter-clockwise, so R straightens it.
    rig->Load({{0, 0}, {1, 0}, {1, 1}});
    EXPECT_EQ(Demonstrate(*rig, 10), (std::vector<std::string>{"R 2"}));
    EXPECT_EQ(rig->Path(), StraightPath(3, 1, 0));

    // The mirror image turns clockwise: L.
    rig->Load({{0, 0}, {1, 0}, {1, -1}});
    EXPECT_EQ(Demonstrate(*rig, 10), (std::vector<std::string>{"L 2"}));
    EXPECT_EQ(rig->Path(), StraightPath(3, 1, 0));
}

TEST_F(DemonstrationTest, SquarePathTakesThreeMoves)
{
    rig->Load({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    bool solved = false;
    EXPECT_EQ(Demonstrate(*rig, 10, &solved), (std::vector<std::string>{"V 2", "L 3", "R 2"}));
    EXPECT_TRUE(solved);
    EXPECT_EQ(rig->Path(), StraightPath(4, 1, 0));
}

// ---- the built-in sample -------------------------------------------------------------

TEST_F(DemonstrationTest, SampleIsSolvedByTheListedMoves)
{
    LoadSample();
    std::vector<std::string> moves;
    int solvedAt = 0;
    for (int i = 1; i <= 40 && solvedAt == 0; ++i) {
        const std::optional<StepResult> r = Step(*rig);
        ASSERT_TRUE(r.has_value());
        moves.push_back(r->Move);
        if (r->Solved)
            solvedAt = i;
    }
    EXPECT_EQ(moves, SampleSolution);
    EXPECT_EQ(solvedAt, 31) << "solved after the last move and not before";
    EXPECT_EQ(rig->Path(), StraightPath(70, 1, 0));
    EXPECT_EQ(rig->Puzzle.MoveCount(), 31);

    // Every move is in the history: undoing them all gives the sample back.
    while (rig->Puzzle.Undo()) {
    }
    Coords path = rig->Path();
    LoadSample();
    EXPECT_EQ(path, rig->Path());
}

// ---- limits ------------------------------------------------------------------------------

TEST_F(DemonstrationTest, NoMoveForFewerThanTwoPoints)
{
    rig->Load({{0, 0}});
    EXPECT_FALSE(NextDemonstrationMove(rig->Puzzle).has_value());
    rig->Puzzle.SetPath(Problem{});
    EXPECT_FALSE(NextDemonstrationMove(rig->Puzzle).has_value());
}

TEST_F(DemonstrationTest, TrackerHoldsAt255Indices)
{
    auto t = std::make_unique<ExtremeTracker>();
    ResetTracker(*t, 3, -7);
    for (int i = 4; i <= 257; ++i)
        AppendToTracker(*t, static_cast<std::uint8_t>(i), -7);
    ASSERT_EQ(t->Count, 255);
    EXPECT_EQ(t->Index[1], 3);
    EXPECT_EQ(t->Index[255], 257 % 256);
    EXPECT_THROW(AppendToTracker(*t, 9, -7), EIntOverflow);
    EXPECT_EQ(t->Count, 255);

    // A reset starts the list over.
    ResetTracker(*t, 5, 2);
    EXPECT_EQ(t->Count, 1);
    EXPECT_EQ(t->Value, 2);
    AppendToTracker(*t, 6, 2);
    EXPECT_EQ(IndexList(*t), (std::vector<int>{5, 6}));
}

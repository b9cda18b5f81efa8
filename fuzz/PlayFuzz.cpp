// PlayFuzz.cpp: fuzz target: the whole game driven by a player made of bytes, checked after every action.
//
// Each pair of bytes (action, argument) is one thing a player does to the
// game through its front end's calls: choose a mode, start, pause, continue,
// click on or near the path, choose an operation, undo, redo, install a
// problem (a walk, the sample or a random one), open the demonstration and
// press "次", ask for a hint, begin, draw and end a path entry, zoom and pan,
// switch the motion of moves and the shortest steps, answer questions, let
// time pass, let the searches finish. After each action:
//  - the path in play (or being drawn) is a path: origin first, unit steps,
//    no point twice, its derived structure current;
//  - the history holds at most its capacity of moves made and taken back;
//  - undo never crosses into another problem: with no move in the history
//    the path in play is the problem itself, and a problem that arrives
//    comes without moves to take back or make again;
//  - the clock never runs while paused or solved, and never goes backwards
//    within a play;
//  - the controls enabled are those of the state: the eight buttons of the
//    two mode panels as each state leaves them, continue only when paused,
//    pause only when playing, the entry's end exactly during an entry, redo
//    only in play with moves to redo.
// Run-time errors that the window would show in a message box (a pan beyond
// 32 bits of pixels, say) end the action and the game goes on.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "core/RunErrors.h"
#include "files/ProblemFile.h"
#include "game/NullFrontEnd.h"
#include "game/ShiftBits.h"
#include "solver/Random.h"

namespace {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    std::uint8_t Next() { return Empty() ? 0 : data_[pos_++]; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A self-avoiding walk from the origin of about `points` points, steered by a seed.
Problem Walk(int points, std::uint64_t seed)
{
    SplitMix64 random(seed);
    Problem p;
    p.PointCount = 1;
    while (p.PointCount < points) {
        const PathPoint& end = p.Points[p.PointCount];
        int free[4], n = 0;
        static constexpr int dx[] = {1, 0, -1, 0}, dy[] = {0, 1, 0, -1};
        for (int d = 0; d < 4; ++d) {
            bool taken = false;
            for (int i = 1; i <= p.PointCount && !taken; ++i)
                taken = p.Points[i].X == end.X + dx[d] && p.Points[i].Y == end.Y + dy[d];
            if (!taken)
                free[n++] = d;
        }
        if (n == 0)
            break;
        const int d = free[random.Below(static_cast<std::uint32_t>(n))];
        const PathPoint next{end.X + dx[d], end.Y + dy[d]};
        p.Points[++p.PointCount] = next;
    }
    return p;
}

const Problem& Sample()
{
    static const Problem sample = std::get<ParsedProblem>(ParseProblemLines(BuiltInSampleLines()));
    return sample;
}

std::uint8_t MaskOf(const Controls& c)
{
    const bool bits[] = {c.EntryBegin, c.SaveDrawn, c.Start, c.Undo, c.Pause, c.Continue, c.SaveCopy, c.Open};
    std::uint8_t mask = 0;
    for (int i = 0; i < 8; ++i)
        mask = static_cast<std::uint8_t>(mask | (bits[i] << i));
    return mask;
}

// The eight buttons as each state leaves them; undo (8) may be on or off
// wherever moves can be made (the demonstration's panel stays through a
// switch to problem creation, and "次" still steps there), save (2) in
// creation as the last save left it.
bool MaskFitsState(std::uint8_t mask, GameState state)
{
    const std::uint8_t withoutUndo = mask & ~8;
    switch (state) {
    case GameState::NoMode: return withoutUndo == 133;
    case GameState::Creation: return (mask & ~2 & ~8) == 1;
    // An entry keeps the buttons of the state it began in (a demonstration
    // may have solved the path in creation), but for its own begin.
    case GameState::Entry: return (mask & 1) == 0;
    case GameState::Ready: return withoutUndo == 196;
    case GameState::Playing: return withoutUndo == 16;
    case GameState::Paused: return withoutUndo == 229;
    case GameState::Solved: return withoutUndo == 197;
    }
    return false;
}

struct Player {
    GameRig Rig;
    TGame& Game = Rig.Game;
    TNullFrontEnd& Front = Rig.FrontEnd;
    std::int32_t LastSeconds = 0;

    PixelPoint PixelOf(int index)
    {
        const TPuzzle& p = Game.Puzzle();
        const PathPoint& at = p.Work(1 + index % p.PointCount());
        return Game.View().WorldToPixel(at.X, at.Y);
    }

    void Act(std::uint8_t action, std::uint8_t arg)
    {
        switch (action % 26) {
        case 0: Game.ChooseMode(arg & 1); break;
        case 1: Game.Start(); break;
        case 2: Game.Pause(); break;
        case 3: Game.Continue(); break;
        case 4:
        case 5: {  // a click on a point of the path, or a little beside it
            PixelPoint p = PixelOf(arg);
            p.X += (arg >> 6) - 1;
            Game.MouseDown(0, false, p.X, p.Y);
            Game.MouseUp();
            break;
        }
        case 6: Game.ChooseOperation(arg % 6); break;
        case 7: Game.Undo(); break;
        case 8: Game.Redo(); break;
        case 9: Game.InstallOpened(Walk(1 + arg % 40, arg), "Walk" + std::to_string(arg)); break;
        case 10: Game.InstallOpened(Sample(), "Vandrel000"); break;
        case 11:
            if (Game.MayReplaceProblem())
                Game.MakeRandomProblem({2 + arg % 30, arg, static_cast<Difficulty>(arg % 3)});
            break;
        case 12: Game.OpenDemonstration(); break;
        case 13: Game.PressStep(arg & 1); break;
        case 14: Game.Hint(); break;
        case 15: Game.OpeningProblem(); break;
        case 16: Game.BeginEntry(); break;
        case 17: {  // the band towards a lattice point near the corner
            const LatticePoint c = Game.EntryCorner();
            const PixelPoint p = Game.View().WorldToPixel(c.X + (arg % 9) - 4, c.Y + (arg / 9 % 9) - 4);
            Game.MouseMove(p.X, p.Y);
            break;
        }
        case 18: Game.MouseUp(); break;
        case 19: (arg & 1) ? Game.EndEntry() : Game.MouseDown(DoubleClick, false, 0, 0); break;
        case 20: Game.SetAnimation(arg & 1); break;
        case 21: Game.SetShortestSteps(arg & 1); break;
        case 22:  // the view: zoom, the wheel, a pan, fit
            switch (arg % 4) {
            case 0: Game.Zoom(3 + arg % 38); break;
            case 1: Game.Wheel((arg & 8) ? 1 : -1, arg, arg); break;
            case 2: Game.PanUnits((arg & 16) ? 1 : -1, (arg & 32) ? 5 : -1); break;
            default: Game.Fit(); break;
            }
            break;
        case 23: Game.PickNextPoint((arg & 1) ? 1 : -1); break;
        case 24:  // time passes, in a tick or to the next tick asked for
            Front.Time += (arg & 1) ? arg / 16.0 : 0;
            if (Front.Due && !(arg & 1))
                Front.Time = std::max(Front.Time, *Front.Due);
            Game.Tick(Front.Time);
            break;
        default: Rig.Jobs.RunAll(); break;  // the searches finish
        }
    }

    // Whether a problem may be opened now: "開く" enabled on the puzzle panel.
    bool Openable() const { return Game.Status().Enabled.Open && Game.Status().ModeShown == MenuPuzzle; }

    void Check(std::uint8_t action, bool openable, int step)
    {
        const std::string when = " after action " + std::to_string(action % 26) + " at step " + std::to_string(step);
        const TPuzzle& p = Game.Puzzle();
        const int n = p.PointCount();
        const std::string fault = PathFault(p.WorkPath(), n);
        FUZZ_CHECK(fault.empty(), fault + when);
        FUZZ_CHECK(DerivedIsCurrent(p), "derived fields stale" + when);
        const GameState state = Game.State();
        if (state != GameState::Entry && p.MoveCount() == 0) {
            for (int i = 1; i <= n; ++i)
                FUZZ_CHECK(p.Work(i).SameSpot(p.ProblemPath()[i]), "no moves, yet not the problem" + when);
        }
        const TMoveHistory& history = p.History();
        FUZZ_CHECK(history.MoveCount() + history.RedoCount() <= TMoveHistory::Capacity &&
                       p.MoveCount() == history.MoveCount(),
                   "the history beyond its limit" + when);
        if ((action % 26 == 9 || action % 26 == 10) && openable)
            FUZZ_CHECK(p.MoveCount() == 0 && p.History().RedoCount() == 0, "a problem arrived with moves" + when);

        const TPlayClock& clock = Game.Clock();
        FUZZ_CHECK(!(clock.Running() && (state == GameState::Paused || state == GameState::Solved)),
                   "the clock runs while the play stands" + when);
        const bool fresh = action % 26 == 1 || action % 26 == 9 || action % 26 == 10 || action % 26 == 25 ||
                           action % 26 == 16 || action % 26 == 11;
        FUZZ_CHECK(fresh || clock.Elapsed() >= LastSeconds, "the clock went backwards" + when);
        LastSeconds = clock.Elapsed();

        const Controls& c = Game.Status().Enabled;
        FUZZ_CHECK(MaskFitsState(MaskOf(c), state), "buttons " + std::to_string(MaskOf(c)) + " in state " +
                                                       std::to_string(static_cast<int>(state)) + when);
        FUZZ_CHECK(c.EntryEnd == (state == GameState::Entry), "the entry's end" + when);
        FUZZ_CHECK(!c.Redo || (Game.GameMode() == ModePlay && p.History().RedoCount() > 0), "redo" + when);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    Player& p = Fresh<Player>();
    p.Game.SetAnimation(false);
    p.Game.InstallSample(Sample(), "Vandrel000");
    for (int step = 1; !in.Empty(); ++step) {
        const std::uint8_t action = in.Next();
        const std::uint8_t arg = in.Next();
        p.Front.Answers = {(arg & 0x80) == 0};
        const bool openable = p.Openable();
        try {
            p.Act(action, arg);
        } catch (const ERunError&) {
            // Shown in a message box in the window; the game goes on.
        }
        p.Check(action, openable, step);
    }
    return 0;
}

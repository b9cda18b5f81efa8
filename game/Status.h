// Status.h: what a front end shows besides the picture: the game's state, which controls act, the clock and the figures of a play.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "solver/Generator.h"

// Where the game stands. A front end enables its controls by this and the
// flags of Controls; the demonstration may run in any of the puzzle states.
enum class GameState : std::uint8_t {
    NoMode,    // just started: no mode chosen yet
    Creation,  // problem creation, no path being drawn
    Entry,     // a path being drawn with the mouse
    Ready,     // puzzle play with the problem in place, no play under way
    Playing,   // a timed play, the clock running
    Paused,    // a timed play stopped by pause
    Solved,    // the path was folded straight: the play is over
};

// What clicks on the picture do: nothing, draw a path, or pick points of it.
enum GameModes : std::uint8_t { ModeIdle = 0, ModeEntry = 1, ModePlay = 2 };

// The modes of the menu; the index of its items.
enum MenuItem : int { MenuNone = -1, MenuCreation = 0, MenuPuzzle = 1 };

// Which controls do something now. The eight of the two mode panels follow
// the state; undo, save and the entry's two buttons also follow the moves
// made and the work saved since the state was entered.
struct Controls {
    bool EntryBegin = false;   // 開始 of problem creation
    bool EntryEnd = false;     // 終了 of problem creation
    bool SaveDrawn = false;    // 保存 of problem creation: names the problem after its file
    bool Start = false;        // 開始 of puzzle play
    bool Undo = false;         // 一手戻る
    bool Pause = false;        // 中断
    bool Continue = false;     // 続行
    bool SaveCopy = false;     // 保存 of puzzle play: a copy, the name kept
    bool Open = false;         // 開く
    bool Step = false;         // 次 of the demonstration
    bool Redo = false;         // 一手進む
    bool Hint = false;         // ヒント
    bool NewProblem = false;   // 乱数問題, and the problems of the collection
    bool operator==(const Controls&) const = default;
};

// The fewest moves of the problem as far as they are known.
struct ParFigure {
    enum Kind : std::uint8_t { Unknown, Pending, Proven, AtMost } Known = Unknown;
    int Moves = 0;
    bool operator==(const ParFigure&) const = default;
};

// The operation menu beside a picked point.
struct OperationMenu {
    bool Shown = false;
    std::int32_t ClickX = 0;  // the pixel of the click it stands beside
    std::int32_t ClickY = 0;
    int HintedOp = -1;        // the operation a hint marks in it, or -1
    bool operator==(const OperationMenu&) const = default;
};

// The problem in place, as the caption names it.
struct ProblemIdentity {
    std::string Name;                  // the name its best time is kept under
    bool Named = false;                // the caption shows the name (not for the sample or a drawn path)
    std::int32_t BestSeconds = 0;      // 0: no record is kept for it
    std::optional<ProblemCode> Code;   // a random problem's code
    bool operator==(const ProblemIdentity&) const = default;
};

struct GameStatus {
    GameState State = GameState::NoMode;
    int ModeShown = MenuNone;            // the mode panel shown
    std::uint8_t GameMode = 0;           // 0 idle, 1 path entry, 2 play (timed or demonstrated)
    Controls Enabled;
    bool DemonstrationShown = false;     // the panel of 次 and the wait
    bool RunningDemonstration = false;   // a continuous run is under way
    OperationMenu Operations;            // the menu beside a picked point
    std::optional<std::int32_t> ClockSeconds;  // nothing until a play has been started
    int Moves = 0;
    ParFigure Par;
    bool HintUsed = false;
    bool Unsaved = false;
    int Unit = 20;                       // pixels per world unit: the zoom bar's position
    ProblemIdentity Problem;
    bool operator==(const GameStatus&) const = default;
};

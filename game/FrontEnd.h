// FrontEnd.h: what the game asks of the program that shows it: drawing, messages and questions, time, the records of best times.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/Picture.h"
#include "game/Status.h"

// The modal messages of the game. The front end words them.
enum class GameMessage : std::uint8_t {
    Failure,      // a move was refused ("　　失　　敗　　")
    Solved,       // the path lies straight ("　　お　め　で　と　う　　")
    HistoryFull,  // the play holds the most moves it can record
    PathFull,     // a drawn path holds the most points it can
};

// Questions before work is thrown away: true goes on, false leaves everything as it was.
enum class GameQuestion : std::uint8_t {
    Quit,        // an entered path is unsaved: quit anyway?
    SwitchMode,  // ... switch modes anyway?
    NewProblem,  // ... make a new problem anyway?
    Restart,     // moves of a play would be lost: start over?
};

// The game reaches its front end only through this. Every call is made on
// the game's thread; the modal ones return once the player has answered.
class GameFrontEnd {
public:
    virtual ~GameFrontEnd() = default;

    // Seconds on a clock that never jumps.
    virtual double Now() = 0;
    // The front end calls Tick at `due` (a reading of Now) or soon after;
    // nothing: no tick is needed.
    virtual void WantTick(std::optional<double> due) = 0;

    // Shows the picture at once.
    virtual void Draw(const Picture& picture) = 0;
    // The controls, the clock and the figures changed.
    virtual void ShowStatus(const GameStatus& status) = 0;
    // A modal message; returns when the player has closed it.
    virtual void ShowMessage(GameMessage message) = 0;
    // A modal question; true for yes.
    virtual bool Ask(GameQuestion question) = 0;
    // Puts the mouse pointer on a pixel of the picture, where the path entry
    // wants the next corner drawn from; a front end that cannot does nothing.
    virtual void MovePointer(PixelPoint at) = 0;
};

// Where best times are kept by problem name: a records file, a browser's storage.
class GameRecords {
public:
    virtual ~GameRecords() = default;

    // The records are read again from where they are kept (a problem has
    // just arrived from elsewhere).
    virtual void Reload() = 0;
    // The best time of `name`, noting the name if it has none yet; NoRecord when none.
    virtual std::int32_t BestTime(const std::string& name) = 0;
    // `seconds` is the new best time of `name`, set today.
    virtual void StoreBestTime(const std::string& name, std::int32_t seconds) = 0;
    // The player solved the random problem `name` in the fewest moves it
    // needs, without help; a front end that keeps no such marks ignores it.
    virtual void StoreFewestSolve(const std::string& /*name*/) {}

    static constexpr std::int32_t NoRecord = 3600000;
};

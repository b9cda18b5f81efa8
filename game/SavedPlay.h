// SavedPlay.h: a play kept when the game closes, and its text: the problem, its name, the moves made and taken back, the clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/MoveHistory.h"
#include "core/PathPoint.h"
#include "solver/Generator.h"

struct SavedPlay {
    ::Problem Path;                   // the problem as it was installed
    std::string Name;                 // the name its best time is kept under
    bool Named = false;               // the caption showed the name
    std::optional<ProblemCode> Code;  // a random problem's code
    std::vector<MoveEntry> Moves;     // the moves made, in order
    std::vector<MoveEntry> Redo;      // the moves taken back, the next to make again first
    std::int32_t Seconds = 0;         // the play's clock
    bool HintUsed = false;
    bool Demonstrated = false;        // the demonstration made a move of it

    // The same play: the problem's points, not what its array holds beyond them.
    bool operator==(const SavedPlay& other) const;
};

// The text of a kept play: a first line naming the format and its version,
// then one "key value" line each, the points and the moves one a line.
std::string FormatSavedPlay(const SavedPlay& play);

// The play a text keeps, checked whole before anything is given: a text of
// another format or version, cut short, edited into nonsense, with a path
// that is no path or moves the game would refuse, gives nothing, and
// `why` says what is wrong.
std::optional<SavedPlay> ParseSavedPlay(std::string_view text, std::string* why = nullptr);

// Whether the play's problem is a path, and every move made and then every
// move taken back is one the game accepts on it, and the history holds them all.
bool PlayFitsTogether(const SavedPlay& play);

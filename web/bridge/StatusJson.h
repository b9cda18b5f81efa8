// StatusJson.h: what the page shows besides the picture, and what its tests read, as JSON text.
#pragma once

#include <string>

#include "game/Game.h"

// The game's status: state, mode, which controls act, the operation menu,
// the clock (and its text), the figures of the play and the problem's name,
// best time and code.
std::string StatusJson(const GameStatus& status);

// The game as the page's tests see it: the path's points in order, the
// moves made, the fewest moves when proven (else null), whether the path is
// solved, the random problem's code (else null) and the view.
std::string StateJson(const TGame& game);

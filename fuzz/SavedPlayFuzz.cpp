// SavedPlayFuzz.cpp: fuzz target: any bytes read as a play kept at closing.
//
// Checks: a text that ParseSavedPlay accepts is a play the game takes up
// again (ResumePlay), paused, its clock at the kept seconds, its path a path
// with the kept moves in its history and the kept redo list after them; and
// the play the game would keep then reads back as the same play. A text it
// refuses comes with a reason and leaves a game untouched. Nothing crashes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "game/NullFrontEnd.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string why;
    const std::optional<SavedPlay> play = ParseSavedPlay(text, &why);
    if (!play) {
        FUZZ_CHECK(!why.empty(), "refused without a reason");
        return 0;
    }
    TGame& game = Fresh<GameRig>().Game;
    FUZZ_CHECK(game.ResumePlay(*play), "an accepted play is not taken up");
    const TPuzzle& p = game.Puzzle();
    FUZZ_CHECK(PathFault(p.WorkPath(), p.PointCount()).empty(), "the play's path is no path");
    FUZZ_CHECK(game.State() == GameState::Paused, "not paused");
    FUZZ_CHECK(!game.Clock().Running() && game.Clock().Elapsed() == play->Seconds, "the clock");
    FUZZ_CHECK(p.MoveCount() == play->Moves.size() && p.History().RedoCount() == play->Redo.size(), "the history");
    const std::optional<SavedPlay> again = game.PlayToKeep();
    FUZZ_CHECK(again.has_value(), "a play taken up is not kept again");
    FUZZ_CHECK(ParseSavedPlay(FormatSavedPlay(*again)) == again, "the kept play does not read back");
    FUZZ_CHECK(again->Moves.size() == play->Moves.size() && again->Redo.size() == play->Redo.size() &&
                   again->Seconds == play->Seconds && again->Code == play->Code,
               "the play taken up is not the play kept");
    return 0;
}

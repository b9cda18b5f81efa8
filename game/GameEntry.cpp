// GameEntry.cpp: drawing a new problem corner by corner: the band from the last corner, its commit, the end of the entry.
#include "game/Game.h"

#include <cstdlib>

void TGame::BeginEntry()
{
    Input([&] {
        if (!BuildControls().EntryBegin || mode_ != MenuCreation)
            return;
        if (unsaved_ && !Ask(GameQuestion::NewProblem))
            return;
        // A point picked in a play belongs to the path about to be replaced,
        // and so does the play itself.
        operations_.Shown = false;
        EndDemonstrationRun();
        clock_.Clear();
        hintUsed_ = false;
        undoOffered_ = false;  // the moves of the play go with it
        gameMode_ = ModeEntry;
        puzzle_.BeginEntry();
        entryCorner_ = entryCandidate_ = {0, 0};
        RedrawEntry();
        MovePointerToCorner();
    });
}

// The picture during an entry: grid, axes and the path entered so far; the
// band is gone with the old picture and the next move of the mouse draws it.
void TGame::RedrawEntry()
{
    entryCandidate_ = entryCorner_;
    picture_.Look = PathLook::Entry;
    picture_.Path = StepLine(puzzle_.WorkPath(), 1, puzzle_.PointCount());
    picture_.Marks.clear();
    picture_.Band.reset();
    DrawPicture();
}

// The band from the last corner towards the lattice point under the mouse,
// along the corner's column or row, whichever the mouse is nearer (a tie
// goes along the row).
void TGame::MoveBand(LatticePoint at)
{
    const std::int64_t dx = std::llabs(std::int64_t{at.X} - entryCorner_.X);
    const std::int64_t dy = std::llabs(std::int64_t{at.Y} - entryCorner_.Y);
    entryCandidate_ = dx < dy ? LatticePoint{entryCorner_.X, at.Y} : LatticePoint{at.X, entryCorner_.Y};
    if (entryCandidate_ == entryCorner_)
        picture_.Band.reset();
    else
        picture_.Band = std::pair{WorldPoint{static_cast<double>(entryCorner_.X), static_cast<double>(entryCorner_.Y)},
                                  WorldPoint{static_cast<double>(entryCandidate_.X),
                                             static_cast<double>(entryCandidate_.Y)}};
    DrawPicture();
}

// The band becomes part of the path as far as it can go without meeting
// it; the pointer jumps to where the path now ends.
void TGame::CommitBand()
{
    if (entryCandidate_ == entryCorner_)
        return;
    const AppendResult last =
        puzzle_.ExtendEntry(entryCorner_.X, entryCorner_.Y, entryCandidate_.X, entryCandidate_.Y);
    unsaved_ = true;
    entryCorner_ = entryCandidate_;
    RedrawEntry();
    MovePointerToCorner();
    if (last == AppendResult::PathFull)
        Message(GameMessage::PathFull);
}

// The entered path becomes the problem. It is drawn as entered until the
// next redraw; it has no name yet, so no play of it keeps a best time.
void TGame::EndEntry()
{
    Input([&] {
        if (gameMode_ != ModeEntry)
            return;
        entryCandidate_ = entryCorner_;
        gameMode_ = ModeIdle;
        puzzle_.FinishEntry();
        bestSeconds_ = 0;
        // The name stays only as the save's suggestion: the drawn path is not
        // the named problem, and a play of it kept for the next start must not
        // take that problem's records.
        identity_.Named = false;
        identity_.BestSeconds = 0;
        identity_.Code.reset();
        picture_.Look = PathLook::Entered;
        picture_.Band.reset();
        DrawPicture();
        StartParSearch();
    });
}

void TGame::MovePointerToCorner()
{
    if (view_.Sized())
        frontEnd_.MovePointer(view_.WorldToPixel(entryCorner_.X, entryCorner_.Y));
}

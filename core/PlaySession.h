// PlaySession.h: a game in progress without its window: mode, play clock, button masks, path entry and best time.
#pragma once

#include <cstdint>
#include <string>

#include "core/Puzzle.h"

enum GameModes : std::uint8_t { ModeIdle = 0, ModeEntry = 1, ModePlay = 2 };

// The items of the mode menu.
enum MenuItem : int { MenuCreation = 0, MenuPuzzle = 1 };

// Button masks: bit i switches the i-th managed button, in this order:
// entry begin, save (creation), start, undo, pause, continue, save (play), open.
enum ButtonMasks : std::uint8_t {
    MaskStartUp = 133,
    MaskCreation = 3,
    MaskPuzzle = 196,
    MaskPlaying = 16,
    MaskPaused = 229,
    MaskSolved = 197,
};

struct LatticePoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const LatticePoint&) const = default;
};

// "%4d分%2d秒": the play clock's text for a number of seconds.
std::string ClockText(std::int32_t seconds);

// The rules of a game around the puzzle: which mode it is in, what the play
// clock reads, which buttons each state allows, where a path entry stands,
// and whether a solve beats the best time. The window turns its events into
// these calls and shows what they give; clock readings come in as seconds on
// a clock that never jumps.
class TPlaySession {
public:
    explicit TPlaySession(PuzzleHost& host) : puzzle_(host) {}

    TPuzzle& Puzzle() { return puzzle_; }
    const TPuzzle& Puzzle() const { return puzzle_; }

    std::uint8_t GameMode() const { return gameMode_; }
    bool Unsaved() const { return unsaved_; }
    std::int32_t CarriedSeconds() const { return carriedSeconds_; }
    std::int32_t ElapsedSeconds() const { return elapsedSeconds_; }
    std::int32_t BestSeconds() const { return bestSeconds_; }
    LatticePoint EntryCorner() const { return entryCorner_; }
    LatticePoint EntryCandidate() const { return entryCandidate_; }

    // ---- modes and the clock ------------------------------------------------
    // A menu item was chosen: the game goes idle; gives that mode's mask.
    std::uint8_t ChooseMode(int item);
    // Whether starting afresh would throw away moves of a play under way.
    bool StartDiscardsMoves() const;
    // A play from the problem's first position, the clock from 0 at `now`.
    std::uint8_t Start(double now);
    // The clock at `now`: the seconds carried over pauses and those since the
    // last start or continue, to the nearest (halves to even). Raises
    // EIntOverflow when the sum leaves 32 bits.
    std::int32_t Tick(double now);
    std::uint8_t Pause();
    std::uint8_t Continue(double now);
    // The demonstration opens: it plays on the path as it stands.
    void OpenDemonstration() { gameMode_ = ModePlay; }
    // The path is solved: the play ends.
    void EndPlay() { gameMode_ = ModeIdle; }
    // Whether the play's time beats the best; a new best is kept as the best.
    // A play in which a hint was taken never does.
    bool TakeNewBest();
    // The player was shown a move of a shortest solution during this play.
    void MarkHintUsed() { hintUsed_ = true; }
    bool HintUsed() const { return hintUsed_; }

    // ---- the problem --------------------------------------------------------
    // The best time of the problem just named (0 for one that keeps no record).
    void SetBestSeconds(std::int32_t seconds) { bestSeconds_ = seconds; }
    void MarkSaved() { unsaved_ = false; }

    // ---- path entry ---------------------------------------------------------
    void BeginEntry();
    // The band from the last corner towards the lattice point under the mouse,
    // along the corner's column or row, whichever the mouse is nearer (a tie
    // goes along the row).
    void ProposeBand(LatticePoint mouse);
    // The band becomes part of the path as far as it can; whether the path
    // was already full. Nothing happens for a band of no length.
    AppendResult CommitBand();
    // The band is withdrawn, as when it is erased from the picture.
    void DropBand() { entryCandidate_ = entryCorner_; }
    // The entered path becomes the problem. It has no name and so no best time.
    void EndEntry();

private:
    TPuzzle puzzle_;
    std::uint8_t gameMode_ = ModeIdle;
    bool unsaved_ = false;
    double playStartTime_ = 0;  // clock reading at the last start or continue
    std::int32_t carriedSeconds_ = 0;
    std::int32_t elapsedSeconds_ = 0;
    std::int32_t bestSeconds_ = 0;
    bool hintUsed_ = false;
    LatticePoint entryCorner_;
    LatticePoint entryCandidate_;
};

// PlaySession.cpp: the game's modes, clock, masks, path entry and best-time decision.
#include "core/PlaySession.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "core/RunErrors.h"

std::string ClockText(std::int32_t seconds)
{
    char text[48];
    std::snprintf(text, sizeof text, "%4d分%2d秒", seconds / 60, seconds % 60);
    return text;
}

std::uint8_t TPlaySession::ChooseMode(int item)
{
    gameMode_ = ModeIdle;
    return item == MenuCreation ? MaskCreation : MaskPuzzle;
}

bool TPlaySession::StartDiscardsMoves() const
{
    return gameMode_ == ModePlay && puzzle_.MoveCount() > 0;
}

std::uint8_t TPlaySession::Start(double now)
{
    puzzle_.ResetToProblem();
    carriedSeconds_ = 0;
    gameMode_ = ModePlay;
    elapsedSeconds_ = 0;
    playStartTime_ = now;
    hintUsed_ = false;
    return MaskPlaying;
}

std::int32_t TPlaySession::Tick(double now)
{
    const double running = std::nearbyint(now - playStartTime_);
    const std::int64_t total = std::int64_t{carriedSeconds_} + static_cast<std::int64_t>(running);
    if (!std::in_range<std::int32_t>(total))
        throw EIntOverflow();
    elapsedSeconds_ = static_cast<std::int32_t>(total);
    return elapsedSeconds_;
}

std::uint8_t TPlaySession::Pause()
{
    gameMode_ = ModeIdle;
    // The fraction of a second since the last tick is not counted.
    carriedSeconds_ = elapsedSeconds_;
    return MaskPaused;
}

std::uint8_t TPlaySession::Continue(double now)
{
    gameMode_ = ModePlay;
    playStartTime_ = now;
    return MaskPlaying;
}

bool TPlaySession::TakeNewBest()
{
    if (hintUsed_ || elapsedSeconds_ >= bestSeconds_)
        return false;
    bestSeconds_ = elapsedSeconds_;
    return true;
}

void TPlaySession::BeginEntry()
{
    gameMode_ = ModeEntry;
    puzzle_.BeginEntry();
    entryCorner_ = {0, 0};
    entryCandidate_ = {0, 0};
}

void TPlaySession::ProposeBand(LatticePoint mouse)
{
    const std::int64_t dx = std::llabs(std::int64_t{mouse.X} - entryCorner_.X);
    const std::int64_t dy = std::llabs(std::int64_t{mouse.Y} - entryCorner_.Y);
    if (dx < dy)
        entryCandidate_ = {entryCorner_.X, mouse.Y};
    else
        entryCandidate_ = {mouse.X, entryCorner_.Y};
}

AppendResult TPlaySession::CommitBand()
{
    if (entryCandidate_ == entryCorner_)
        return AppendResult::Appended;
    const AppendResult last =
        puzzle_.ExtendAlongAxis(entryCorner_.X, entryCorner_.Y, entryCandidate_.X, entryCandidate_.Y);
    unsaved_ = true;
    entryCorner_ = entryCandidate_;
    return last;
}

void TPlaySession::EndEntry()
{
    entryCandidate_ = entryCorner_;
    gameMode_ = ModeIdle;
    puzzle_.FinishEntry();
    // A drawn problem has no name yet, so no play of it may touch the best
    // time of the problem named before; saving it names it.
    bestSeconds_ = 0;
}

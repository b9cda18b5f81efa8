// Generator.h: random problems from a seeded walk of the game's own moves, in three bands of difficulty, named by short codes.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/PathPoint.h"
#include "solver/FoldState.h"
#include "solver/Random.h"

enum class Difficulty : std::uint8_t { Easy, Normal, Hard };  // letters e, n, h

// Names a generated problem: "70-1234567-h" is 70 points, seed 1234567, hard.
struct ProblemCode {
    int Points = 70;
    std::uint64_t Seed = 0;
    Difficulty Level = Difficulty::Normal;
    bool operator==(const ProblemCode&) const = default;
};

// Points, seed in decimal and the level's letter, joined by "-".
std::string FormatProblemCode(const ProblemCode& code);

// Seeds below this give codes of at most 16 characters ("255-9999999999-h"),
// which a best time's 20-byte record name holds whole after "乱数". The codes
// the game draws, builds in or makes for a day stay below it; a player may
// still type any seed up to 2^64 - 1.
constexpr std::uint64_t ShortSeedLimit = 10'000'000'000ULL;

// A seed below ShortSeedLimit from a draw of entropy (the system's random
// device, a clock reading). The draw seeds SplitMix64, so that readings close
// together give unrelated seeds; the first number below the largest multiple
// of the limit under 2^64 is taken, so that every seed is equally likely.
// The same entropy always gives the same seed: the day's problem rests on it.
std::uint64_t NewProblemSeed(std::uint64_t entropy);

// The name of a generated problem (UTF-8), under which it keeps a best time of its
// own: "乱数" and the whole code when that fits the 20 bytes of a record's
// name field, as every code with a seed below ShortSeedLimit does
// ("乱数255-9999999999-h"). A longer code, whose seed a player typed, is named
// "乱数" + points + "#" + a digest of the seed + "-" + the level's letter,
// at most 20 bytes too ("乱数255#0123456789-h"). The digest is the first
// number SplitMix64 draws from the seed, modulo 10^10, in ten digits: it
// depends on every digit of the seed, so codes alike in their first 16
// characters get names of their own; two long seeds share a digest with a
// chance of 1 in 10^10. Only a long code's name holds "#", so it never
// meets a short code's.
std::string ProblemCodeName(const ProblemCode& code);

// The exact inverse of FormatProblemCode; nothing for anything else: points
// outside 2..255 or with a sign or leading zero, a seed beyond 64 bits, a
// letter other than e, n or h, missing or extra text.
std::optional<ProblemCode> ParseProblemCode(std::string_view text);

// The problem a code names: the same path, byte for byte, on every machine.
// Nothing when `cancel` is set during the work, or when the code's points
// are outside 2..255. Never a path that is already solved.
//
// How: a walk from the straight path along +x makes random moves (a pivot
// 1..N-1 and an operation, each uniform), keeping those the game accepts.
// After 8·N accepted moves the start is forgotten (docs/difficulty.md has
// the measurement); from then on the path is scored every N/2 accepted moves
// (at least 8) until its score lies in the band asked for. In every seed
// tried, 64 scored paths found the band except where it holds no path, at
// N = 2 (every path is a single step turned away from +x: one move, all
// three bands alike) and for Hard at N = 3 (no path of 3 points needs more
// than 2 moves, the Normal ones); then the scored path nearest to the band
// is taken.
std::optional<Problem> GenerateProblem(const ProblemCode& code, const std::atomic<bool>* cancel = nullptr);

// ---- the parts, for measurements and tests ----------------------------------------

// One attempt of the walk: a random pivot 1..Points()-1 and operation, made
// when the game accepts it. True when it was made.
bool PivotWalkStep(FoldState& path, SplitMix64& random);

// Accepted moves from the straight path before a problem is taken: 8·N.
int BurnInMoves(int points);

// What makes a path hard for a person.
struct DifficultyMeasure {
    int Points = 0;
    int Moves = 0;           // fewest moves (the lower bound, or the search's proven count)
    int Corners = 0;
    int RefusedCorners = 0;  // corners whose straightening move the game refuses as posed
    double MovesPerPoint() const { return Points > 0 ? static_cast<double>(Moves) / Points : 0; }
    double RefusedShare() const { return Corners > 0 ? static_cast<double>(RefusedCorners) / Corners : 0; }
    // (fewest moves + refused corners) / N: each refused corner is a move the
    // player will reach for first and have to rethink.
    double Score() const { return Points > 0 ? static_cast<double>(Moves + RefusedCorners) / Points : 0; }
};

// The measure with the lower bound as the fewest moves; `path` is left as it was.
DifficultyMeasure MeasureDifficulty(FoldState& path);

// The scores at which Normal and Hard begin for paths of `points` points:
// the thirds of the scores of the walk's paths at that size.
struct BandLimits {
    double NormalFrom = 0;
    double HardFrom = 0;
};
BandLimits DifficultyLimits(int points);

Difficulty BandOf(const DifficultyMeasure& measure);

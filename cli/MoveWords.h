// MoveWords.h: the move words of `vandrel-cli apply` (V25, C3, U) and their result lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Puzzle.h"

// What a word asks for: a move, or taking one back or making it again.
enum class WordKind { Move, Undo, Redo };

struct MoveWord {
    WordKind Kind = WordKind::Move;
    std::uint8_t OpCode = 0;
    // The pivot as written, or nothing when it is too large for any path.
    std::optional<std::uint8_t> Pivot;
};

// "R", "L", "H", "V" or "C" followed by decimal digits, "U" or "Y" alone;
// nothing for any other word.
std::optional<MoveWord> ParseMoveWord(std::string_view word);

// The letter of an operation code: C, R, L, H or V.
char OpLetter(std::uint8_t op);

// Makes the move on the puzzle and gives its result line ("V 25 ok",
// "V 0 ignored", "U empty", "Y ok", ...).
std::string ApplyMoveWord(TPuzzle& puzzle, const MoveWord& move);

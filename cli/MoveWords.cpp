// MoveWords.cpp: the move words of `vandrel-cli apply` and their result lines.
#include "cli/MoveWords.h"

#include <charconv>

namespace {

constexpr std::string_view OpLetters = "CRLHV";  // indexed by OpCode

std::string ResultLine(std::uint8_t op, int pivot, const char* result)
{
    return std::string(1, OpLetter(op)) + ' ' + std::to_string(pivot) + ' ' + result;
}

std::string UndoLine(TPuzzle& puzzle)
{
    return puzzle.Undo() ? "U ok" : "U empty";
}

std::string RedoLine(TPuzzle& puzzle)
{
    return puzzle.Redo() ? "Y ok" : "Y empty";
}

} // namespace

char OpLetter(std::uint8_t op)
{
    return op < OpLetters.size() ? OpLetters[op] : '?';
}

std::optional<MoveWord> ParseMoveWord(std::string_view word)
{
    if (word == "U")
        return MoveWord{WordKind::Undo, 0, std::nullopt};
    if (word == "Y")
        return MoveWord{WordKind::Redo, 0, std::nullopt};
    if (word.size() < 2)
        return std::nullopt;
    const std::size_t op = OpLetters.find(word.front());
    if (op == std::string_view::npos)
        return std::nullopt;

    const std::string_view digits = word.substr(1);
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    MoveWord move{WordKind::Move, static_cast<std::uint8_t>(op), std::nullopt};
    // Any number of digits is a pivot; one beyond 255 simply lies off every path.
    unsigned long long value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc() && end == digits.data() + digits.size() && value <= 255)
        move.Pivot = static_cast<std::uint8_t>(value);
    return move;
}

std::string ApplyMoveWord(TPuzzle& puzzle, const MoveWord& move)
{
    if (move.Kind == WordKind::Undo)
        return UndoLine(puzzle);
    if (move.Kind == WordKind::Redo)
        return RedoLine(puzzle);

    const bool onPath = move.Pivot && *move.Pivot >= 1 && *move.Pivot <= puzzle.PointCount();
    // The core ignores a pivot of 0 for every operation but cancel, which needs
    // no pivot at all; the tool reports an off-path cancel as ignored as well.
    if (!onPath && move.OpCode == OpCancel)
        return ResultLine(move.OpCode, 0, "ignored");

    const std::uint8_t pivot = onPath ? *move.Pivot : 0;
    switch (puzzle.ApplyOperation(move.OpCode, pivot).Outcome) {
    case MoveOutcome::Applied:
    case MoveOutcome::Cancelled:
        return ResultLine(move.OpCode, pivot, "ok");
    case MoveOutcome::Refused:
    case MoveOutcome::HistoryFull:
        return ResultLine(move.OpCode, pivot, "refused");
    case MoveOutcome::Ignored:
        break;
    }
    return ResultLine(move.OpCode, 0, "ignored");
}

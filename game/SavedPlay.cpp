// SavedPlay.cpp: writing a kept play as text and reading it back, checking every part of it.
#include "game/SavedPlay.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/Puzzle.h"

namespace {

constexpr std::string_view Header = "ソラドミ play 1";
constexpr std::string_view OpLetters = "CRLHV";

// A name on one line: backslashes and line breaks written as \\, \n and \r.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

void AppendMoves(std::string& text, const char* key, const std::vector<MoveEntry>& moves)
{
    text += std::string(key) + ' ' + std::to_string(moves.size()) + '\n';
    for (const MoveEntry& m : moves)
        text += std::string(1, OpLetters[m.OpCode % OpLetters.size()]) + ' ' + std::to_string(m.Pivot) + '\n';
}

// Reads the text line by line; every read says whether the text still
// holds what is asked for.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    std::string Fault;

    bool Line(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return Fail("cut short");
        const std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            return Fail("cut short");
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return true;
    }

    // "key value": the value after the key and one blank.
    bool Value(std::string_view key, std::string_view& value)
    {
        std::string_view line;
        if (!Line(line))
            return false;
        if (line.size() < key.size() + 1 || line.substr(0, key.size()) != key || line[key.size()] != ' ')
            return Fail("no " + std::string(key));
        value = line.substr(key.size() + 1);
        return true;
    }

    template <typename Int>
    bool Number(std::string_view text, Int low, Int high, Int& out, const char* what)
    {
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
        if (text.empty() || ec != std::errc() || end != text.data() + text.size() || out < low || out > high)
            return Fail(std::string("bad ") + what);
        return true;
    }

    template <typename Int>
    bool KeyNumber(std::string_view key, Int low, Int high, Int& out)
    {
        std::string_view value;
        return Value(key, value) && Number(value, low, high, out, key.data());
    }

    bool Moves(std::string_view key, std::vector<MoveEntry>& moves)
    {
        int count = 0;
        if (!KeyNumber(key, 0, TMoveHistory::Capacity, count))
            return false;
        for (int i = 0; i < count; ++i) {
            std::string_view line;
            if (!Line(line))
                return false;
            const std::size_t op = line.empty() ? std::string_view::npos : OpLetters.find(line.front());
            int pivot = 0;
            if (op == std::string_view::npos || op == 0 || line.size() < 3 || line[1] != ' ' ||
                !Number(line.substr(2), 1, MaxPoints, pivot, "pivot"))
                return Fail("bad move");
            moves.push_back({static_cast<std::uint8_t>(op), static_cast<std::uint8_t>(pivot)});
        }
        return true;
    }

    bool AtEnd(bool required = true) { return pos_ == text_.size() || (required && Fail("more after the end")); }

    bool Fail(std::string why)
    {
        if (Fault.empty())
            Fault = std::move(why);
        return false;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool ReadPoints(LineReader& in, Problem& problem)
{
    int count = 0;
    if (!in.KeyNumber("points", 1, MaxPoints, count))
        return false;
    problem.PointCount = static_cast<std::uint8_t>(count);
    for (int i = 1; i <= count; ++i) {
        std::string_view line;
        if (!in.Line(line))
            return false;
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos ||
            !in.Number(line.substr(0, blank), -MaxPoints, MaxPoints, problem.Points[i].X, "point") ||
            !in.Number(line.substr(blank + 1), -MaxPoints, MaxPoints, problem.Points[i].Y, "point"))
            return in.Fail("bad point");
    }
    return true;
}

// The path starts at the origin, steps one unit at a time and never comes back.
bool IsPath(const Problem& p)
{
    if (p.Points[1].X != 0 || p.Points[1].Y != 0)
        return false;
    for (int i = 2; i <= p.PointCount; ++i) {
        const int step = std::abs(p.Points[i].X - p.Points[i - 1].X) + std::abs(p.Points[i].Y - p.Points[i - 1].Y);
        if (step != 1)
            return false;
        for (int j = 1; j < i; ++j)
            if (p.Points[j].SameSpot(p.Points[i]))
                return false;
    }
    return true;
}

} // namespace

bool PlayFitsTogether(const SavedPlay& play)
{
    if (play.Path.PointCount < 1 || !IsPath(play.Path))
        return false;
    auto puzzle = std::make_unique<TPuzzle>();
    puzzle->LoadProblem(play.Path);
    for (const std::vector<MoveEntry>* list : {&play.Moves, &play.Redo}) {
        for (const MoveEntry& m : *list) {
            if (puzzle->ApplyOperation(m.OpCode, m.Pivot).Outcome != MoveOutcome::Applied)
                return false;
        }
    }
    return play.Moves.size() + play.Redo.size() <= TMoveHistory::Capacity;
}

bool SavedPlay::operator==(const SavedPlay& o) const
{
    if (Path.PointCount != o.Path.PointCount)
        return false;
    for (int i = 1; i <= Path.PointCount; ++i)
        if (!Path.Points[i].SameSpot(o.Path.Points[i]))
            return false;
    const auto same = [](const std::vector<MoveEntry>& a, const std::vector<MoveEntry>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const MoveEntry& x, const MoveEntry& y) {
            return x.OpCode == y.OpCode && x.Pivot == y.Pivot;
        });
    };
    return Name == o.Name && Named == o.Named && Code == o.Code && same(Moves, o.Moves) && same(Redo, o.Redo) &&
           Seconds == o.Seconds && HintUsed == o.HintUsed && Demonstrated == o.Demonstrated;
}

std::string FormatSavedPlay(const SavedPlay& play)
{
    std::string text = std::string(Header) + '\n';
    text += "name " + Escaped(play.Name) + '\n';
    text += "named " + std::to_string(play.Named ? 1 : 0) + '\n';
    text += "code " + (play.Code ? FormatProblemCode(*play.Code) : std::string("-")) + '\n';
    text += "seconds " + std::to_string(play.Seconds) + '\n';
    text += "hint " + std::to_string(play.HintUsed ? 1 : 0) + '\n';
    text += "points " + std::to_string(play.Path.PointCount) + '\n';
    for (int i = 1; i <= play.Path.PointCount; ++i)
        text += std::to_string(play.Path.Points[i].X) + ' ' + std::to_string(play.Path.Points[i].Y) + '\n';
    AppendMoves(text, "moves", play.Moves);
    AppendMoves(text, "redo", play.Redo);
    text += "demonstrated " + std::to_string(play.Demonstrated ? 1 : 0) + '\n';
    return text;
}

std::optional<SavedPlay> ParseSavedPlay(std::string_view text, std::string* why)
{
    LineReader in(text);
    SavedPlay play;
    std::string_view line, name, code;
    int named = 0, hint = 0, demonstrated = 0;
    const bool read = in.Line(line) && (line == Header || in.Fail("not a kept play of this version")) &&
                      in.Value("name", name) && in.KeyNumber("named", 0, 1, named) && in.Value("code", code) &&
                      in.KeyNumber("seconds", 0, INT32_MAX, play.Seconds) && in.KeyNumber("hint", 0, 1, hint) &&
                      ReadPoints(in, play.Path) && in.Moves("moves", play.Moves) && in.Moves("redo", play.Redo) &&
                      // A play kept before the line was written ends here.
                      (in.AtEnd(false) || in.KeyNumber("demonstrated", 0, 1, demonstrated)) && in.AtEnd();
    if (read) {
        const std::optional<std::string> unescaped = Unescaped(name);
        if (!unescaped)
            in.Fail("bad name");
        else
            play.Name = *unescaped;
        play.Named = named == 1;
        play.HintUsed = hint == 1;
        play.Demonstrated = demonstrated == 1;
        if (code != "-") {
            play.Code = ParseProblemCode(code);
            if (!play.Code)
                in.Fail("bad code");
        }
        if (!IsPath(play.Path))
            in.Fail("the points are no path");
        else if (!PlayFitsTogether(play))
            in.Fail("a move the game refuses");
    }
    if (!in.Fault.empty()) {
        if (why)
            *why = in.Fault;
        return std::nullopt;
    }
    return play;
}

// ProblemText.cpp: reads a problem's lines into a checked path and writes a path as lines, on UTF-8 text.
#include "files/ProblemText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/RunErrors.h"

namespace {

// Counts beyond this stay here: far out of range, and no overflow however
// many digits a line holds.
constexpr std::int64_t CountCeiling = 1 << 20;

const char* const CountRangeMessage = "点の数は 1 から 255 まででなければなりません";
const std::string Replacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of digit `c` in `base` (10 or 16), or -1 when it is none.
int DigitValue(char c, int base)
{
    if (IsDigit(c))
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? char(text[i] - 'A' + 'a') : text[i];
        if (c != prefix[i])
            return false;
    }
    return true;
}

// The count line's leading integer. Blanks, a sign, then decimal digits, or
// hexadecimal ones after "$", "x", "X", "0x" or "0X". The sign counts only
// when the line ends right after the digits; text after them stops the
// reading and leaves the digits' value unsigned. No digits give 0.
std::int64_t ReadCountLine(std::string_view line)
{
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    bool negative = false;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-'))
        negative = line[pos++] == '-';

    const std::string_view rest = line.substr(pos);
    int base = 10;
    if (StartsWithNoCase(rest, "0x")) {
        base = 16;
        pos += 2;
    } else if (StartsWithNoCase(rest, "$") || StartsWithNoCase(rest, "x")) {
        base = 16;
        pos += 1;
    }

    std::int64_t value = 0;
    for (; pos < line.size(); ++pos) {
        const int digit = DigitValue(line[pos], base);
        if (digit < 0)
            break;
        value = std::min(value * base + digit, CountCeiling);
    }
    const bool lineEnded = pos == line.size();
    return negative && lineEnded ? -value : value;
}

// The bytes of the UTF-8 sequence that starts with `lead`.
std::size_t SequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The text's columns [first, first + count) as the window counts columns: in
// UTF-16 units, so that both front ends quote the same field. A character
// beyond the sixteen-bit range takes two columns; one cut in half by the
// field's edge shows as the replacement character.
std::string Columns(std::string_view text, std::size_t first, std::size_t count)
{
    std::string field;
    std::size_t column = 0;
    for (std::size_t pos = 0; pos < text.size() && column < first + count;) {
        const std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(text[pos])), text.size() - pos);
        const std::size_t width = length == 4 ? 2 : 1;
        const bool inside = column >= first && column + width <= first + count;
        const bool cut = !inside && column + width > first && column < first + count;
        if (inside)
            field.append(text.substr(pos, length));
        else if (cut)
            field.append(Replacement);
        column += width;
        pos += length;
    }
    return field;
}

std::string NotIntegerMessage(std::string_view field)
{
    // The same words as the conversion error the rest of the game reports.
    return EConvertError(PrintableField(field)).what();
}

// X from columns 1-4 and Y from columns 5-8; the message when either is no integer.
std::optional<std::string> ReadPointLine(std::string_view line, PathPoint& point)
{
    const std::string xField = Columns(line, 0, 4);
    const std::string yField = Columns(line, 4, 4);
    const std::optional<int> x = ReadIntegerField(xField);
    if (!x)
        return NotIntegerMessage(xField);
    const std::optional<int> y = ReadIntegerField(yField);
    if (!y)
        return NotIntegerMessage(yField);
    point.X = *x;
    point.Y = *y;
    return std::nullopt;
}

// Point i against the points before it: the path starts at the origin, steps
// one unit along one axis and never comes back to a point.
std::optional<std::string> CheckPoint(const PathArray& points, int i)
{
    const PathPoint& point = points[i];
    if (i == 1)
        return point.X == 0 && point.Y == 0 ? std::nullopt
                                            : std::optional<std::string>("最初の点が原点 (0, 0) ではありません");

    const PathPoint& previous = points[i - 1];
    if (std::abs(std::int64_t{point.X} - previous.X) + std::abs(std::int64_t{point.Y} - previous.Y) != 1)
        return "点 " + std::to_string(i) + " が前の点から縦か横に 1 だけ進んだ所にありません";

    for (int j = 1; j < i; ++j) {
        if (points[j].SameSpot(point))
            return "点 " + std::to_string(i) + " が点 " + std::to_string(j) + " と同じ位置にあります";
    }
    return std::nullopt;
}

std::string Printed(const char* format, int a, int b = 0)
{
    char text[24];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

}  // namespace

ProblemTextParse ParseProblemText(const std::vector<std::string>& lines)
{
    const std::int64_t count = ReadCountLine(lines.empty() ? std::string_view() : lines[0]);
    if (count < 1 || count > MaxPoints)
        return ProblemTextError{1, CountRangeMessage};

    Problem problem;
    problem.PointCount = static_cast<std::uint8_t>(count);
    for (int i = 1; i <= count; ++i) {
        const int lineNumber = i + 1;
        if (lineNumber > static_cast<int>(lines.size()))
            return ProblemTextError{lineNumber, "点 " + std::to_string(i) + " の行 (" + std::to_string(lineNumber) +
                                                    " 行目) がありません"};
        if (auto message = ReadPointLine(lines[std::size_t(i)], problem.Points[std::size_t(i)]))
            return ProblemTextError{lineNumber, *message};
        if (auto message = CheckPoint(problem.Points, i))
            return ProblemTextError{lineNumber, *message};
    }
    return problem;
}

std::vector<std::string> FormatProblemText(const PathArray& path, std::uint8_t count)
{
    std::vector<std::string> lines{Printed("%4d", count)};
    for (int i = 1; i <= count; ++i)
        lines.push_back(Printed("%4d%4d", path[std::size_t(i)].X, path[std::size_t(i)].Y));
    return lines;
}

std::vector<std::string> SplitProblemText(std::string_view text)
{
    // A lone CR ends a line as editors show it, not as part of the line.
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1);
    }
    return lines;
}

std::string JoinProblemText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::optional<int> ReadIntegerField(std::string_view field)
{
    std::size_t pos = 0;
    while (pos < field.size() && IsBlank(field[pos]))
        ++pos;
    const std::string_view number = field.substr(pos);
    const bool negative = !number.empty() && number.front() == '-';
    const std::size_t firstDigit = !number.empty() && (number.front() == '+' || negative) ? 1 : 0;
    if (number.size() == firstDigit)
        return std::nullopt;
    // Past 2^31 any further digit only grows the value: stop counting there.
    constexpr std::int64_t Limit = std::int64_t{1} << 31;
    std::int64_t value = 0;
    for (std::size_t i = firstDigit; i < number.size(); ++i) {
        if (!IsDigit(number[i]))
            return std::nullopt;
        value = std::min(value * 10 + (number[i] - '0'), Limit + 1);
    }
    if (negative)
        value = -value;
    if (value < -Limit || value >= Limit)
        return std::nullopt;
    return static_cast<int>(value);
}

std::string PrintableField(std::string_view text)
{
    std::string printable;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const std::size_t length = std::min(SequenceLength(lead), text.size() - pos);
        // C0 controls and DEL are one byte; the C1 controls U+0080..U+009F are C2 80..C2 9F.
        const bool control = lead < 0x20 || lead == 0x7F ||
                             (lead == 0xC2 && length == 2 && static_cast<unsigned char>(text[pos + 1]) < 0xA0);
        printable.append(control ? Replacement : std::string(text.substr(pos, length)));
        pos += length;
    }
    return printable;
}

std::string ProblemNameOfPath(std::string_view path)
{
    // Both separators count: paths typed on Windows use "\", the file
    // dialogs give "/".
    const std::size_t lastSeparator = path.find_last_of("\\/");
    const std::string_view fileName = lastSeparator == std::string_view::npos ? path : path.substr(lastSeparator + 1);
    return std::string(fileName.substr(0, fileName.find('.')));
}

std::string FileErrorMessage(std::string_view fileName, std::string_view failure, std::string_view reason)
{
    return "ファイル「" + std::string(fileName) + "」" + std::string(failure) + ": " + std::string(reason);
}

std::string TooLargeReason(std::int64_t maxBytes)
{
    return "大きすぎます (" + std::to_string(maxBytes) + " バイトまで)";
}

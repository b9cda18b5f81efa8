// ProblemText.h: problem files as text without a toolkit: lines read into a checked path, a path written as lines, the sample, a problem's name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/PathPoint.h"

// Every text here is UTF-8: each front end decodes a file's bytes (Shift-JIS,
// or UTF-8 after a byte-order mark) into lines before they come here, so the
// window and the page check a file by the same rules and say the same words.

// Why a text is not a problem: the 1-based line it concerns and a Japanese message.
struct ProblemTextError {
    int Line = 0;
    std::string Message;
    bool operator==(const ProblemTextError&) const = default;
};

using ProblemTextParse = std::variant<Problem, ProblemTextError>;

// Reads the count line and the point lines. Checks everything before giving a
// problem: a count of 1 to 255, integer fields, the origin first, unit steps,
// no point twice. Lines after the last point are never read, nor columns
// after the eighth of a point line.
ProblemTextParse ParseProblemText(const std::vector<std::string>& lines);

// The lines of a problem file for points 1..count of `path`: "%4d", then "%4d%4d".
std::vector<std::string> FormatProblemText(const PathArray& path, std::uint8_t count);

// The problem shipped with the game, as the 71 lines of its file.
const std::vector<std::string>& SampleProblemText();

// A whole text split into lines: CR LF, LF, a lone CR and a missing final
// line end all read alike; a final line end does not make an empty last line.
std::vector<std::string> SplitProblemText(std::string_view text);

// The lines joined, each followed by CR LF, as problem files are written.
std::string JoinProblemText(const std::vector<std::string>& lines);

// The value of a fixed-column integer field: optional leading blanks, an
// optional sign and decimal digits, with nothing after them. None when the
// field holds anything else or the value does not fit 32 bits.
std::optional<int> ReadIntegerField(std::string_view field);

// A field's text fit for a message: control characters, which a damaged file
// may hold, show as the replacement character. A NUL left in would even end
// the message right after its opening quote.
std::string PrintableField(std::string_view text);

// The largest problem file read. The game writes at most 2,556 bytes (the
// count line and 255 point lines of ten bytes with CR LF); lines after the
// points and columns after the eighth are never read, so a file may carry
// notes as well. 64 KiB leaves room for those, and anything larger is no
// problem file: a device such as /dev/zero or a file picked by mistake.
constexpr std::int64_t ProblemFileMaxBytes = 64 * 1024;

// What went wrong with a file: "を読めません" (reading) or "に書き込めません" (writing).
inline constexpr const char* CannotRead = "を読めません";
inline constexpr const char* CannotWrite = "に書き込めません";

// "ファイル「NAME」を読めません: REASON": a file error as the player reads it.
std::string FileErrorMessage(std::string_view fileName, std::string_view failure, std::string_view reason);

// Why a pipe or a socket is not read: opening one waits until something
// writes to it, which may be never.
inline constexpr const char* PipeReason = "パイプやソケットは読めません";

// Why a file of more than `maxBytes` is not read: "大きすぎます (N バイトまで)".
std::string TooLargeReason(std::int64_t maxBytes);

// The problem's name from a file path: the part after the last folder
// separator ("\" or "/"), cut before its first ".".
std::string ProblemNameOfPath(std::string_view path);

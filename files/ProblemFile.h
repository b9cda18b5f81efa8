// ProblemFile.h: reading and writing problem files (a count line, then X and Y per point).
#pragma once

#include <cstdint>
#include <variant>

#include <QString>
#include <QStringList>

#include "core/PathPoint.h"
#include "solver/Generator.h"

// A problem read from text and checked: points in slots 1..PointCount.
using ParsedProblem = Problem;

// Why a text is not a problem: the 1-based line it concerns and a Japanese message.
struct ProblemError {
    int Line = 0;
    QString Message;
};

using ProblemParse = std::variant<ParsedProblem, ProblemError>;

// Reads the count line and the point lines. Checks everything before giving a
// problem: a count of 1 to 255, integer fields, the origin first, unit steps,
// no point twice. Lines after the last point are never read.
ProblemParse ParseProblemLines(const QStringList& lines);

// The lines of a problem file for points 1..count of `path`: "%4d", then "%4d%4d".
QStringList FormatProblemLines(const PathArray& path, std::uint8_t count);

// The problem shipped with the game, as the 71 lines of its file.
QStringList BuiltInSampleLines();

// The problem's name from a file path: the part after the last folder
// separator ("\" or "/"), cut before its first ".".
QString ProblemNameFromPath(const QString& path);

// The name of a generated problem, under which it keeps a best time of its
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
QString GeneratedProblemName(const ProblemCode& code);

// The same for a code as text; text that is no code is cut between
// characters to the name field.
QString GeneratedProblemName(const QString& code);

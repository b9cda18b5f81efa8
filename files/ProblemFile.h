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

// ProblemLoad.h: reading a problem file into the puzzle the way the window's open does.
#pragma once

#include <ostream>
#include <string>

#include "core/Puzzle.h"
#include "files/ProblemFile.h"

enum class LoadStatus { Loaded, Invalid, Unreadable };

// Reads `fileArg` (the path as given on the command line) into `problem`.
// Invalid content reports "FILE:LINE: message" on `err`; a file that cannot
// be read reports the file error. `problem` is left alone unless it succeeds.
LoadStatus ReadProblemFile(Problem& problem, const std::string& fileArg, std::ostream& err);

// Points 1..PointCount of WorkPath whose Kind is a corner.
int CountCorners(const TPathStore& path);

// FuzzSupport.h: what the fuzz targets share: a fresh puzzle per input, path checks and a hard failure.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/Puzzle.h"
// The path checks the tests use: origin first, unit steps, no point twice,
// derived fields current, straight along +x.
#include "tests/support/PathChecks.h"

// A finding: says what broke and aborts, so that libFuzzer keeps the input.
[[noreturn]] inline void FuzzFail(const char* file, int line, const std::string& what)
{
    std::fprintf(stderr, "\n*** fuzz check failed at %s:%d: %s\n", file, line, what.c_str());
    std::abort();
}

#define FUZZ_CHECK(condition, what)                         \
    do {                                                    \
        if (!(condition))                                   \
            FuzzFail(__FILE__, __LINE__, std::string(what)); \
    } while (0)

struct FuzzRig {
    TPuzzle Puzzle;
};

// A fresh puzzle for every input, so that a finding replays alone, holding
// `problem` as the game loads one it has read. The one before is dropped.
inline FuzzRig& FreshRig(const Problem& problem)
{
    static std::unique_ptr<FuzzRig> rig;
    rig = std::make_unique<FuzzRig>();  // its history alone is 128 KiB: not on the stack
    rig->Puzzle.LoadProblem(problem);
    return *rig;
}

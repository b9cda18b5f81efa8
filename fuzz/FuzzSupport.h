// FuzzSupport.h: what the fuzz targets share: a fresh puzzle per input, path checks and a hard failure.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
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

// A fresh object for every input, so that a finding replays alone, made in
// the same memory as the one before: a game's move history alone is 128 KiB,
// and fresh pages for it on every input would cost more than the input.
template <typename T>
T& Fresh()
{
    alignas(T) static unsigned char storage[sizeof(T)];
    static T* object = nullptr;
    if (object)
        object->~T();
    object = new (storage) T();
    return *object;
}

// A fresh puzzle for every input, holding `problem` as the game loads one it
// has read.
inline FuzzRig& FreshRig(const Problem& problem)
{
    FuzzRig& rig = Fresh<FuzzRig>();
    rig.Puzzle.LoadProblem(problem);
    return rig;
}

// Collection.h: the graded collection, random-problem codes built into the game from small and easy to 255 points and hard.
#pragma once

#include <span>

#include "solver/Generator.h"

// One problem of the collection. Its points and level are those of its code.
struct CollectionEntry {
    int Number = 0;        // 1..N, its place in the list
    ProblemCode Code;      // a seed below ShortSeedLimit, so that its record name holds the whole code
    int FewestMoves = 0;   // what SolveShortest proves for GenerateProblem(Code)
};

// The collection in order of difficulty: by fewest moves, then by points,
// then easy before normal before hard. Every size from 5 to 255 points that
// it holds comes in all three levels.
std::span<const CollectionEntry> GradedCollection();

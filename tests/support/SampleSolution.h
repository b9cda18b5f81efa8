// SampleSolution.h: the demonstration's moves on the built-in sample, for the tests of every layer that runs it.
#pragma once

#include <string>
#include <vector>

// "V 25": a move as the tool prints it, the operation's letter and the pivot.
inline std::string MoveWord(int op, int pivot)
{
    const std::string letter = op >= 1 && op <= 4 ? std::string(1, " RLHV"[op]) : "?" + std::to_string(op);
    return letter + " " + std::to_string(pivot);
}

// The demonstration's 31 moves on the sample, in order; the last one solves it.
inline const std::vector<std::string> SampleSolution = {
    "V 25", "V 40", "V 57", "V 65", "V 13", "V 5",  "H 19", "H 33", "H 43", "H 52", "H 62",
    "H 68", "H 9",  "H 3",  "R 69", "L 67", "R 64", "L 60", "R 55", "L 49", "R 44", "L 43",
    "R 37", "L 29", "R 22", "L 16", "R 11", "L 7",  "R 4",  "L 2",  "R 1",
};

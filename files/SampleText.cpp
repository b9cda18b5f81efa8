// SampleText.cpp: the problem the game starts with, a 70-point spiral, as the lines of its file.
#include "files/ProblemText.h"

namespace {

// The sample's file text: the count line, then one line per point, five points
// to a row here. Its corners: (0,1), (2,1), (2,-2), (-2,-2), (-2,3), (4,3),
// (4,-4), (-4,-4), (-4,2), (-3,2), (-3,-3), (3,-3), (3,2), (-1,2), (-1,-1), (1,-1).
constexpr const char* SampleText[] = {
    "  70",
    "   0   0", "   0   1", "   1   1", "   2   1", "   2   0",
    "   2  -1", "   2  -2", "   1  -2", "   0  -2", "  -1  -2",
    "  -2  -2", "  -2  -1", "  -2   0", "  -2   1", "  -2   2",
    "  -2   3", "  -1   3", "   0   3", "   1   3", "   2   3",
    "   3   3", "   4   3", "   4   2", "   4   1", "   4   0",
    "   4  -1", "   4  -2", "   4  -3", "   4  -4", "   3  -4",
    "   2  -4", "   1  -4", "   0  -4", "  -1  -4", "  -2  -4",
    "  -3  -4", "  -4  -4", "  -4  -3", "  -4  -2", "  -4  -1",
    "  -4   0", "  -4   1", "  -4   2", "  -3   2", "  -3   1",
    "  -3   0", "  -3  -1", "  -3  -2", "  -3  -3", "  -2  -3",
    "  -1  -3", "   0  -3", "   1  -3", "   2  -3", "   3  -3",
    "   3  -2", "   3  -1", "   3   0", "   3   1", "   3   2",
    "   2   2", "   1   2", "   0   2", "  -1   2", "  -1   1",
    "  -1   0", "  -1  -1", "   0  -1", "   1  -1", "   1   0",
};

}  // namespace

const std::vector<std::string>& SampleProblemText()
{
    static const std::vector<std::string> lines(std::begin(SampleText), std::end(SampleText));
    return lines;
}

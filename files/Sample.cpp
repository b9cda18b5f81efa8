// Sample.cpp: the problem the game starts with, as the window's lines.
#include "files/ProblemFile.h"
#include "files/ProblemText.h"

QStringList BuiltInSampleLines()
{
    QStringList lines;
    for (const std::string& line : SampleProblemText())
        lines.append(QString::fromStdString(line));
    return lines;
}

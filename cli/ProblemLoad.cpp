// ProblemLoad.cpp: reading a problem file into the puzzle the way the window's open does.
#include "cli/ProblemLoad.h"

#include <variant>

#include "core/RunErrors.h"
#include "files/TextFile.h"

LoadStatus ReadProblemFile(Problem& problem, const std::string& fileArg, std::ostream& err)
{
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(QString::fromLocal8Bit(fileArg));
    } catch (const ERunError& e) {
        err << "vandrel-cli: " << e.what() << '\n';
        return LoadStatus::Unreadable;
    }

    const ProblemParse parsed = ParseProblemLines(SplitTextLines(bytes));
    if (const auto* fault = std::get_if<ProblemError>(&parsed)) {
        // Other tools match this line: the path exactly as the user typed it.
        err << fileArg << ':' << fault->Line << ": " << fault->Message.toStdString() << '\n';
        return LoadStatus::Invalid;
    }
    problem = std::get<ParsedProblem>(parsed);
    return LoadStatus::Loaded;
}

int CountCorners(const TPathStore& path)
{
    int corners = 0;
    for (int i = 1; i <= path.PointCount(); ++i) {
        if (path.Work(i).Kind == KindCorner)
            ++corners;
    }
    return corners;
}

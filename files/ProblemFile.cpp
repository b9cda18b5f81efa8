// ProblemFile.cpp: problem text as the window's lines, read and written by the one Qt-free parser and formatter.
#include "files/ProblemFile.h"

#include "files/ProblemText.h"

ProblemParse ParseProblemLines(const QStringList& lines)
{
    std::vector<std::string> text;
    text.reserve(std::size_t(lines.size()));
    for (const QString& line : lines)
        text.push_back(line.toStdString());
    const ProblemTextParse parse = ParseProblemText(text);
    if (const auto* error = std::get_if<ProblemTextError>(&parse))
        return ProblemError{error->Line, QString::fromStdString(error->Message)};
    return std::get<Problem>(parse);
}

QStringList FormatProblemLines(const PathArray& path, std::uint8_t count)
{
    QStringList lines;
    for (const std::string& line : FormatProblemText(path, count))
        lines.append(QString::fromStdString(line));
    return lines;
}

QStringList BuiltInSampleLines()
{
    QStringList lines;
    for (const std::string& line : SampleProblemText())
        lines.append(QString::fromStdString(line));
    return lines;
}

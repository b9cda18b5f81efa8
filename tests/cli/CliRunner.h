// CliRunner.h: runs the built vandrel-cli in a child process and writes its input files.
#pragma once

#include <initializer_list>
#include <utility>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct CliRun {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

// Runs vandrel-cli with `args` in `workingDir` (the test's own when empty), its output into `outputFile` if named.
CliRun RunCli(const QStringList& args, const QString& workingDir = {}, const QString& outputFile = {});

// Writes `bytes` to `name` inside `dir`; gives the file's full path.
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

// A problem file's text: the count line, then one "%4d%4d" line per point.
QByteArray ProblemText(std::initializer_list<std::pair<int, int>> points,
                       const QByteArray& eol = "\r\n");

// The built-in sample as the game saves it.
QByteArray SampleFileBytes();

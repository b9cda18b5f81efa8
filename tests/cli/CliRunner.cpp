// CliRunner.cpp: runs the built vandrel-cli in a child process and writes its input files.
#include "CliRunner.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "files/ProblemFile.h"
#include "files/TextFile.h"

CliRun RunCli(const QStringList& args, const QString& workingDir, const QString& outputFile)
{
    QProcess process;
    process.setProgram(QStringLiteral(VANDREL_CLI));
    process.setArguments(args);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.setStandardOutputFile(outputFile);  // an empty name leaves the output to the pipe
    process.start();
    CliRun run;
    if (!process.waitForStarted(-1) || !process.waitForFinished(-1)) {
        ADD_FAILURE() << "vandrel-cli did not run: " << process.errorString().toStdString();
        return run;
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "vandrel-cli crashed";
    run.ExitCode = process.exitCode();
    run.Out = process.readAllStandardOutput();
    run.Err = process.readAllStandardError();
    return run;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

QByteArray ProblemText(std::initializer_list<std::pair<int, int>> points, const QByteArray& eol)
{
    QByteArray text = QString::asprintf("%4d", static_cast<int>(points.size())).toLatin1() + eol;
    for (const auto& [x, y] : points)
        text += QString::asprintf("%4d%4d", x, y).toLatin1() + eol;
    return text;
}

QByteArray SampleFileBytes()
{
    return JoinTextLines(BuiltInSampleLines());
}

// Commands.h: the commands of vandrel-cli, each taking the words after its name.
#pragma once

#include <ostream>

#include "cli/CommandLine.h"

// Runs the command named by the first word; gives the process exit status.
int RunTool(const Words& args, std::ostream& out, std::ostream& err);

int RunCheck(const Words& args, std::ostream& out, std::ostream& err);
int RunDemo(const Words& args, std::ostream& out, std::ostream& err);
int RunApply(const Words& args, std::ostream& out, std::ostream& err);
int RunSample(const Words& args, std::ostream& out, std::ostream& err);
int RunSolve(const Words& args, std::ostream& out, std::ostream& err);
int RunGenerate(const Words& args, std::ostream& out, std::ostream& err);
int RunDaily(const Words& args, std::ostream& out, std::ostream& err);

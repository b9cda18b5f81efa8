// CommandLine.h: one command's words parsed the same way for every command of vandrel-cli.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using Words = std::vector<std::string>;

// An option that takes a value, such as "--max-steps N". `Problem` completes
// the message for a value that is missing or unusable: "--max-steps needs a
// number of steps".
struct ValueOption {
    std::string Name;
    std::string ValueName;
    std::string Problem;
};

struct CommandWords {
    Words Positional;
    std::map<std::string, std::string> Values;  // the options given, by name
    bool Help = false;
    bool Version = false;
};

// Parses the words after a command's name: its value options, "--help" or
// "-h", "--version" or "-v" and the positional words ("--" ends the
// options). Wrong usage is reported on `err` in the tool's way (UsageError)
// and gives nothing.
std::optional<CommandWords> ParseCommandWords(const Words& args, const std::vector<ValueOption>& options,
                                              const char* usage, std::ostream& err);

// "vandrel-cli 0.1": the answer to --version.
extern const char* const ToolVersion;

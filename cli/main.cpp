// main.cpp: vandrel-cli, the game's puzzle, demonstration and problem files without a window.
#include <cerrno>
#include <cstring>
#include <exception>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"

namespace {

// Output that did not all arrive (on a full disk, say) must not pass for a
// result: it is said on standard error, with the system's reason.
int ReportWriteFailure(int error)
{
    std::cerr << "vandrel-cli: cannot write to standard output";
    if (error != 0)
        std::cerr << ": " << std::strerror(error);
    std::cerr << '\n';
    return ExitUsage;
}

} // namespace

int main(int argc, char* argv[])
{
    const Words args(argv + 1, argv + argc);
    try {
        const int status = RunTool(args, std::cout, std::cerr);
        std::cout.flush();
        if (!std::cout)
            return ReportWriteFailure(errno);
        return status;
    } catch (const std::exception& e) {
        // The core's checked arithmetic and the like: the game would show a message box.
        std::cerr << "vandrel-cli: " << e.what() << '\n';
        return ExitUsage;
    }
}

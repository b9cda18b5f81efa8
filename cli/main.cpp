// main.cpp: vandrel-cli, the game's puzzle, demonstration and problem files without a window.
#include <exception>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"

int main(int argc, char* argv[])
{
    const Words args(argv + 1, argv + argc);
    try {
        const int status = RunTool(args, std::cout, std::cerr);
        std::cout.flush();
        return std::cout ? status : ExitUsage;
    } catch (const std::exception& e) {
        // The core's checked arithmetic and the like: the game would show a message box.
        std::cerr << "vandrel-cli: " << e.what() << '\n';
        return ExitUsage;
    }
}

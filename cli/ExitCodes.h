// ExitCodes.h: the exit statuses of vandrel-cli, part of what other tools read.
#pragma once

enum ExitCode : int {
    ExitOk = 0,       // checked fine, solved, or moves applied
    ExitFailed = 1,   // invalid problem content, or the demonstration did not solve
    ExitUsage = 2,    // wrong usage, a file that cannot be read, or output that cannot be written
};

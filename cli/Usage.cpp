// Usage.cpp: the usage texts of vandrel-cli and its commands.
#include "cli/Usage.h"

#include "cli/ExitCodes.h"

const char* const CheckUsage =
    "usage: vandrel-cli check FILE\n"
    "  Loads the problem file as the game opens it.\n"
    "  Prints 'ok N points C corners' (exit 0), or 'FILE:LINE: message' on\n"
    "  stderr for invalid content (exit 1). Unreadable file: exit 2.\n";

const char* const DemoUsage =
    "usage: vandrel-cli demo FILE [--max-steps N]\n"
    "  Runs the game's demonstration on the problem, one step at a time, until\n"
    "  a step leaves the path solved or N steps were made (default 100000).\n"
    "  Prints one line per step ('V 25' or 'V 25 refused'), then\n"
    "  'solved in M moves' (exit 0) or 'unsolved after M steps' (exit 1).\n";

const char* const ApplyUsage =
    "usage: vandrel-cli apply FILE MOVE...\n"
    "  Applies moves to the problem in order. MOVE is R, L, H or V followed by\n"
    "  a pivot (V25), C followed by a pivot (cancel), U (undo) or Y (redo).\n"
    "  Prints one result line per move ('V 25 ok', 'V 25 refused', 'V 0 ignored',\n"
    "  'U ok', 'U empty', 'Y ok', 'Y empty'), the path as a problem file, then\n"
    "  'moves M solved' or 'moves M unsolved'.\n";

const char* const SampleUsage =
    "usage: vandrel-cli sample\n"
    "  Writes the built-in sample problem as the game saves it.\n";

const char* const SolveUsage =
    "usage: vandrel-cli solve FILE [--time-limit SECONDS]\n"
    "  Searches the fewest moves that fold the problem straight along +x\n"
    "  (default limit 10 seconds). Prints the moves one per line ('V 25'),\n"
    "  then 'shortest in M moves', or 'found M moves, not proven shortest'\n"
    "  when the time ran out (exit 0 either way). Invalid content: exit 1;\n"
    "  unreadable file: exit 2.\n";

const char* const GenerateUsage =
    "usage: vandrel-cli generate --points N [--seed S] [--difficulty easy|normal|hard]\n"
    "       vandrel-cli generate --code CODE\n"
    "  Makes a random problem of N points (2 to 255) and writes it to standard\n"
    "  output as a problem file, and its code ('70-1234567-n') to standard\n"
    "  error. The same code always gives the same problem, and --code makes\n"
    "  the problem of a code again (with none of the other options). Without\n"
    "  --seed the seed comes from the system's entropy, below 10000000000 so\n"
    "  that a best time's record names the whole code; the difficulty is\n"
    "  normal unless given.\n";

const char* const DailyUsage =
    "usage: vandrel-cli daily [--date YYYY-MM-DD]\n"
    "  Prints the code of the day's problem, the same for every player on that\n"
    "  date (default: today, in local time); 'generate --code' makes it.\n"
    "  Monday 20 points easy, Tuesday 30 easy, Wednesday 45 normal, Thursday\n"
    "  60 normal, Friday 90 normal, Saturday 150 hard, Sunday 255 hard.\n";

const char* const ToolUsage =
    "usage: vandrel-cli COMMAND [ARGS]\n"
    "Commands:\n"
    "  check FILE                    validate a problem file\n"
    "  demo FILE [--max-steps N]     run the demonstration solver\n"
    "  apply FILE MOVE...            apply moves and print the resulting path\n"
    "  sample                        write the built-in sample problem\n"
    "  solve FILE [--time-limit S]   find the fewest moves\n"
    "  generate --points N [--seed S] [--difficulty LEVEL]\n"
    "        or --code CODE          make a random problem\n"
    "  daily [--date YYYY-MM-DD]     print the code of the day's problem\n"
    "'vandrel-cli COMMAND --help' (or -h) describes a command; '--version' (or -v)\n"
    "prints the version.\n";

int UsageError(std::ostream& err, std::string_view what, const char* usage)
{
    err << "vandrel-cli: " << what << '\n' << usage;
    return ExitUsage;
}

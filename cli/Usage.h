// Usage.h: the usage texts of vandrel-cli and its commands.
#pragma once

#include <ostream>
#include <string_view>

extern const char* const ToolUsage;
extern const char* const CheckUsage;
extern const char* const DemoUsage;
extern const char* const ApplyUsage;
extern const char* const SampleUsage;
extern const char* const SolveUsage;
extern const char* const GenerateUsage;
extern const char* const DailyUsage;

// Reports wrong usage on `err`: what was wrong, then the usage text. Gives ExitUsage.
int UsageError(std::ostream& err, std::string_view what, const char* usage);

// Daily.cpp: the problem of the day from the date's digits and its weekday.
#include "solver/Daily.h"

namespace {

// Indexed by the ISO weekday less one: Monday first.
constexpr struct {
    int Points;
    Difficulty Level;
} WeekdayProblems[] = {
    {20, Difficulty::Easy},    {30, Difficulty::Easy},  {45, Difficulty::Normal}, {60, Difficulty::Normal},
    {90, Difficulty::Normal},  {150, Difficulty::Hard}, {255, Difficulty::Hard},
};

} // namespace

std::optional<ProblemCode> DailyProblemCode(std::chrono::year_month_day date)
{
    if (!date.ok() || date.year() < DailyFirstYear || date.year() > DailyLastYear)
        return std::nullopt;
    const auto digits = static_cast<std::uint64_t>(int{date.year()}) * 10000 +
                        unsigned{date.month()} * 100 + unsigned{date.day()};
    const auto& problem = WeekdayProblems[std::chrono::weekday(std::chrono::sys_days(date)).iso_encoding() - 1];
    return ProblemCode{problem.Points, NewProblemSeed(digits), problem.Level};
}

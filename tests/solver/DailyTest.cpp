// DailyTest.cpp: the day's problem: fixed for a date, sized by weekday, unlike other days', none for days that do not exist.
#include <set>

#include <gtest/gtest.h>

#include "solver/Daily.h"

using namespace std::chrono;

TEST(Daily, ADateAlwaysGivesItsCodeAndTheWeekdayItsSize)
{
    EXPECT_EQ(FormatProblemCode(*DailyProblemCode(2026y / December / 8)), "30-8403615125-e");  // a Tuesday
    const ProblemCode week[] = {{20, 0, Difficulty::Easy},   {30, 0, Difficulty::Easy},  {45, 0, Difficulty::Normal},
                                {60, 0, Difficulty::Normal}, {90, 0, Difficulty::Normal}, {150, 0, Difficulty::Hard},
                                {255, 0, Difficulty::Hard}};  // from Monday 2026-12-07
    std::set<std::uint64_t> seeds;
    for (int i = 0; i < 3650; ++i) {
        const ProblemCode code = DailyProblemCode(sys_days(2026y / December / 7) + days(i)).value();
        EXPECT_EQ(code, (ProblemCode{week[i % 7].Points, code.Seed, week[i % 7].Level})) << i;
        EXPECT_TRUE(seeds.insert(code.Seed).second && code.Seed < ShortSeedLimit) << i;
    }
}

TEST(Daily, DaysThatDoNotExistOrLieOutsideTheYearsGiveNoCode)
{
    for (const year_month_day date : {2026y / 2 / 29, 2026y / 13 / 1, year(0) / 12 / 31, year(10000) / 1 / 1})
        EXPECT_FALSE(DailyProblemCode(date)) << int{date.year()} << "-" << unsigned{date.month()};
    for (const year_month_day date : {2024y / 2 / 29, year(1) / 1 / 1, year(9999) / 12 / 31})
        EXPECT_TRUE(DailyProblemCode(date)) << int{date.year()};
}

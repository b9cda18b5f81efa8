// Daily.h: the problem of the day, one code for every player and machine on a calendar date.
#pragma once

#include <chrono>
#include <optional>

#include "solver/Generator.h"

// The earliest and the latest day that has a problem: the dates whose year
// has four digits, so that YYYYMMDD is always eight.
inline constexpr std::chrono::year DailyFirstYear{1};
inline constexpr std::chrono::year DailyLastYear{9999};

// The code of the day's problem. The seed is NewProblemSeed of the date's
// digits YYYYMMDD read as a number (2026-12-08 is 20261208), below
// ShortSeedLimit. The size and difficulty follow the weekday, small and easy
// early in the week, larger and harder towards its end: Monday 20 points
// easy, Tuesday 30 easy, Wednesday 45 normal, Thursday 60 normal, Friday 90
// normal, Saturday 150 hard, Sunday 255 hard. Nothing for a date that does
// not exist or lies outside DailyFirstYear..DailyLastYear.
std::optional<ProblemCode> DailyProblemCode(std::chrono::year_month_day date);

// PlayClock.cpp: the play clock's arithmetic.
#include "game/PlayClock.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "core/RunErrors.h"

std::string ClockText(std::int32_t seconds)
{
    char text[48];
    std::snprintf(text, sizeof text, "%4d分%2d秒", seconds / 60, seconds % 60);
    return text;
}

void TPlayClock::Start(double now)
{
    carried_ = 0;
    elapsed_ = 0;
    Continue(now);
}

void TPlayClock::Continue(double now)
{
    running_ = true;
    startTime_ = now;
    nextTick_ = now + 1;
}

void TPlayClock::Pause()
{
    running_ = false;
    carried_ = elapsed_;
}

void TPlayClock::Clear()
{
    running_ = false;
    carried_ = 0;
    elapsed_ = 0;
}

void TPlayClock::Hold(std::int32_t seconds)
{
    running_ = false;
    carried_ = elapsed_ = seconds;
}

std::int32_t TPlayClock::Tick(double now)
{
    const double running = std::nearbyint(now - startTime_);
    // The next tick keeps to the whole seconds since the start, however late this one came.
    nextTick_ = startTime_ + std::floor(now - startTime_) + 1;
    // Beyond 2^31 either way the sum cannot fit; the test also keeps NaN out.
    // A clock past what it can count stops: every later tick would only say so again.
    const auto overflow = [this] {
        running_ = false;
        return EIntOverflow();
    };
    if (!(std::fabs(running) < 4294967296.0))
        throw overflow();
    const std::int64_t total = std::int64_t{carried_} + static_cast<std::int64_t>(running);
    if (!std::in_range<std::int32_t>(total))
        throw overflow();
    elapsed_ = static_cast<std::int32_t>(total);
    return elapsed_;
}

// PlayClock.h: the play clock: whole seconds since the start, carried over pauses, read on a clock that never jumps.
#pragma once

#include <cstdint>
#include <string>

// "%4d分%2d秒": the clock's text for a number of seconds.
std::string ClockText(std::int32_t seconds);

// Ticks once a second while it runs, counting from the start or the last
// continue; what it shows is the reading of the last tick.
class TPlayClock {
public:
    bool Running() const { return running_; }
    std::int32_t Elapsed() const { return elapsed_; }
    std::int32_t Carried() const { return carried_; }

    // Runs from 0.
    void Start(double now);
    // Runs on from the seconds carried over.
    void Continue(double now);
    // Stops; the seconds of the last tick are carried over, the fraction
    // since then is lost.
    void Pause();
    // Stops where it stands (the play is over).
    void Stop() { running_ = false; }
    // Stopped at 0 (the play is gone).
    void Clear();
    // Stopped at `seconds`, as a pause leaves it.
    void Hold(std::int32_t seconds);

    // The seconds carried over plus those since the last start or continue,
    // to the nearest (halves to even). Raises EIntOverflow when the sum
    // leaves 32 bits; the reading stays as it was.
    std::int32_t Tick(double now);
    // When the next tick is due: a whole second after the last start or continue.
    double NextTick() const { return nextTick_; }

private:
    bool running_ = false;
    double startTime_ = 0;
    double nextTick_ = 0;
    std::int32_t carried_ = 0;
    std::int32_t elapsed_ = 0;
};

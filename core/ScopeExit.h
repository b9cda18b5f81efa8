// ScopeExit.h: runs a step when the scope ends, also when an error ends it.
#pragma once

#include <utility>

// Steps that must happen however a handler ends: an error raised halfway
// (a records file that cannot be written, say) must not leave a button
// disabled or a move half taken back.
template <typename Step>
class ScopeExit {
public:
    explicit ScopeExit(Step step) : step_(std::move(step)) {}
    ~ScopeExit() { step_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Step step_;
};

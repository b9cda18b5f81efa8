// ProbeSupport.h: what the window probes share: clock readings in nanoseconds, the window filling the screen, where a control is.
#pragma once

#include <ctime>

#include <QApplication>
#include <QGuiApplication>
#include <QPoint>
#include <QScreen>
#include <QWidget>

inline long long ClockNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

inline long long MonotonicNs()
{
    return ClockNs(CLOCK_MONOTONIC);
}

// The time of day, to compare with what a script reads from `date +%s.%N`.
inline long long RealtimeNs()
{
    return ClockNs(CLOCK_REALTIME);
}

// An X server without a window manager leaves a maximised window at its
// first size: the window is given the whole screen instead.
inline void FillScreen(QWidget& window)
{
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    QApplication::processEvents();
}

// The screen position of the middle of a control.
inline QPoint ScreenCentre(const QWidget& control)
{
    return control.mapToGlobal(control.rect().center());
}

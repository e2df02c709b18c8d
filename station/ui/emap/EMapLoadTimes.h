// Where a scene load goes, in milliseconds, for whoever asks (a benchmark); nothing is timed when
// nobody asks.
#pragma once

#include <windows.h>

struct EMapLoadTimes {
    double picture = 0;  // the map picture read
    double windows = 0;  // the icon and link windows made, the icons' pictures read on first use
    double shapes = 0;   // the icons' shapes set
    double tooltips = 0; // the icons' tooltip tools added
    double finish = 0;   // the canvas's drawing given back and the blink timer started
    double Whole() const { return picture + windows + shapes + tooltips + finish; }
};

// Adds the time since the previous lap to a field of the times it was started with.
class EMapLoadClock {
public:
    void Start(EMapLoadTimes* times)
    {
        times_ = times;
        if (times_ != nullptr)
            ::QueryPerformanceCounter(&last_);
    }
    void Lap(double EMapLoadTimes::*field)
    {
        if (times_ == nullptr)
            return;
        LARGE_INTEGER now, frequency;
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        times_->*field += 1000.0 * static_cast<double>(now.QuadPart - last_.QuadPart) / frequency.QuadPart;
        last_ = now;
    }
    void Stop() { times_ = nullptr; }

private:
    EMapLoadTimes* times_ = nullptr;
    LARGE_INTEGER last_ = {};
};

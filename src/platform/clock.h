// Time as the core sees it: the millisecond tick, the local time and waits. The headless runner
// gives a virtual clock, so scripted runs never really sleep and stay reproducible.
#pragma once

#include <cstdint>

namespace pelkit {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint32_t tickMs() = 0;  // milliseconds since an arbitrary start, wrapping
    virtual LocalTime localTime() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
};

}  // namespace pelkit

// A clock that moves only when told: waits return at once and add their time.
#pragma once

#include <atomic>

#include "platform/clock.h"

namespace pelkit {

class VirtualClock final : public Clock {
  public:
    uint32_t tickMs() override { return now_.load(); }
    LocalTime localTime() override {
        uint32_t ms = now_.load();
        LocalTime t;
        t.year = 2000;
        t.month = 1;
        t.day = 1 + static_cast<int>(ms / 86400000u);
        t.hour = static_cast<int>(ms / 3600000u % 24);
        t.minute = static_cast<int>(ms / 60000u % 60);
        t.second = static_cast<int>(ms / 1000u % 60);
        t.millisecond = static_cast<int>(ms % 1000u);
        return t;
    }
    void sleepMs(uint32_t ms) override { now_ += ms; }
    void advance(uint32_t ms) { now_ += ms; }

  private:
    std::atomic<uint32_t> now_{0};
};

}  // namespace pelkit

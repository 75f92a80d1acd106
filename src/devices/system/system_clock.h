// The real clock of the window program: the steady millisecond tick, the local time, and
// waits that really sleep.
#pragma once

#include <chrono>
#include <ctime>
#include <thread>

#include "platform/clock.h"

namespace pelkit {

class SystemClock final : public Clock {
  public:
    uint32_t tickMs() override {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    LocalTime localTime() override {
        auto now = std::chrono::system_clock::now();
        std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        std::tm parts{};
        localtime_r(&seconds, &parts);
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
        LocalTime t;
        t.year = parts.tm_year + 1900;
        t.month = parts.tm_mon + 1;
        t.day = parts.tm_mday;
        t.hour = parts.tm_hour;
        t.minute = parts.tm_min;
        t.second = parts.tm_sec;
        t.millisecond = static_cast<int>(ms.count() % 1000);
        return t;
    }
    void sleepMs(uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};

}  // namespace pelkit

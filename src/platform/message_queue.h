// The main thread's queue of device messages. Device threads only post; the front end delivers
// the messages one at a time, in order, to the main window on the main thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "platform/sound_device.h"

namespace pelkit {

enum class MessageKind {
    OutOpen,        // output device opened
    OutDone,        // output block played (header)
    OutClose,       // output device closed
    InOpen,         // input device opened
    InData,         // input block filled or returned by a reset (header)
    InClose,        // input device closed
    RecordWritten,  // the record writer thread wrote a block (header)
    OutError,       // the output device stopped working (the sound server went away)
    InError,        // the input device stopped working
    TakeFinished,   // the files of a take were finished on a thread of their own
    Custom,         // a front end's own wake-up (value)
};

struct Message {
    MessageKind kind = MessageKind::Custom;
    WaveHeader* header = nullptr;
    int value = 0;
};

class MessageQueue {
  public:
    // Called after every post, on the posting thread; a front end uses it to wake its loop.
    void setNotifier(std::function<void()> notify) {
        std::lock_guard lock(mutex_);
        notify_ = std::move(notify);
    }

    void post(const Message& m) {
        std::function<void()> notify;
        {
            std::lock_guard lock(mutex_);
            items_.push_back(m);
            notify = notify_;
        }
        ready_.notify_all();
        if (notify) notify();
    }

    std::optional<Message> tryPop() {
        std::lock_guard lock(mutex_);
        if (items_.empty()) return std::nullopt;
        Message m = items_.front();
        items_.pop_front();
        return m;
    }

    template <class Rep, class Period>
    std::optional<Message> waitPop(std::chrono::duration<Rep, Period> timeout) {
        std::unique_lock lock(mutex_);
        if (!ready_.wait_for(lock, timeout, [&] { return !items_.empty(); })) return std::nullopt;
        Message m = items_.front();
        items_.pop_front();
        return m;
    }

    bool empty() const {
        std::lock_guard lock(mutex_);
        return items_.empty();
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Message> items_;
    std::function<void()> notify_;
};

}  // namespace pelkit

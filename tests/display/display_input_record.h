// Everything a display delivered to the program's input callbacks, in order, with the
// thread it came on; for tests of the displays that turn a desktop's or a browser's
// events into stylus, key and character input.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "display/display.h"

namespace platform::display {

class DisplayInputRecord {
  public:
    DisplayInput Callbacks() {
        return DisplayInput{
            .stylus =
                [this](StylusAction action, int x, int y) {
                    static constexpr const char* kNames[] = {"down ", "move ", "up "};
                    Add(kNames[static_cast<int>(action)] + std::to_string(x) + "," +
                        std::to_string(y));
                },
            .key = [this](
                       UINT key,
                       bool down) { Add("key " + std::to_string(key) + (down ? " down" : " up")); },
            .character = [this](char16_t c) { Add("char " + std::to_string(c)); },
            .quit_requested = [this] { Add("quit"); },
        };
    }

    // The record once it holds `count` entries (or after `timeout`, whatever it holds).
    std::vector<std::string> WaitFor(std::size_t count,
                                     std::chrono::milliseconds timeout = std::chrono::seconds(1)) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [&] { return entries_.size() >= count; });
        return entries_;
    }

    std::thread::id DeliveringThread() {
        std::lock_guard lock(mutex_);
        return thread_;
    }

  private:
    void Add(std::string entry) {
        {
            std::lock_guard lock(mutex_);
            entries_.push_back(std::move(entry));
            thread_ = std::this_thread::get_id();
        }
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> entries_;
    std::thread::id thread_;
};

}  // namespace platform::display

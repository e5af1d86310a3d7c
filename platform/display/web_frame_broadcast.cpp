#include "display/web_frame_broadcast.h"

#include <algorithm>

namespace platform::display {

namespace {

// Past this many unsent changes a slow browser is better served by one whole frame.
constexpr std::size_t kMaxPendingEvents = 30;

}  // namespace

std::shared_ptr<FrameBroadcast::Subscriber> FrameBroadcast::Subscribe() {
    auto subscriber = std::make_shared<Subscriber>();
    std::lock_guard lock(mutex_);
    subscribers_.push_back(subscriber);
    return subscriber;
}

bool FrameBroadcast::HasSubscribers() {
    std::lock_guard lock(mutex_);
    std::erase_if(subscribers_, [](const auto& weak) { return weak.expired(); });
    return !subscribers_.empty();
}

void FrameBroadcast::Publish(std::vector<std::uint32_t> frame, const std::string& event) {
    {
        std::lock_guard lock(mutex_);
        current_ = std::move(frame);
        std::erase_if(subscribers_, [](const auto& weak) { return weak.expired(); });
        for (const auto& weak : subscribers_) {
            const auto subscriber = weak.lock();
            if (!subscriber || subscriber->needsFullFrame) {
                continue;
            }
            if (event.empty() || subscriber->pending.size() >= kMaxPendingEvents) {
                subscriber->pending.clear();
                subscriber->needsFullFrame = true;
            } else {
                subscriber->pending.push_back(event);
            }
        }
    }
    changed_.notify_all();
}

FrameBroadcast::Next FrameBroadcast::Take(Subscriber& subscriber,
                                          std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    const bool ready = changed_.wait_for(lock, timeout, [&] {
        return closed_ || (subscriber.needsFullFrame && !current_.empty()) ||
               !subscriber.pending.empty();
    });
    if (closed_) {
        return Closed{};
    }
    if (!ready) {
        return Timeout{};
    }
    if (subscriber.needsFullFrame) {
        subscriber.needsFullFrame = false;
        subscriber.pending.clear();
        return FullFrame{current_};
    }
    std::string event = std::move(subscriber.pending.front());
    subscriber.pending.pop_front();
    return event;
}

void FrameBroadcast::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

}  // namespace platform::display

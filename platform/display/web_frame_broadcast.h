// Hands the display's frames to every watching browser. The display's thread publishes
// each composed frame with the event for its changed area; each browser's stream takes
// the events in order from its own queue on a server thread. A browser that joins, or
// falls too far behind, first gets the whole current frame, taken under the same lock
// as the publishing so that no change is lost or applied twice.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

namespace platform::display {

class FrameBroadcast {
  public:
    struct Subscriber;

    // The whole frame, for a browser that must start afresh.
    struct FullFrame {
        std::vector<std::uint32_t> pixels;
    };
    struct Timeout {};
    struct Closed {};
    using Next = std::variant<std::string, FullFrame, Timeout, Closed>;

    // A browser stays subscribed while it holds the pointer.
    std::shared_ptr<Subscriber> Subscribe();
    // Whether anyone watches, so the display can skip encoding when nobody does.
    bool HasSubscribers();
    // `frame` becomes the current frame; `event` (may be empty when nobody watches)
    // goes to every subscriber.
    void Publish(std::vector<std::uint32_t> frame, const std::string& event);
    // What a subscriber shows next, waiting up to `timeout` for it.
    Next Take(Subscriber& subscriber, std::chrono::milliseconds timeout);
    // Ends every stream; Take then answers Closed.
    void Close();

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::uint32_t> current_;
    std::vector<std::weak_ptr<Subscriber>> subscribers_;
    bool closed_ = false;
};

struct FrameBroadcast::Subscriber {
    std::deque<std::string> pending;
    bool needsFullFrame = true;
};

}  // namespace platform::display

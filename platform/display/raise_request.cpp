#include "display/raise_request.h"

#include <atomic>

namespace platform::display {

namespace {

std::atomic<bool> raiseRequested{false};

}  // namespace

void RequestRaise() {
    raiseRequested.store(true, std::memory_order_relaxed);
}

bool TakeRaiseRequest() {
    return raiseRequested.exchange(false, std::memory_order_relaxed);
}

}  // namespace platform::display

// Asking another process's window manager: one connection per request, a time limit on
// the whole exchange, and a process that has ended forgotten on the way.
#pragma once

#include <chrono>
#include <optional>

#include "user/remote/process_directory.h"
#include "user/remote/window_request.h"

namespace platform::user {

enum class PeerAnswer {
    Answered,
    Gone,      // nobody listens there any more
    NoAnswer,  // it did not answer in time, or answered nonsense
};

struct PeerReply {
    PeerAnswer answer = PeerAnswer::NoAnswer;
    WindowReply reply;
};

PeerReply AskPeer(const PeerProcess& peer, const WindowRequest& request,
                  std::chrono::milliseconds timeout);

}  // namespace platform::user

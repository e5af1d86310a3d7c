// What an IcmpCreateFile handle refers to: the backend's echo channel. Echoes on one
// handle go out one at a time, as a channel has one socket to wait on.
#pragma once

#include <memory>
#include <mutex>

#include "kernel/objects/kernel_object.h"
#include "net/icmp_echo_channel.h"

namespace platform::net {

class EchoHandle final : public kernel::KernelObject {
  public:
    explicit EchoHandle(std::unique_ptr<EchoChannel> channel) : channel_(std::move(channel)) {}

    Query<EchoReply> Echo(const EchoRequest& request) {
        std::lock_guard lock(mutex_);
        return channel_->Echo(request);
    }

  private:
    std::mutex mutex_;
    std::unique_ptr<EchoChannel> channel_;
};

}  // namespace platform::net

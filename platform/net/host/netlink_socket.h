// A route-netlink socket that asks the kernel one question at a time and hands
// back each reply message. It never blocks for long: replies that do not come
// within the receive time-out end the question with ETIMEDOUT.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "net/host/netlink_messages.h"

struct mnl_socket;

namespace platform::net::host {

using MessageVisitor = std::function<void(NetlinkMessage)>;

class NetlinkSocket {
  public:
    NetlinkSocket();
    ~NetlinkSocket();
    NetlinkSocket(const NetlinkSocket&) = delete;
    NetlinkSocket& operator=(const NetlinkSocket&) = delete;

    bool IsOpen() const { return socket_ != nullptr; }

    // Every object of one kind (RTM_GETLINK, RTM_GETADDR, RTM_GETROUTE,
    // RTM_GETNEIGH) in an address family. Returns 0 or an errno value; EINTR
    // means the table changed during the dump and what was seen is inconsistent.
    int Dump(std::uint16_t requestType, std::uint8_t family, const MessageVisitor& visit);

    // The one link with this index; ENODEV when there is none.
    int GetLink(std::uint32_t index, const MessageVisitor& visit);

  private:
    int Exchange(std::vector<char>& request, const MessageVisitor& visit);

    mnl_socket* socket_ = nullptr;
    unsigned portId_ = 0;
    unsigned sequence_ = 0;
    // A dump arrives in parts of up to 32 KiB; a larger buffer never truncates one.
    std::vector<char> receiveBuffer_ = std::vector<char>(64 * 1024);
};

// Runs a dump and keeps what `parse` makes of each message, starting over (a few
// times) when the kernel says the table changed under it. `expectedRecords` (what
// the last dump found, say) spares a large table its reallocations.
template <typename Record, typename Parse>
int DumpRecords(NetlinkSocket& socket, std::uint16_t requestType, std::uint8_t family, Parse parse,
                std::vector<Record>& records, std::size_t expectedRecords = 0) {
    records.reserve(expectedRecords);
    int error = EINTR;
    for (int attempt = 0; attempt < 3 && error == EINTR; ++attempt) {
        records.clear();
        error = socket.Dump(requestType, family, [&](NetlinkMessage message) {
            if (auto record = parse(message)) {
                records.push_back(std::move(*record));
            }
        });
    }
    return error;
}

}  // namespace platform::net::host

#include "net/host/icmp_socket.h"

#include <linux/icmp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform::net::host {
namespace {

constexpr int kIcmpProtocol = 1;

int SetInt(int descriptor, int level, int option, int value) {
    return setsockopt(descriptor, level, option, &value, sizeof value) == 0 ? 0 : errno;
}

// Everything but what can answer an echo: replies and the reports that quote one.
// Without it a raw socket wakes for every ICMP message the host sees.
void FilterRawTypes(int descriptor) {
    icmp_filter filter{};
    filter.data =
        ~((1U << ICMP_ECHOREPLY) | (1U << ICMP_DEST_UNREACH) | (1U << ICMP_SOURCE_QUENCH) |
          (1U << ICMP_TIME_EXCEEDED) | (1U << ICMP_PARAMETERPROB));
    // Only an optimisation: the channel checks every message it reads anyway.
    setsockopt(descriptor, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
}

}  // namespace

std::optional<IcmpSocket> IcmpSocket::Open() {
    // Once the ping group range has refused this thread, its later sockets (the
    // program opens one per echo) go straight to the raw kind: a refused socket() costs
    // as much as the echo itself. The memory is the thread's, as the network namespace
    // and so the group range are; a new thread (the next ping run) asks again, and so
    // does this one should a raw socket fail.
    thread_local bool datagramRefused = false;
    if (datagramRefused) {
        if (auto raw = OpenRaw()) {
            return raw;
        }
    }
    const int descriptor = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, kIcmpProtocol);
    if (descriptor >= 0) {
        datagramRefused = false;
        // Without it, reports from routers about an unconnected socket's requests are
        // dropped; with it they wait on the error queue.
        SetInt(descriptor, IPPROTO_IP, IP_RECVERR, 1);
        SetInt(descriptor, IPPROTO_IP, IP_RECVTTL, 1);
        return IcmpSocket(descriptor, Kind::Datagram);
    }
    // The ping group range leaves us out (EACCES), or the kernel has no ping sockets.
    if (errno != EACCES && errno != EPERM && errno != EPROTONOSUPPORT && errno != EAFNOSUPPORT) {
        return std::nullopt;
    }
    datagramRefused = true;
    return OpenRaw();
}

std::optional<IcmpSocket> IcmpSocket::OpenRaw() {
    const int descriptor = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, kIcmpProtocol);
    if (descriptor < 0) {
        return std::nullopt;
    }
    FilterRawTypes(descriptor);
    return IcmpSocket(descriptor, Kind::Raw);
}

IcmpSocket::~IcmpSocket() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

IcmpSocket::IcmpSocket(IcmpSocket&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      kind_(other.kind_),
      ttl_(other.ttl_),
      tos_(other.tos_),
      mtuDiscovery_(other.mtuDiscovery_) {}

IcmpSocket& IcmpSocket::operator=(IcmpSocket&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            close(descriptor_);
        }
        descriptor_ = std::exchange(other.descriptor_, -1);
        kind_ = other.kind_;
        ttl_ = other.ttl_;
        tos_ = other.tos_;
        mtuDiscovery_ = other.mtuDiscovery_;
    }
    return *this;
}

int IcmpSocket::SetTimeToLive(std::optional<std::uint8_t> ttl) {
    return SetOption(IP_TTL, ttl ? *ttl : -1, ttl_);
}

int IcmpSocket::SetTypeOfService(std::uint8_t tos) {
    return SetOption(IP_TOS, tos, tos_);
}

int IcmpSocket::SetDontFragment(bool dontFragment) {
    // The kernel's default fragments a request larger than the path allows, as
    // Windows does for a request that did not ask for the flag.
    return SetOption(IP_MTU_DISCOVER, dontFragment ? IP_PMTUDISC_DO : IP_PMTUDISC_WANT,
                     mtuDiscovery_);
}

int IcmpSocket::SetOption(int option, int wanted, int& current) {
    if (wanted == current) {
        return 0;
    }
    const int error = SetInt(descriptor_, IPPROTO_IP, option, wanted);
    if (error == 0) {
        current = wanted;
    }
    return error;
}

}  // namespace platform::net::host

#include "net/host/icmp_host_echo_channel.h"

#include <linux/errqueue.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include "net/host/icmp_packet.h"
#include "net/host/icmp_permission_notice.h"

// Last: the Win32 headers define names the C library's headers use for their own.
#include <windows.h>

#include <icmpapi.h>

namespace platform::net::host {
namespace {

// Beyond the echoed data: the largest IPv4 header and the ICMP header of a reply, or
// a router's report, which quotes at most 576 bytes of the request.
constexpr std::size_t kReceiveHeadroom = 1024;

// Raw sockets see every process's ICMP, so each channel takes its own identifier;
// datagram sockets get theirs from the kernel and ignore this one.
std::uint16_t NextIdentifier() {
    static std::atomic<std::uint16_t> next = static_cast<std::uint16_t>(getpid() * 131);
    return next.fetch_add(1);
}

std::uint32_t StatusOfSendError(int error) {
    switch (error) {
        case ENETUNREACH:
            return IP_DEST_NET_UNREACHABLE;
        case EHOSTUNREACH:
            return IP_DEST_HOST_UNREACHABLE;
        case EMSGSIZE:
            return IP_PACKET_TOO_BIG;
        case ENOBUFS:
        case ENOMEM:
            return IP_NO_RESOURCES;
        case EACCES:  // a broadcast address, or a firewall rule
        case EPERM:
            return ERROR_ACCESS_DENIED;
        default:
            return IP_GENERAL_FAILURE;
    }
}

std::uint32_t ToMilliseconds(std::chrono::steady_clock::duration elapsed) {
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

}  // namespace

HostEchoChannel::HostEchoChannel(IcmpSocket socket)
    : socket_(std::move(socket)), identifier_(NextIdentifier()) {}

Query<EchoReply> HostEchoChannel::Echo(const EchoRequest& request) {
    if (const std::uint32_t error = ApplyOptions(request); error != 0) {
        return Query<EchoReply>::Failure(error);
    }
    ++sequence_;
    receiveBuffer_.resize(request.data.size() + kReceiveHeadroom);
    const auto packet = EchoRequestPacket(identifier_, sequence_, request.data);
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_addr.s_addr = request.destination;

    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + request.timeout;
    if (sendto(socket_.descriptor(), packet.data(), packet.size(), 0,
               reinterpret_cast<const sockaddr*>(&destination), sizeof destination) < 0) {
        return Query<EchoReply>::Failure(StatusOfSendError(errno));
    }

    // On loopback the answer is usually queued before sendto returns: look before
    // paying for a poll.
    std::optional<Arrival> arrival = ReadAnswer();
    while (!arrival) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd waiting{.fd = socket_.descriptor(), .events = POLLIN, .revents = 0};
        // A time-out of days would overflow poll's int; waking early only loops.
        const auto wait = std::clamp<std::int64_t>(left.count(), 0, INT_MAX);
        const int ready = poll(&waiting, 1, static_cast<int>(wait));
        if (ready < 0 && errno != EINTR) {
            return Query<EchoReply>::Failure(IP_GENERAL_FAILURE);
        }
        if (ready > 0 && (waiting.revents & POLLERR) != 0) {
            arrival = ReadErrorQueue();
        } else if (ready > 0) {
            arrival = ReadAnswer();
        }
        if (!arrival && Clock::now() >= deadline) {
            return Query<EchoReply>::Failure(IP_REQ_TIMED_OUT);
        }
    }

    EchoReply reply;
    reply.from = arrival->from;
    reply.status = StatusOfIcmp(arrival->type, arrival->code);
    reply.roundTripMs = ToMilliseconds(Clock::now() - start);
    reply.ttl = arrival->ttl;
    // A router's report refers to the request; it carries the request's data.
    if (reply.status == IP_SUCCESS) {
        reply.data = std::move(arrival->echoedData);
    } else {
        reply.data.assign(request.data.begin(), request.data.end());
    }
    return reply;
}

std::uint32_t HostEchoChannel::ApplyOptions(const EchoRequest& request) {
    if (socket_.SetTimeToLive(request.ttl) != 0 || socket_.SetTypeOfService(request.tos) != 0 ||
        socket_.SetDontFragment(request.dontFragment) != 0) {
        return IP_BAD_OPTION;
    }
    return 0;
}

std::optional<HostEchoChannel::Arrival> HostEchoChannel::ReadAnswer() {
    sockaddr_in sender{};
    std::array<char, CMSG_SPACE(sizeof(int))> control{};
    iovec part{.iov_base = receiveBuffer_.data(), .iov_len = receiveBuffer_.size()};
    msghdr message{};
    message.msg_name = &sender;
    message.msg_namelen = sizeof sender;
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control.data();
    message.msg_controllen = control.size();
    const ssize_t size = recvmsg(socket_.descriptor(), &message, MSG_DONTWAIT);
    if (size <= 0) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> bytes(receiveBuffer_.data(),
                                              static_cast<std::size_t>(size));
    auto answer = socket_.kind() == IcmpSocket::Kind::Raw
                      ? ParseRawPacket(bytes, identifier_, sequence_)
                      : ParseDatagramReply(bytes, sequence_);
    if (!answer) {
        return std::nullopt;
    }
    Arrival arrival{.from = sender.sin_addr.s_addr,
                    .type = answer->type,
                    .code = answer->code,
                    .ttl = answer->ttl,
                    .echoedData = std::move(answer->echoedData)};
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
         header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level == IPPROTO_IP && header->cmsg_type == IP_TTL) {
            int ttl = 0;
            std::memcpy(&ttl, CMSG_DATA(header), sizeof ttl);
            arrival.ttl = static_cast<std::uint8_t>(ttl);
        }
    }
    return arrival;
}

std::optional<HostEchoChannel::Arrival> HostEchoChannel::ReadErrorQueue() {
    // The request the report is about; a router quotes at least its first 8 bytes.
    std::array<std::uint8_t, 64> quoted{};
    std::array<char, CMSG_SPACE(sizeof(sock_extended_err) + sizeof(sockaddr_in)) + 64> control{};
    iovec part{.iov_base = quoted.data(), .iov_len = quoted.size()};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control.data();
    message.msg_controllen = control.size();
    const ssize_t size = recvmsg(socket_.descriptor(), &message, MSG_ERRQUEUE | MSG_DONTWAIT);
    if (size < 0) {
        return std::nullopt;
    }
    const auto sequence = QuotedSequence({quoted.data(), static_cast<std::size_t>(size)});
    if (sequence != sequence_) {
        return std::nullopt;
    }
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
         header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level != IPPROTO_IP || header->cmsg_type != IP_RECVERR) {
            continue;
        }
        sock_extended_err error{};
        std::memcpy(&error, CMSG_DATA(header), sizeof error);
        if (error.ee_origin != SO_EE_ORIGIN_ICMP) {
            continue;
        }
        sockaddr_in offender{};
        std::memcpy(&offender, CMSG_DATA(header) + sizeof error, sizeof offender);
        Arrival arrival;
        arrival.from = offender.sin_addr.s_addr;
        arrival.type = error.ee_type;
        arrival.code = error.ee_code;
        return arrival;
    }
    return std::nullopt;
}

Query<std::unique_ptr<EchoChannel>> OpenHostEchoChannel() {
    auto socket = IcmpSocket::Open();
    if (!socket) {
        const int error = errno;
        if (error == EACCES || error == EPERM) {
            SayOnceHowToAllowIcmp();
            return Query<std::unique_ptr<EchoChannel>>::Failure(ERROR_ACCESS_DENIED);
        }
        return Query<std::unique_ptr<EchoChannel>>::Failure(
            error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM
                ? ERROR_NOT_ENOUGH_MEMORY
                : ERROR_NOT_SUPPORTED);
    }
    return std::unique_ptr<EchoChannel>(std::make_unique<HostEchoChannel>(std::move(*socket)));
}

}  // namespace platform::net::host

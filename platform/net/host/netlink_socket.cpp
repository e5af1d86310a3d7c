#include "net/host/netlink_socket.h"

#include <libmnl/libmnl.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <ctime>

namespace platform::net::host {
namespace {

// How long one reply may take before the question is given up.
constexpr timeval kReceiveTimeout{2, 0};

// Each request carries the family header its kind of object expects.
std::size_t FamilyHeaderSize(std::uint16_t requestType) {
    switch (requestType) {
        case RTM_GETLINK:
            return sizeof(ifinfomsg);
        case RTM_GETADDR:
            return sizeof(ifaddrmsg);
        case RTM_GETROUTE:
            return sizeof(rtmsg);
        default:
            return sizeof(ndmsg);
    }
}

int ForwardMessage(const nlmsghdr* header, void* data) {
    const auto& visit = *static_cast<const MessageVisitor*>(data);
    visit(NetlinkMessage(reinterpret_cast<const std::byte*>(header), header->nlmsg_len));
    return MNL_CB_OK;
}

}  // namespace

NetlinkSocket::NetlinkSocket() {
    socket_ = mnl_socket_open(NETLINK_ROUTE);
    if (socket_ == nullptr) {
        return;
    }
    setsockopt(mnl_socket_get_fd(socket_), SOL_SOCKET, SO_RCVTIMEO, &kReceiveTimeout,
               sizeof kReceiveTimeout);
    if (mnl_socket_bind(socket_, 0, MNL_SOCKET_AUTOPID) < 0) {
        mnl_socket_close(socket_);
        socket_ = nullptr;
        return;
    }
    portId_ = mnl_socket_get_portid(socket_);
    sequence_ = static_cast<unsigned>(std::time(nullptr));
}

NetlinkSocket::~NetlinkSocket() {
    if (socket_ != nullptr) {
        mnl_socket_close(socket_);
    }
}

int NetlinkSocket::Dump(std::uint16_t requestType, std::uint8_t family,
                        const MessageVisitor& visit) {
    std::vector<char> request(MNL_NLMSG_HDRLEN + MNL_ALIGN(FamilyHeaderSize(requestType)));
    nlmsghdr* header = mnl_nlmsg_put_header(request.data());
    header->nlmsg_type = requestType;
    header->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    // Every family header starts with its family byte.
    auto* familyHeader = static_cast<std::uint8_t*>(
        mnl_nlmsg_put_extra_header(header, FamilyHeaderSize(requestType)));
    familyHeader[0] = family;
    return Exchange(request, visit);
}

int NetlinkSocket::GetLink(std::uint32_t index, const MessageVisitor& visit) {
    std::vector<char> request(MNL_NLMSG_HDRLEN + MNL_ALIGN(sizeof(ifinfomsg)));
    nlmsghdr* header = mnl_nlmsg_put_header(request.data());
    header->nlmsg_type = RTM_GETLINK;
    // The acknowledgement after the one reply tells us the answer is complete.
    header->nlmsg_flags = NLM_F_REQUEST | NLM_F_ACK;
    auto* info = static_cast<ifinfomsg*>(mnl_nlmsg_put_extra_header(header, sizeof(ifinfomsg)));
    info->ifi_index = static_cast<int>(index);
    return Exchange(request, visit);
}

int NetlinkSocket::Exchange(std::vector<char>& request, const MessageVisitor& visit) {
    if (socket_ == nullptr) {
        return ENOTCONN;
    }
    auto* header = reinterpret_cast<nlmsghdr*>(request.data());
    header->nlmsg_seq = ++sequence_;
    if (mnl_socket_sendto(socket_, header, header->nlmsg_len) < 0) {
        return errno;
    }
    for (;;) {
        const ssize_t received =
            mnl_socket_recvfrom(socket_, receiveBuffer_.data(), receiveBuffer_.size());
        if (received < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno == EAGAIN ? ETIMEDOUT : errno;
        }
        const int outcome =
            mnl_cb_run(receiveBuffer_.data(), static_cast<std::size_t>(received), header->nlmsg_seq,
                       portId_, ForwardMessage, const_cast<MessageVisitor*>(&visit));
        if (outcome == MNL_CB_STOP) {
            return 0;
        }
        if (outcome == MNL_CB_ERROR) {
            return errno != 0 ? errno : EPROTO;
        }
    }
}

}  // namespace platform::net::host

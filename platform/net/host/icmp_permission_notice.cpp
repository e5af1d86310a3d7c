#include "net/host/icmp_permission_notice.h"

#include <unistd.h>

#include <cstdio>
#include <mutex>

namespace platform::net::host {

void SayOnceHowToAllowIcmp() {
    static std::once_flag said;
    std::call_once(said, [] {
        std::fprintf(stderr,
                     "tessalink: cannot send ICMP echoes: this user may open neither an ICMP "
                     "datagram socket nor a raw one. Any of these allows it: put group %u in "
                     "net.ipv4.ping_group_range (sysctl -w net.ipv4.ping_group_range=\"%u %u\"), "
                     "give the program cap_net_raw (setcap cap_net_raw+ep), or run it as root.\n",
                     static_cast<unsigned>(getgid()), static_cast<unsigned>(getgid()),
                     static_cast<unsigned>(getgid()));
    });
}

}  // namespace platform::net::host

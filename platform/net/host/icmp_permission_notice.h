// Tells the user, once per process, what would let the device send ICMP echoes.
#pragma once

namespace platform::net::host {

void SayOnceHowToAllowIcmp();

}  // namespace platform::net::host

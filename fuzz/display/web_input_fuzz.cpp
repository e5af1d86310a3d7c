// What a browser posts to the web display, and the address it listens on. Decoded
// stylus points lie on the screen; a refused batch says why; a listen address has a
// port a socket can bind.
#include <variant>

#include "display/web_input_decoder.h"
#include "display/web_listen_address.h"
#include "fuzz_target.h"

TESSALINK_FUZZ_TARGET(web_input) {
    using namespace platform::display;
    const std::string_view text = tessalink::fuzz::Text(input);
    const DecodedWebInput decoded = DecodeWebInput(text, 240, 320);
    for (const WebInput& event : decoded.inputs) {
        if (const auto* stylus = std::get_if<StylusInput>(&event)) {
            FUZZ_CHECK(stylus->x >= 0 && stylus->x < 240 && stylus->y >= 0 && stylus->y < 320);
        }
    }
    std::string error;
    if (const auto address = ParseListenAddress(text, error)) {
        FUZZ_CHECK(address->port >= 0 && address->port <= 65535 && !address->host.empty());
    } else {
        FUZZ_CHECK(!error.empty());
    }
}

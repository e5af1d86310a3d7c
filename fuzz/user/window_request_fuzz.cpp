// What another process sends to ask after this one's windows, and what it answers. A
// request that decodes encodes back to the same request.
#include "fuzz_target.h"
#include "user/remote/window_request.h"

TESSALINK_FUZZ_TARGET(window_request) {
    using namespace platform::user;
    const auto bytes = std::as_bytes(input);
    if (const auto request = DecodeRequest(bytes)) {
        FUZZ_CHECK(!request->className || request->className->size() <= kMaxRequestNameUnits);
        FUZZ_CHECK(!request->title || request->title->size() <= kMaxRequestNameUnits);
        const auto again = DecodeRequest(EncodeRequest(*request).value());
        FUZZ_CHECK(again && again->className == request->className &&
                   again->title == request->title && again->window == request->window);
    }
    if (const auto reply = DecodeReply(bytes)) {
        const auto again = DecodeReply(EncodeReply(*reply));
        FUZZ_CHECK(again && again->ok == reply->ok && again->window == reply->window);
    }
}

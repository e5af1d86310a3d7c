// What the browser display asks of its HTTP server. The server (web_server.h) lives in a
// module of its own that the display loads when it starts (web_server_module.h), so that
// the HTTP library and the TLS and compression libraries it is built with are loaded only
// by a run that serves a browser.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "display/web_frame_broadcast.h"
#include "display/web_input_decoder.h"
#include "display/web_listen_address.h"

namespace platform::display {

class WebService {
  public:
    using InputHandler = std::function<void(std::vector<WebInput> inputs)>;

    virtual ~WebService() = default;
    // Binds and starts serving; false, with the reason in `error`, when it cannot bind.
    virtual bool Start(std::string& error) = 0;
    // Ends every stream and waits for the server's threads; calling it again does nothing.
    virtual void Stop() = 0;
    // What to open in a browser, token included.
    virtual std::string Url() const = 0;
};

// What the module makes a server from. Beyond loopback the server makes its own token.
struct WebServiceOptions {
    ListenAddress address;
    FrameBroadcast* frames = nullptr;  // outlives the server
    int screenWidth = 0;
    int screenHeight = 0;
    WebService::InputHandler input;
    std::ostream* log = nullptr;  // one line per event worth telling
};

// The module's one entry point, by this name; the caller owns the server it returns.
using CreateWebServiceFunction = WebService* (*)(const WebServiceOptions& options);
inline constexpr const char* kCreateWebServiceSymbol = "TessalinkCreateWebService";

}  // namespace platform::display

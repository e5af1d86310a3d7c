// The web server module's entry point, the only symbol it exports.
#include "display/web_server.h"

extern "C" __attribute__((visibility("default"))) platform::display::WebService*
TessalinkCreateWebService(const platform::display::WebServiceOptions& options) {
    using platform::display::MakeAccessToken;
    return new platform::display::WebServer(
        options.address, options.address.IsLoopback() ? std::string() : MakeAccessToken(),
        *options.frames, options.screenWidth, options.screenHeight, options.input, *options.log);
}

// Loads the browser display's HTTP server from its module: beside the running program
// first (the build tree's tessalink, or an installed one), then where the build tree made
// it (tests and benchmarks run from elsewhere in the tree).
#pragma once

#include <memory>
#include <string>

#include "display/web_service.h"

namespace platform::display {

// A new server, or null with the reason in `error` (the module missing or unusable).
// The module, once loaded, stays for the process's life: servers it made may outlive
// any one display.
std::unique_ptr<WebService> CreateWebService(const WebServiceOptions& options, std::string& error);

}  // namespace platform::display

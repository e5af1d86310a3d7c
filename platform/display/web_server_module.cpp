#include "display/web_server_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace platform::display {
namespace {

struct LoadedModule {
    CreateWebServiceFunction create = nullptr;
    std::string error;
};

std::vector<std::filesystem::path> ModuleCandidates() {
    std::vector<std::filesystem::path> candidates;
    std::error_code failure;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", failure);
    if (!failure) {
        candidates.push_back(program.parent_path() / TESSALINK_WEB_SERVER_MODULE_NAME);
    }
    const std::filesystem::path built = TESSALINK_WEB_SERVER_MODULE_BUILT;
    if (candidates.empty() || candidates.front() != built) {
        candidates.push_back(built);
    }
    return candidates;
}

LoadedModule LoadModule() {
    LoadedModule loaded;
    std::string tried;
    for (const auto& candidate : ModuleCandidates()) {
        void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            tried += std::string(tried.empty() ? "" : "; ") + dlerror();
            continue;
        }
        loaded.create =
            reinterpret_cast<CreateWebServiceFunction>(dlsym(handle, kCreateWebServiceSymbol));
        if (!loaded.create) {
            loaded.error = "the web server module " + candidate.string() + " has no " +
                           kCreateWebServiceSymbol;
            dlclose(handle);
        }
        return loaded;
    }
    loaded.error = "cannot load the web server module (" + tried + ")";
    return loaded;
}

}  // namespace

std::unique_ptr<WebService> CreateWebService(const WebServiceOptions& options, std::string& error) {
    // Looked for once, by whichever display starts first.
    static const LoadedModule module = LoadModule();
    if (!module.create) {
        error = module.error;
        return nullptr;
    }
    return std::unique_ptr<WebService>(module.create(options));
}

}  // namespace platform::display

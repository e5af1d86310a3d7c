#include "kernel/runtime_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform::kernel {

namespace {

bool IsPrivateDirectory(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == geteuid() && (status.st_mode & 077) == 0;
}

}  // namespace

std::optional<std::string> UserRuntimeDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string directory =
        runtime != nullptr && runtime[0] == '/' && IsPrivateDirectory(runtime)
            ? std::string(runtime) + "/tessalink"
            : "/tmp/tessalink-" + std::to_string(geteuid());
    if (mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) {
        return std::nullopt;
    }
    if (!IsPrivateDirectory(directory)) {
        return std::nullopt;
    }
    return directory;
}

}  // namespace platform::kernel

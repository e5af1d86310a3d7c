#include "net/host/small_file.h"

#include <sys/stat.h>

#include <fstream>
#include <system_error>

namespace platform::net::host {
namespace {

// Every file read here is a few kilobytes; anything far larger is not what we
// expect and is refused rather than read whole.
constexpr std::size_t kLargestFile = 1 << 20;

}  // namespace

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path) {
    // A directory opens as a stream that reads nothing; it is not a file to us.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string content;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        content.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (content.size() > kLargestFile) {
            return std::nullopt;
        }
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return content;
}

std::optional<std::int64_t> ModificationTime(const std::filesystem::path& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(status.st_mtim.tv_sec);
}

}  // namespace platform::net::host

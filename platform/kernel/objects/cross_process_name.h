// A kernel object name that the other processes of the same user see. Each process
// that has the name open holds a shared lock on a file named after it; the name
// "exists" while anyone holds that lock. The kernel drops a process's locks when it
// ends however it ends, so a crashed holder never leaves the name taken. The last
// holder to close removes the file, so names do not pile up.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform::kernel {

class CrossProcessName {
  public:
    struct Claim {
        std::unique_ptr<CrossProcessName> name;  // null when claiming failed.
        bool heldElsewhere = false;              // another process had the name open.
        std::uint32_t error = 0;                 // a Win32 error code when claiming failed.
    };

    static Claim Open(std::u16string_view name);

    ~CrossProcessName();
    CrossProcessName(const CrossProcessName&) = delete;
    CrossProcessName& operator=(const CrossProcessName&) = delete;

  private:
    CrossProcessName(std::string path, int descriptor)
        : path_(std::move(path)), descriptor_(descriptor) {}

    std::string path_;
    int descriptor_ = -1;
};

}  // namespace platform::kernel

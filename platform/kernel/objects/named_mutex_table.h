// The process's named mutexes. A second CreateMutexW of a name in this process gets
// the same mutex; the first one claims the name for the other processes too.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "kernel/objects/mutex_object.h"

namespace platform::kernel {

class NamedMutexTable {
  public:
    static NamedMutexTable& Instance();

    struct Opened {
        std::shared_ptr<MutexObject> mutex;  // null when the name could not be claimed.
        bool alreadyExisted = false;         // here or in another process.
        std::uint32_t error = 0;
    };
    // initialOwner takes ownership only of a mutex this call creates, as on Windows.
    Opened Open(std::u16string_view name, bool initialOwner);

  private:
    std::mutex mutex_;
    // Weak: the mutex, and its claim on the name, ends with its last handle.
    std::unordered_map<std::u16string, std::weak_ptr<MutexObject>> byName_;
};

}  // namespace platform::kernel

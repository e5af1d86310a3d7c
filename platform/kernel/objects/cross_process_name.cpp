#include "kernel/objects/cross_process_name.h"

#include "kernel/runtime_directory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include <winerror.h>

namespace platform::kernel {

namespace {

// Byte 0 is a gate, held only while a process decides whether the name is new, so
// that two processes opening the name at once cannot both find it new. Byte 1 holds
// every holder's shared lock: whoever can write-lock it is alone.
constexpr off_t kGateByte = 0;
constexpr off_t kPresenceByte = 1;

// Open-file-description locks belong to our descriptor, not to the process: closing
// some other descriptor of the same file elsewhere in the process cannot drop them,
// as it would drop classic POSIX record locks.
bool LockByte(int descriptor, short type, off_t byte, bool wait) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    int result = 0;
    do {
        result = fcntl(descriptor, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// Object names are case-sensitive UTF-16 and may hold any character but the
// terminator. Letters, digits, '-' and '_' stand as they are; every other unit
// becomes '%' and four hex digits, which keeps distinct names distinct. A name too
// long for a file name keeps a readable head and adds a hash of the whole.
std::string FileNameFor(std::u16string_view name) {
    std::string escaped;
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a over the code units.
    for (const char16_t unit : name) {
        hash = (hash ^ unit) * 1099511628211ULL;
        const bool plain = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
                           (unit >= u'0' && unit <= u'9') || unit == u'-' || unit == u'_';
        if (plain) {
            escaped.push_back(static_cast<char>(unit));
        } else {
            char code[6];
            std::snprintf(code, sizeof code, "%%%04X", static_cast<unsigned>(unit));
            escaped += code;
        }
    }
    constexpr std::size_t kReadableHead = 160;
    if (escaped.size() > kReadableHead + 40) {
        char suffix[18];
        std::snprintf(suffix, sizeof suffix, "~%016llX", static_cast<unsigned long long>(hash));
        escaped = escaped.substr(0, kReadableHead) + suffix;
    }
    return "object-" + escaped;
}

// Whether the descriptor's file is still the one at path: the last holder of a name
// removes its file, and a process that opened the file just before that must start
// again with a new one rather than lock a file no one else can find.
bool StillLinked(int descriptor, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(descriptor, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

CrossProcessName::Claim CrossProcessName::Open(std::u16string_view name) {
    const auto directory = UserRuntimeDirectory();
    if (!directory) {
        return {nullptr, false, ERROR_ACCESS_DENIED};
    }
    const std::string path = *directory + "/" + FileNameFor(name);
    for (;;) {
        const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (descriptor < 0) {
            return {nullptr, false, ERROR_ACCESS_DENIED};
        }
        // Owning the descriptor from here on closes it, and drops its locks, on every
        // early return.
        std::unique_ptr<CrossProcessName> claimed(new CrossProcessName(path, descriptor));
        if (!LockByte(descriptor, F_WRLCK, kGateByte, true)) {
            return {nullptr, false, ERROR_GEN_FAILURE};
        }
        if (!StillLinked(descriptor, path)) {
            claimed->path_.clear();  // not ours to remove.
            continue;
        }
        const bool alone = LockByte(descriptor, F_WRLCK, kPresenceByte, false);
        if (!alone && errno != EAGAIN && errno != EACCES) {
            return {nullptr, false, ERROR_GEN_FAILURE};
        }
        // Alone, this turns our write lock into a shared one at once; otherwise the
        // others hold only shared locks (write locks are taken only behind the gate,
        // which we hold), so it cannot block.
        if (!LockByte(descriptor, F_RDLCK, kPresenceByte, true)) {
            return {nullptr, false, ERROR_GEN_FAILURE};
        }
        LockByte(descriptor, F_UNLCK, kGateByte, false);
        return {std::move(claimed), !alone, 0};
    }
}

// Behind the gate, a holder that can turn its shared lock into a write lock is the
// last one, and removes the file before closing it.
CrossProcessName::~CrossProcessName() {
    if (!path_.empty() && LockByte(descriptor_, F_WRLCK, kGateByte, true)) {
        if (LockByte(descriptor_, F_WRLCK, kPresenceByte, false)) {
            unlink(path_.c_str());
        }
    }
    close(descriptor_);
}

}  // namespace platform::kernel

#include "gdi/mapped_font_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::gdi {

std::shared_ptr<const MappedFontFile> MappedFontFile::Open(const std::string& path) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status {};
    void* address = MAP_FAILED;
    std::size_t size = 0;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        size = static_cast<std::size_t>(status.st_size);
        address = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    }
    // The mapping keeps the file; the descriptor is not needed past this.
    close(descriptor);
    if (address == MAP_FAILED) {
        return nullptr;
    }
    return std::shared_ptr<const MappedFontFile>(new MappedFontFile(address, size));
}

MappedFontFile::~MappedFontFile() {
    munmap(address_, size_);
}

}  // namespace platform::gdi

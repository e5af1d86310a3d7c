// A font file mapped read-only into memory for FreeType. Only the pages FreeType reads
// (the tables, and the glyphs drawn) are ever brought in, where reading the whole file
// faulted in and copied every page of it before the first glyph. The font files are the
// system's, which the package manager replaces by new files rather than rewriting, so a
// mapping is not cut short under the reader.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace platform::gdi {

class MappedFontFile {
  public:
    // Null when the file cannot be opened or mapped, or is empty.
    static std::shared_ptr<const MappedFontFile> Open(const std::string& path);
    ~MappedFontFile();
    MappedFontFile(const MappedFontFile&) = delete;
    MappedFontFile& operator=(const MappedFontFile&) = delete;

    const unsigned char* data() const { return static_cast<const unsigned char*>(address_); }
    std::size_t size() const { return size_; }

  private:
    MappedFontFile(void* address, std::size_t size) : address_(address), size_(size) {}

    void* address_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace platform::gdi

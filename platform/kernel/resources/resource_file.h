// The resources of a module, read from the 32-bit resource file (.res) that the
// resource compiler writes: a sequence of DWORD-aligned entries, each a header
// (sizes, type, name, language, flags) followed by the resource's bytes. The parsed
// entries point into the bytes they were read from, which must outlive them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "kernel/resources/resource_id.h"

namespace platform::kernel {

struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = 0;
    std::uint16_t memoryFlags = 0;
    std::uint32_t dataVersion = 0;
    std::uint32_t version = 0;
    std::uint32_t characteristics = 0;
    std::span<const std::uint8_t> data;
};

class ResourceFile {
  public:
    // An empty file: a module without resources.
    ResourceFile() = default;

    // Reads a whole .res image. Malformed or truncated input gives nullopt and says
    // what is wrong, and where, in error; nothing is read past the end of bytes.
    static std::optional<ResourceFile> Parse(std::span<const std::uint8_t> bytes,
                                             std::string& error);

    const std::vector<ResourceEntry>& Entries() const { return entries_; }

    // The index of the entry with this type and name. Of several languages the first
    // neutral or English (United Kingdom) one wins, else the first in the file.
    std::optional<std::size_t> Find(const ResourceId& type, const ResourceId& name) const;
    bool HasType(const ResourceId& type) const;

  private:
    std::vector<ResourceEntry> entries_;
};

}  // namespace platform::kernel

// The tree of a VERSIONINFO resource, as VerQueryValueW walks it. Every node is
// wLength, wValueLength, wType, a null-terminated key, DWORD padding, the value
// (wValueLength characters when wType is 1, else bytes), padding, then its children.
// Offsets are counted from the root, which must sit on a DWORD boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "kernel/resources/byte_reader.h"

namespace platform::kernel {

struct VersionQueryResult {
    enum class Status { Found, NotFound, Malformed };
    Status status = Status::NotFound;
    std::size_t valueOffset = 0;    // from the root
    std::uint32_t valueLength = 0;  // as VerQueryValueW reports it: wValueLength
};

class VersionInfoBlock {
  public:
    // bytes holds the root node; reads stop at its end even where the root's own
    // wLength claims more.
    explicit VersionInfoBlock(std::span<const std::uint8_t> bytes) : reader_(bytes) {}

    // path is "\" for the root's value (VS_FIXEDFILEINFO), or keys separated by
    // backslashes ("\StringFileInfo\080904b0\FileVersion"); keys ignore letter case.
    VersionQueryResult Query(std::u16string_view path) const;

  private:
    struct Node {
        std::size_t end = 0;
        std::u16string key;
        std::size_t valueOffset = 0;
        std::uint16_t valueLength = 0;
        std::size_t childrenOffset = 0;
    };
    std::optional<Node> ReadNode(std::size_t offset, std::size_t limit) const;

    ByteReader reader_;
};

}  // namespace platform::kernel

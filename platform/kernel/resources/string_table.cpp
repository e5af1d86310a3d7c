#include "kernel/resources/string_table.h"

#include "kernel/resources/byte_reader.h"

namespace platform::kernel {

std::optional<std::u16string_view> FindString(const ResourceFile& resources, std::uint16_t id) {
    constexpr std::uint16_t kStringType = 6;
    constexpr std::uint16_t kStringsPerBlock = 16;
    const auto index = resources.Find(
        ResourceId(kStringType), ResourceId(static_cast<std::uint16_t>(id / kStringsPerBlock + 1)));
    if (!index) {
        return std::nullopt;
    }
    const auto block = resources.Entries()[*index].data;
    const ByteReader reader(block);
    std::size_t offset = 0;
    for (std::uint16_t position = 0; position < id % kStringsPerBlock; ++position) {
        const auto length = reader.Word(offset);
        if (!length) {
            return std::nullopt;
        }
        offset += 2 + *length * std::size_t{2};
    }
    const auto length = reader.Word(offset);
    if (!length || *length == 0 || !reader.Has(offset + 2, *length * std::size_t{2})) {
        return std::nullopt;
    }
    // Resource bytes are laid down by the resource compiler as UTF-16 text, WORD
    // aligned; Windows hands out the same pointer from LoadStringW.
    return std::u16string_view(reinterpret_cast<const char16_t*>(block.data() + offset + 2),
                               *length);
}

}  // namespace platform::kernel

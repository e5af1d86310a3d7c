#include "kernel/resources/resource_file.h"

#include <algorithm>

#include "kernel/resources/byte_reader.h"

namespace platform::kernel {
namespace {

// DataSize, HeaderSize, the shortest type and name (ordinals), then DataVersion,
// MemoryFlags, LanguageId, Version and Characteristics.
constexpr std::size_t kMinimumHeaderSize = 8 + 4 + 4 + 16;
constexpr std::uint16_t kOrdinalMarker = 0xFFFF;
constexpr std::uint16_t kLanguageEnglishUk = 0x0809;

// Reads a type or name field at offset, which must end before limit; advances offset.
std::optional<ResourceId> ReadId(const ByteReader& reader, std::size_t& offset, std::size_t limit) {
    const auto first = reader.Word(offset);
    if (!first || offset + 2 > limit) {
        return std::nullopt;
    }
    if (*first == kOrdinalMarker) {
        const auto ordinal = reader.Word(offset + 2);
        if (!ordinal || offset + 4 > limit) {
            return std::nullopt;
        }
        offset += 4;
        return ResourceId(*ordinal);
    }
    auto name = reader.TerminatedString(offset, limit);
    if (!name) {
        return std::nullopt;
    }
    offset += (name->size() + 1) * 2;
    return ResourceId(std::move(*name));
}

bool IsPreferredLanguage(std::uint16_t language) {
    const bool neutral = (language & 0x3FF) == 0;
    return neutral || language == kLanguageEnglishUk;
}

std::string Describe(const char* problem, std::size_t offset) {
    return std::string(problem) + " at offset " + std::to_string(offset);
}

}  // namespace

std::optional<ResourceFile> ResourceFile::Parse(std::span<const std::uint8_t> bytes,
                                                std::string& error) {
    const ByteReader reader(bytes);
    ResourceFile file;
    bool first = true;
    for (std::size_t offset = 0; offset < reader.Size();) {
        const auto dataSize = reader.Dword(offset);
        const auto headerSize = reader.Dword(offset + 4);
        if (!dataSize || !headerSize) {
            error = Describe("truncated resource header", offset);
            return std::nullopt;
        }
        if (*headerSize < kMinimumHeaderSize || !reader.Has(offset, *headerSize)) {
            error = Describe("resource header size out of range", offset);
            return std::nullopt;
        }
        const std::size_t headerEnd = offset + *headerSize;
        std::size_t field = offset + 8;
        auto type = ReadId(reader, field, headerEnd);
        auto name = type ? ReadId(reader, field, headerEnd) : std::nullopt;
        field = AlignToDword(field);
        if (!name || field + 16 > headerEnd) {
            error = Describe("resource type or name overruns its header", offset);
            return std::nullopt;
        }
        if (!reader.Has(headerEnd, *dataSize)) {
            error = Describe("resource data runs past the end", offset);
            return std::nullopt;
        }
        ResourceEntry entry{
            .type = std::move(*type),
            .name = std::move(*name),
            .language = *reader.Word(field + 6),
            .memoryFlags = *reader.Word(field + 4),
            .dataVersion = *reader.Dword(field),
            .version = *reader.Dword(field + 8),
            .characteristics = *reader.Dword(field + 12),
            .data = reader.Bytes(headerEnd, *dataSize),
        };
        // A 32-bit resource file opens with an empty entry of type 0 and name 0; it
        // is what tells it from the 16-bit format, whose layout differs.
        if (first) {
            const ResourceId zero(std::uint16_t{0});
            if (!(entry.type == zero && entry.name == zero && entry.data.empty())) {
                error = "not a 32-bit resource file (no leading empty entry)";
                return std::nullopt;
            }
            first = false;
        } else {
            file.entries_.push_back(std::move(entry));
        }
        offset = AlignToDword(headerEnd + *dataSize);
    }
    if (first) {
        error = "empty resource file";
        return std::nullopt;
    }
    return file;
}

std::optional<std::size_t> ResourceFile::Find(const ResourceId& type,
                                              const ResourceId& name) const {
    std::optional<std::size_t> firstMatch;
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        const ResourceEntry& entry = entries_[index];
        if (!(entry.type == type && entry.name == name)) {
            continue;
        }
        if (IsPreferredLanguage(entry.language)) {
            return index;
        }
        if (!firstMatch) {
            firstMatch = index;
        }
    }
    return firstMatch;
}

bool ResourceFile::HasType(const ResourceId& type) const {
    return std::ranges::any_of(entries_,
                               [&](const ResourceEntry& entry) { return entry.type == type; });
}

}  // namespace platform::kernel

#include "kernel/time/tzif_file.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <string>

#include "kernel/time/posix_tz_rule.h"

namespace platform::kernel {

namespace {

// Real zone files are a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxFileSize = 1 << 20;
constexpr std::size_t kHeaderSize = 44;
constexpr std::size_t kTimeTypeSize = 6;

struct Counts {
    std::uint32_t isUtc = 0;
    std::uint32_t isStd = 0;
    std::uint32_t leap = 0;
    std::uint32_t time = 0;
    std::uint32_t type = 0;
    std::uint32_t chars = 0;
};

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::optional<Counts> ReadHeader(std::string_view bytes, std::size_t at) {
    if (bytes.size() < at + kHeaderSize || bytes.substr(at, 4) != "TZif") {
        return std::nullopt;
    }
    const std::size_t counts = at + 20;
    return Counts{BigEndian32(bytes, counts),      BigEndian32(bytes, counts + 4),
                  BigEndian32(bytes, counts + 8),  BigEndian32(bytes, counts + 12),
                  BigEndian32(bytes, counts + 16), BigEndian32(bytes, counts + 20)};
}

std::uint64_t DataSize(const Counts& counts, std::uint64_t timeSize) {
    return std::uint64_t{counts.time} * (timeSize + 1) +
           std::uint64_t{counts.type} * kTimeTypeSize + counts.chars +
           std::uint64_t{counts.leap} * (timeSize + 4) + counts.isStd + counts.isUtc;
}

// The zone from the last transition on, when the file states no rule for it.
ZoneLookup LastTimeType(std::string_view data, const Counts& counts, std::size_t timeSize) {
    if (counts.type == 0) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    const std::size_t indices = counts.time * timeSize;
    const std::size_t types = indices + counts.time;
    const std::size_t chars = types + counts.type * kTimeTypeSize;
    const std::size_t typeIndex =
        counts.time == 0 ? 0 : static_cast<unsigned char>(data[indices + counts.time - 1]);
    if (typeIndex >= counts.type) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    const std::size_t type = types + typeIndex * kTimeTypeSize;
    const auto utcOffset = static_cast<std::int32_t>(BigEndian32(data, type));
    const std::size_t nameIndex = static_cast<unsigned char>(data[type + 5]);
    if (nameIndex >= counts.chars) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    const std::string_view names = data.substr(chars, counts.chars);
    const std::string_view name = names.substr(nameIndex, names.find('\0', nameIndex) - nameIndex);
    if (name.size() > kMaxZoneNameLength || nameIndex + name.size() == names.size()) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    return ZoneLookup::Found(
        PosixTzRule::Fixed({std::string(name), std::chrono::seconds{utcOffset}}));
}

}  // namespace

ZoneLookup TzifFile::Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return ZoneLookup::Failed(ERROR_FILE_NOT_FOUND);
    }
    std::string bytes;
    std::array<char, 4096> chunk{};
    while (file.read(chunk.data(), chunk.size()) || file.gcount() > 0) {
        bytes.append(chunk.data(), static_cast<std::size_t>(file.gcount()));
        if (bytes.size() > kMaxFileSize) {
            return ZoneLookup::Failed(ERROR_INVALID_DATA);
        }
    }
    return Parse(bytes);
}

ZoneLookup TzifFile::Parse(std::string_view bytes) {
    const auto first = ReadHeader(bytes, 0);
    if (!first) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    const std::uint64_t firstEnd = kHeaderSize + DataSize(*first, 4);
    if (bytes.size() < firstEnd) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    const char version = bytes[4];
    if (version == '\0') {
        return LastTimeType(bytes.substr(kHeaderSize), *first, 4);
    }

    const auto second = ReadHeader(bytes, firstEnd);
    const std::uint64_t dataStart = firstEnd + kHeaderSize;
    if (!second || bytes.size() < dataStart + DataSize(*second, 8)) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    const std::string_view data = bytes.substr(dataStart);
    const std::string_view footer = data.substr(DataSize(*second, 8));
    const std::size_t footerEnd = footer.find('\n', 1);
    if (footer.empty() || footer[0] != '\n' || footerEnd == std::string_view::npos) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    const std::string_view ruleText = footer.substr(1, footerEnd - 1);
    if (ruleText.empty()) {
        return LastTimeType(data, *second, 8);
    }
    auto rule = PosixTzRule::Parse(ruleText);
    if (!rule) {
        return ZoneLookup::Failed(ERROR_INVALID_DATA);
    }
    return ZoneLookup::Found(std::move(*rule));
}

}  // namespace platform::kernel

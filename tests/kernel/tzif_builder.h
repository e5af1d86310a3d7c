// Writes small TZif files, so the zone tests need no installed tzdata.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TzifTimeType {
    std::int32_t utcOffset = 0;
    bool isDaylight = false;
    std::string name;
};

struct TzifContent {
    char version = '2';  // '\0' for a version 1 file, which has no footer
    std::vector<std::int64_t> transitions;
    std::vector<std::uint8_t> typeIndices;  // one per transition
    std::vector<TzifTimeType> types;
    std::string footer;  // the POSIX rule, without the newlines around it
};

std::string BuildTzif(const TzifContent& content);

// The .res reader, fed this binary's own embedded resources, hand-made files and
// damaged copies of both.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kernel/resources/resource_file.h"

extern "C" {
extern const std::uint8_t tessalink_module_resources[];
extern const std::uint8_t tessalink_module_resources_end[];
}

namespace {

using platform::kernel::ResourceFile;
using platform::kernel::ResourceId;

using Bytes = std::vector<std::uint8_t>;

void AppendWord(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendDword(Bytes& bytes, std::uint32_t value) {
    AppendWord(bytes, static_cast<std::uint16_t>(value));
    AppendWord(bytes, static_cast<std::uint16_t>(value >> 16));
}

void AppendId(Bytes& bytes, const std::u16string& name, std::uint16_t ordinal) {
    if (name.empty()) {
        AppendWord(bytes, 0xFFFF);
        AppendWord(bytes, ordinal);
        return;
    }
    for (const char16_t unit : name) {
        AppendWord(bytes, unit);
    }
    AppendWord(bytes, 0);
}

// One entry as the resource compiler lays it out; an empty name means the ordinal.
void AppendEntry(Bytes& bytes, std::uint16_t type, const std::u16string& name,
                 std::uint16_t ordinal, std::uint16_t language, const Bytes& data) {
    Bytes ids;
    AppendId(ids, {}, type);
    AppendId(ids, name, ordinal);
    while (ids.size() % 4 != 0) {
        ids.push_back(0);
    }
    AppendDword(bytes, static_cast<std::uint32_t>(data.size()));
    AppendDword(bytes, static_cast<std::uint32_t>(8 + ids.size() + 16));
    bytes.insert(bytes.end(), ids.begin(), ids.end());
    AppendDword(bytes, 0);        // DataVersion
    AppendWord(bytes, 0x1030);    // MemoryFlags
    AppendWord(bytes, language);  // LanguageId
    AppendDword(bytes, 0);        // Version
    AppendDword(bytes, 0);        // Characteristics
    bytes.insert(bytes.end(), data.begin(), data.end());
    while (bytes.size() % 4 != 0) {
        bytes.push_back(0);
    }
}

Bytes SmallFile() {
    Bytes bytes;
    AppendEntry(bytes, 0, {}, 0, 0, {});
    AppendEntry(bytes, 10, u"PAYLOAD", 0, 0x0809, {'a', 'b', 'c'});
    AppendEntry(bytes, 6, {}, 1, 0x0809, {1, 0, 'x', 0});
    return bytes;
}

std::optional<ResourceFile> Parse(const Bytes& bytes, std::string& error) {
    return ResourceFile::Parse(std::span(bytes), error);
}

TEST(ResourceFileTest, ReadsEntriesWithNamesLanguagesAndData) {
    const Bytes bytes = SmallFile();
    std::string error;
    const auto file = Parse(bytes, error);
    ASSERT_TRUE(file.has_value()) << error;
    ASSERT_EQ(file->Entries().size(), 2u);
    const auto& payload = file->Entries()[0];
    EXPECT_EQ(payload.type, ResourceId(std::uint16_t{10}));
    EXPECT_EQ(payload.name, ResourceId(u"payload"));
    EXPECT_EQ(payload.language, 0x0809);
    EXPECT_EQ(payload.memoryFlags, 0x1030);
    EXPECT_EQ(std::string(payload.data.begin(), payload.data.end()), "abc");
    EXPECT_EQ(file->Find(ResourceId(std::uint16_t{6}), ResourceId(std::uint16_t{1})), 1u);
    EXPECT_FALSE(file->Find(ResourceId(std::uint16_t{6}), ResourceId(std::uint16_t{2})));
}

// Every prefix of a real file either fails or, cut between entries (with or without
// the last one's padding), keeps exactly the whole entries before the cut. Each
// prefix sits in a buffer of its own exact size, so the address sanitizer sees any
// read past the end.
TEST(ResourceFileTest, EveryTruncationOfTheEmbeddedFileFailsOrKeepsWholeEntries) {
    const Bytes whole(tessalink_module_resources, tessalink_module_resources_end);
    std::string error;
    const auto complete = Parse(whole, error);
    ASSERT_TRUE(complete.has_value()) << error;
    ASSERT_GT(complete->Entries().size(), 10u);
    const auto endOfEntry = [&](std::size_t count) -> std::size_t {
        if (count == 0) {
            return 32;  // the leading empty entry
        }
        const auto& data = complete->Entries()[count - 1].data;
        return static_cast<std::size_t>(data.data() - whole.data()) + data.size();
    };

    for (std::size_t size = 0; size < whole.size(); ++size) {
        const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        error.clear();
        const auto file = Parse(prefix, error);
        if (!file) {
            EXPECT_FALSE(error.empty()) << size;
            continue;
        }
        const std::size_t kept = file->Entries().size();
        ASSERT_LT(kept, complete->Entries().size()) << size;
        EXPECT_GE(size, endOfEntry(kept)) << size;
        EXPECT_LE(size, (endOfEntry(kept) + 3) / 4 * 4) << size;
    }
}

TEST(ResourceFileTest, DamagedHeadersAreRefusedWithAReason) {
    const auto refuses = [](const Bytes& bytes) {
        std::string error;
        const bool refused = !Parse(bytes, error).has_value();
        return refused && !error.empty();
    };
    const Bytes good = SmallFile();
    const std::size_t second = 32;  // the payload entry, after the leading empty one

    EXPECT_TRUE(refuses({}));
    EXPECT_TRUE(refuses({0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x01, 0x02}));

    // A 16-bit file, or anything else, lacks the leading empty entry.
    Bytes noMarker(good.begin() + second, good.end());
    EXPECT_TRUE(refuses(noMarker));

    // One byte of the payload's sizes changed: the header size below its minimum or past
    // the end, the data size past the end.
    const std::pair<std::size_t, std::uint8_t> changes[] = {
        {second + 4, 8}, {second + 6, 1}, {second + 3, 0x80}};
    for (const auto& [at, value] : changes) {
        Bytes damaged = good;
        damaged[at] = value;
        EXPECT_TRUE(refuses(damaged)) << at;
    }

    // The name "PAYLOAD" with its terminator overwritten runs into the next fields
    // and past the header's end.
    Bytes unterminatedName = good;
    for (std::size_t at = second + 12; at < second + 48; at += 2) {
        unterminatedName[at] = 'Z';
        unterminatedName[at + 1] = 0;
    }
    EXPECT_TRUE(refuses(unterminatedName));
}

}  // namespace

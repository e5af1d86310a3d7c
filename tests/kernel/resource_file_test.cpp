// The .res reader, fed this binary's own embedded resources and damaged copies of them.
// What it reads from whole files is checked through FindResourceW and LoadStringW.
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
using ResourceBytes = std::vector<std::uint8_t>;

const ResourceBytes kEmbedded(tessalink_module_resources, tessalink_module_resources_end);
// The leading empty entry's header takes the first 32 bytes.
constexpr std::size_t kFirstEntry = 32;

std::optional<ResourceFile> ParseResources(const ResourceBytes& bytes, std::string& error) {
    return ResourceFile::Parse(std::span(bytes), error);
}

ResourceFile ParseEmbedded() {
    std::string error;
    auto file = ParseResources(kEmbedded, error);
    EXPECT_TRUE(file.has_value()) << error;
    return file.value_or(ResourceFile{});
}

// Where the first `count` parsed entries end in kEmbedded; the next entry's header
// starts there, padded to four bytes.
std::size_t EndOfEntries(const ResourceFile& file, std::size_t count) {
    if (count == 0) {
        return kFirstEntry;
    }
    const auto& data = file.Entries()[count - 1].data;
    return static_cast<std::size_t>(data.data() - kEmbedded.data()) + data.size();
}

std::size_t PaddedToDword(std::size_t offset) {
    return (offset + 3) / 4 * 4;
}

// Every prefix either fails or, cut between entries (with or without the last one's
// padding), keeps exactly the whole entries before the cut. Each prefix sits in a
// buffer of its own exact size, so the address sanitizer sees any read past the end.
TEST(ResourceFileTest, EveryTruncationFailsOrKeepsWholeEntries) {
    const ResourceFile complete = ParseEmbedded();
    ASSERT_GT(complete.Entries().size(), 5u);
    for (std::size_t size = 0; size < kEmbedded.size(); ++size) {
        const ResourceBytes prefix(kEmbedded.begin(),
                                   kEmbedded.begin() + static_cast<std::ptrdiff_t>(size));
        std::string error;
        const auto file = ParseResources(prefix, error);
        if (!file) {
            EXPECT_FALSE(error.empty()) << size;
            continue;
        }
        const std::size_t kept = file->Entries().size();
        ASSERT_LT(kept, complete.Entries().size()) << size;
        EXPECT_GE(size, EndOfEntries(complete, kept)) << size;
        EXPECT_LE(size, PaddedToDword(EndOfEntries(complete, kept))) << size;
    }
}

TEST(ResourceFileTest, DamagedHeadersAreRefusedWithAReason) {
    const auto refuses = [](const ResourceBytes& bytes) {
        std::string error;
        return !ParseResources(bytes, error).has_value() && !error.empty();
    };
    EXPECT_TRUE(refuses({}));
    EXPECT_TRUE(refuses({0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x01, 0x02}));
    // A 16-bit file, or anything else, lacks the leading empty entry.
    EXPECT_TRUE(refuses(ResourceBytes(kEmbedded.begin() + kFirstEntry, kEmbedded.end())));

    // One byte of the first entry's sizes changed: the header size below its minimum or
    // past the end, the data size past the end.
    for (const auto& [at, value] : {std::pair{kFirstEntry + 4, 8}, std::pair{kFirstEntry + 6, 1},
                                    std::pair{kFirstEntry + 3, 0x80}}) {
        ResourceBytes damaged = kEmbedded;
        damaged[at] = static_cast<std::uint8_t>(value);
        EXPECT_TRUE(refuses(damaged)) << at;
    }

    // The name "Sample" with its terminator overwritten runs into the next fields and
    // past the header's end.
    const ResourceFile file = ParseEmbedded();
    const auto sample = file.Find(ResourceId(std::uint16_t{10}), ResourceId(u"Sample"));
    ASSERT_TRUE(sample);
    const std::size_t header = PaddedToDword(EndOfEntries(file, *sample));
    ResourceBytes unterminated = kEmbedded;
    for (std::size_t at = header + 12; at < header + 48; at += 2) {
        unterminated[at] = 'Z';
        unterminated[at + 1] = 0;
    }
    EXPECT_TRUE(refuses(unterminated));
}

}  // namespace

// Every input kept for a fuzz target, fed to it as the fuzzer would: the seeds, what
// fuzzing found worth keeping, and each input that once broke a reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace {

TEST(FuzzCorpus, EveryKeptInputPassesItsTarget) {
    ASSERT_FALSE(tessalink::fuzz::Targets().empty());
    for (const auto& [name, target] : tessalink::fuzz::Targets()) {
        const std::filesystem::path folder = std::filesystem::path(TESSALINK_FUZZ_CORPUS) / name;
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << name << " keeps no inputs";
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
            EXPECT_NO_THROW(target(bytes)) << entry.path();
        }
    }
}

}  // namespace

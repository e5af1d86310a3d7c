// Font files are mapped, not read, so that start-up pays only for the pages it touches.
#include "gdi/mapped_font_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using platform::gdi::MappedFontFile;

std::filesystem::path TemporaryPath(const char* name) {
    return std::filesystem::temp_directory_path() /
           ("tessalink_startup_" + std::to_string(getpid()) + "_" + name);
}

TEST(MappedFontFile, HoldsTheFileBytesForAsLongAsItIsShared) {
    const auto path = TemporaryPath("face.bin");
    const std::string bytes("\0\1\0\0font\xff", 9);
    std::ofstream(path, std::ios::binary) << bytes;
    auto file = MappedFontFile::Open(path.string());
    std::filesystem::remove(path);  // the mapping outlives the name
    ASSERT_TRUE(file);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file->data()), file->size()), bytes);
}

TEST(MappedFontFile, RefusesWhatIsNoFontFile) {
    EXPECT_FALSE(MappedFontFile::Open(TemporaryPath("missing.ttf").string()));
    EXPECT_FALSE(MappedFontFile::Open(std::filesystem::temp_directory_path().string()));
    const auto empty = TemporaryPath("empty.ttf");
    std::ofstream(empty).close();
    EXPECT_FALSE(MappedFontFile::Open(empty.string()));
    std::filesystem::remove(empty);
}

}  // namespace

// This test's own module and file: the names and the path it answers to, and its
// version information; and files that have none.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Read from /proc rather than through the module functions under test.
std::u16string OwnExecutablePath() {
    return std::filesystem::read_symlink("/proc/self/exe").u16string();
}

std::vector<BYTE> ReadVersionInfo(const std::u16string& file) {
    DWORD handle = 1;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, block.data())) {
        return {};
    }
    return block;
}

std::u16string QueryText(const std::vector<BYTE>& block, LPCWSTR key, UINT& length) {
    LPVOID value = nullptr;
    if (!VerQueryValueW(block.data(), key, &value, &length)) {
        return u"<failed>";
    }
    return std::u16string(static_cast<const WCHAR*>(value));
}

TEST(VersionInfoTest, ReadsTheOwnFilesStringsFixedInfoAndTranslationButNoMissingKey) {
    const auto block = ReadVersionInfo(OwnExecutablePath());
    ASSERT_FALSE(block.empty());

    // The length counts the terminator, as the resource compiler stores it.
    UINT length = 0;
    EXPECT_EQ(QueryText(block, u"\\StringFileInfo\\080904b0\\FileVersion", length), u"2.0");
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(QueryText(block, u"\\stringfileinfo\\080904B0\\PRODUCTNAME", length), u"Tessalink");
    EXPECT_EQ(length, 10u);

    LPVOID value = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00020000u);

    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &value, &length));
    const WORD translation[] = {0x0809, 1200};
    ASSERT_EQ(length, sizeof translation);
    EXPECT_EQ(std::memcmp(value, translation, sizeof translation), 0);

    // A missing key comes back as no value at all.
    for (const LPCWSTR key : {u"\\StringFileInfo\\080904b0\\CompanyName",
                              u"\\StringFileInfo\\040904b0\\FileVersion", u"\\NoSuchBlock"}) {
        value = &value;
        length = 7;
        SetLastError(0);
        EXPECT_FALSE(VerQueryValueW(block.data(), key, &value, &length));
        EXPECT_EQ(value, nullptr);
        EXPECT_EQ(length, 0u);
        EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    }
}

TEST(VersionInfoTest, ShortBufferKeepsQueriesInsideWhatWasCopied) {
    const std::u16string file = OwnExecutablePath();
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
    ASSERT_GT(size, 100u);
    // Room for the root and its fixed info, not for the string blocks after them.
    std::vector<BYTE> block(100);
    ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, 100, block.data()));
    LPVOID value = nullptr;
    UINT length = 0;
    EXPECT_TRUE(VerQueryValueW(block.data(), u"\\", &value, &length));
    EXPECT_FALSE(
        VerQueryValueW(block.data(), u"\\StringFileInfo\\080904b0\\FileVersion", &value, &length));

    EXPECT_FALSE(GetFileVersionInfoW(file.c_str(), 0, 4, block.data()));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(VersionInfoTest, FilesWithoutVersionInfoFailAsOnWindows) {
    DWORD handle = 1;
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(u"/nonexistent/tessalink", &handle), 0u);
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    // A file that is no loaded module has no resources to read.
    BYTE buffer[64];
    EXPECT_EQ(GetFileVersionInfoSizeW(u"/dev/null", &handle), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
    EXPECT_FALSE(GetFileVersionInfoW(u"/dev/null", 0, sizeof buffer, buffer));
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
}

// Hand-made blocks, as a caller's corrupted buffer would be.
TEST(VersionInfoTest, MalformedBlocksAreRefusedNotWalked) {
    LPVOID value = nullptr;
    UINT length = 0;
    // Root of 40 bytes, key "A", then a child that claims to be 2 bytes long.
    alignas(4) BYTE tinyChild[40] = {40, 0, 0, 0, 0, 0, u'A', 0, 0, 0, 0, 0, 2, 0};
    EXPECT_FALSE(VerQueryValueW(tinyChild, u"\\X", &value, &length));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    // A key without its terminator inside the node.
    alignas(4) BYTE unterminated[8] = {8, 0, 0, 0, 0, 0, u'A', 0};
    EXPECT_FALSE(VerQueryValueW(unterminated, u"\\", &value, &length));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    // A text value of one character, with no room left for it in its node.
    alignas(4) BYTE longValue[12] = {12, 0, 1, 0, 1, 0, u'A', 0, 0, 0, 0, 0};
    EXPECT_FALSE(VerQueryValueW(longValue, u"\\", &value, &length));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_FALSE(VerQueryValueW(nullptr, u"\\", &value, &length));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(ModuleTest, ExecutableAnswersToItsNullHandleNameAndPath) {
    const HMODULE executable = GetModuleHandleW(nullptr);
    ASSERT_NE(executable, nullptr);
    const std::u16string file = OwnExecutablePath();
    const std::u16string name = file.substr(file.rfind(u'/') + 1);
    std::u16string shouted = name;
    for (auto& unit : shouted) {
        unit = unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
    }
    for (const std::u16string& known : {file, name, shouted + u".EXE"}) {
        EXPECT_EQ(GetModuleHandleW(known.c_str()), executable);
    }
    SetLastError(0);
    EXPECT_EQ(GetModuleHandleW((name + u"x").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(GetModuleHandleW(u"/nonexistent/file"), nullptr);
}

TEST(ModuleTest, FileNameFollowsTheWindowsBufferProtocol) {
    const std::u16string file = OwnExecutablePath();
    const auto size = static_cast<DWORD>(file.size());
    std::vector<WCHAR> buffer(file.size() + 1, u'x');
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), size + 1), size);
    EXPECT_EQ(std::u16string(buffer.data()), file);

    // One short: the start of the path, terminated, and the buffer size comes back.
    SetLastError(0);
    std::fill(buffer.begin(), buffer.end(), u'x');
    EXPECT_EQ(GetModuleFileNameW(GetModuleHandleW(nullptr), buffer.data(), size), size);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buffer.data()), file.substr(0, file.size() - 1));

    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), 0), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(buffer[0], file[0]);
}

}  // namespace

// Version information of this test's own file, and of files that have none.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::u16string OwnFile() {
    WCHAR path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::u16string(path, length);
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

TEST(VersionInfoTest, ReadsTheOwnFilesStringsFixedInfoAndTranslation) {
    const auto block = ReadVersionInfo(OwnFile());
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
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));

    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    WORD translation[2];
    std::memcpy(translation, value, sizeof translation);
    EXPECT_EQ(translation[0], 0x0809);
    EXPECT_EQ(translation[1], 1200);
}

TEST(VersionInfoTest, MissingKeysFailWithoutAValue) {
    const auto block = ReadVersionInfo(OwnFile());
    ASSERT_FALSE(block.empty());
    for (const LPCWSTR key : {u"\\StringFileInfo\\080904b0\\CompanyName",
                              u"\\StringFileInfo\\040904b0\\FileVersion", u"\\NoSuchBlock"}) {
        LPVOID value = &value;
        UINT length = 7;
        SetLastError(0);
        EXPECT_FALSE(VerQueryValueW(block.data(), key, &value, &length));
        EXPECT_EQ(value, nullptr);
        EXPECT_EQ(length, 0u);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    }
}

TEST(VersionInfoTest, ShortBufferKeepsQueriesInsideWhatWasCopied) {
    const std::u16string file = OwnFile();
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
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(VersionInfoTest, FilesWithoutVersionInfoFailAsOnWindows) {
    DWORD handle = 1;
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(u"/nonexistent/tessalink", &handle), 0u);
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    // An ordinary file has no resources at all.
    const auto plain = std::filesystem::temp_directory_path() / "kernel_resource_tests_plain.txt";
    std::FILE* stream = std::fopen(plain.c_str(), "w");
    ASSERT_NE(stream, nullptr);
    std::fputs("no resources here\n", stream);
    std::fclose(stream);
    BYTE buffer[64];
    EXPECT_EQ(GetFileVersionInfoSizeW(plain.u16string().c_str(), &handle), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
    EXPECT_FALSE(GetFileVersionInfoW(plain.u16string().c_str(), 0, sizeof buffer, buffer));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
    std::filesystem::remove(plain);
}

// Hand-made blocks, as a caller's corrupted buffer would be.
TEST(VersionInfoTest, MalformedBlocksAreRefusedNotWalked) {
    LPVOID value = nullptr;
    UINT length = 0;
    // Root of 40 bytes, key "A", then a child that claims to be 2 bytes long.
    alignas(4) BYTE tinyChild[40] = {40, 0, 0, 0, 0, 0, u'A', 0, 0, 0, 0, 0, 2, 0};
    EXPECT_FALSE(VerQueryValueW(tinyChild, u"\\X", &value, &length));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    // A key without its terminator inside the node.
    alignas(4) BYTE unterminated[8] = {8, 0, 0, 0, 0, 0, u'A', 0};
    EXPECT_FALSE(VerQueryValueW(unterminated, u"\\", &value, &length));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    // A text value longer than its node.
    alignas(4) BYTE longValue[12] = {12, 0, 50, 0, 1, 0, u'A', 0, 0, 0, u'x', 0};
    EXPECT_FALSE(VerQueryValueW(longValue, u"\\", &value, &length));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_FALSE(VerQueryValueW(nullptr, u"\\", &value, &length));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace

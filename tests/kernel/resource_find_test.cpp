// Finding, loading and sizing this test's own resources, and the module they
// belong to.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "kernel/resources/resources.h"

namespace {

std::vector<BYTE> LoadBytes(LPCWSTR name, LPCWSTR type) {
    HRSRC resource = FindResourceW(nullptr, name, type);
    if (resource == nullptr) {
        return {};
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
    return std::vector<BYTE>(data, data + SizeofResource(nullptr, resource));
}

std::string AsText(const std::vector<BYTE>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(FindResourceTest, FindsByOrdinalAndByNameInAnyLetterCase) {
    EXPECT_EQ(LoadBytes(MAKEINTRESOURCEW(7), RT_RCDATA), (std::vector<BYTE>{1, 0, 2, 0, 3, 0}));
    EXPECT_EQ(LoadBytes(u"#7", RT_RCDATA), (std::vector<BYTE>{1, 0, 2, 0, 3, 0}));
    EXPECT_EQ(AsText(LoadBytes(u"Sample", RT_RCDATA)), "abc");
    EXPECT_EQ(AsText(LoadBytes(u"sAMPLE", RT_RCDATA)), "abc");
}

TEST(FindResourceTest, PrefersEnglishUnitedKingdomElseTakesTheFirstLanguage) {
    EXPECT_EQ(AsText(LoadBytes(MAKEINTRESOURCEW(9), RT_RCDATA)), "UK");
    EXPECT_EQ(AsText(LoadBytes(MAKEINTRESOURCEW(10), RT_RCDATA)), "DE");
}

TEST(FindResourceTest, FindsEveryKindTheWindowSystemLoads) {
    // MENUITEM "Exit", 57665 after the two-word menu header: flags, id, text.
    const auto menu = LoadBytes(MAKEINTRESOURCEW(2), RT_MENU);
    ASSERT_GE(menu.size(), 8u);
    EXPECT_EQ(menu[6] | menu[7] << 8, 57665);
    // One accelerator entry of eight bytes: flags, key, command, padding.
    const auto accelerators = LoadBytes(MAKEINTRESOURCEW(3), RT_ACCELERATOR);
    ASSERT_EQ(accelerators.size(), 8u);
    EXPECT_EQ(accelerators[4] | accelerators[5] << 8, 57600);
    // A dialog template begins with its style.
    const auto dialog = LoadBytes(MAKEINTRESOURCEW(100), RT_DIALOG);
    ASSERT_GE(dialog.size(), 4u);
    DWORD style = 0;
    std::memcpy(&style, dialog.data(), sizeof style);
    EXPECT_EQ(style, 0x80000040u);

    const auto bytes =
        platform::kernel::FindResourceBytes(nullptr, MAKEINTRESOURCEW(100), RT_DIALOG);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(std::vector<BYTE>(bytes->begin(), bytes->end()), dialog);
}

TEST(FindResourceTest, TellsAMissingTypeFromAMissingName) {
    SetLastError(0);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(7), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(8), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceW(nullptr, u"Sampler", RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_FALSE(platform::kernel::FindResourceBytes(nullptr, u"#8", RT_RCDATA).has_value());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(FindResourceTest, ForgedHandlesAndModulesFailCleanly) {
    const auto forged = reinterpret_cast<HRSRC>(std::uintptr_t{100000});
    EXPECT_EQ(LoadResource(nullptr, forged), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    const auto otherModule = reinterpret_cast<HMODULE>(std::uintptr_t{0x1234});
    EXPECT_EQ(FindResourceW(otherModule, MAKEINTRESOURCEW(7), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(LockResource(nullptr), nullptr);
}

std::u16string OwnFile() {
    return std::filesystem::read_symlink("/proc/self/exe").u16string();
}

TEST(ModuleTest, ExecutableAnswersToItsNullHandleNameAndPath) {
    const HMODULE executable = GetModuleHandleW(nullptr);
    ASSERT_NE(executable, nullptr);
    const std::u16string file = OwnFile();
    const std::u16string name = file.substr(file.rfind(u'/') + 1);
    std::u16string shouted = name;
    for (auto& unit : shouted) {
        unit = unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
    }
    EXPECT_EQ(GetModuleHandleW(file.c_str()), executable);
    EXPECT_EQ(GetModuleHandleW(name.c_str()), executable);
    EXPECT_EQ(GetModuleHandleW((shouted + u".EXE").c_str()), executable);

    SetLastError(0);
    EXPECT_EQ(GetModuleHandleW((name + u"x").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleHandleW(u"/nonexistent/file"), nullptr);
}

TEST(ModuleTest, FileNameFollowsTheWindowsBufferProtocol) {
    const std::u16string file = OwnFile();
    std::vector<WCHAR> buffer(file.size() + 1, u'x');
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())),
              file.size());
    EXPECT_EQ(std::u16string(buffer.data()), file);

    // One short: the start of the path, terminated, and the buffer size comes back.
    SetLastError(0);
    std::fill(buffer.begin(), buffer.end(), u'x');
    const auto size = static_cast<DWORD>(file.size());
    EXPECT_EQ(GetModuleFileNameW(GetModuleHandleW(nullptr), buffer.data(), size), size);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(buffer.data()), file.substr(0, file.size() - 1));

    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), 0), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(buffer[0], file[0]);
}

}  // namespace

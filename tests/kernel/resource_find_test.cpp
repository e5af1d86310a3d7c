// Finding, loading and sizing this test's own resources, and its string table.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "kernel/resources/resources.h"

namespace {

std::string LoadBytes(LPCWSTR name, LPCWSTR type) {
    HRSRC resource = FindResourceW(nullptr, name, type);
    if (resource == nullptr) {
        return {};
    }
    const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    return std::string(data, SizeofResource(nullptr, resource));
}

TEST(FindResourceTest, FindsByOrdinalOrNameInAnyCaseInThePreferredLanguage) {
    const std::string ordinal7("\1\0\2\0\3\0", 6);
    const struct {
        LPCWSTR name;
        LPCWSTR type;
        std::string bytes;
        DWORD error;
    } lookups[] = {
        {MAKEINTRESOURCEW(7), RT_RCDATA, ordinal7, 0},
        {u"#7", RT_RCDATA, ordinal7, 0},
        {u"Sample", RT_RCDATA, "abc", 0},
        {u"sAMPLE", RT_RCDATA, "abc", 0},
        // English (United Kingdom) is preferred, else the first language there is.
        {MAKEINTRESOURCEW(9), RT_RCDATA, "UK", 0},
        {MAKEINTRESOURCEW(10), RT_RCDATA, "DE", 0},
        {MAKEINTRESOURCEW(7), RT_BITMAP, "", ERROR_RESOURCE_TYPE_NOT_FOUND},
        {MAKEINTRESOURCEW(8), RT_RCDATA, "", ERROR_RESOURCE_NAME_NOT_FOUND},
        {u"Sampler", RT_RCDATA, "", ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const auto& lookup : lookups) {
        SCOPED_TRACE(&lookup - lookups);
        SetLastError(0);
        EXPECT_EQ(LoadBytes(lookup.name, lookup.type), lookup.bytes);
        EXPECT_EQ(GetLastError(), lookup.error);
    }
    // What the window system loads comes as the same bytes.
    const auto dialog =
        platform::kernel::FindResourceBytes(nullptr, MAKEINTRESOURCEW(100), RT_DIALOG);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(std::string(dialog->begin(), dialog->end()),
              LoadBytes(MAKEINTRESOURCEW(100), RT_DIALOG));
    EXPECT_FALSE(platform::kernel::FindResourceBytes(nullptr, u"#8", RT_RCDATA).has_value());
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST(FindResourceTest, ForgedHandlesModulesAndArgumentsFailCleanly) {
    const auto forged = reinterpret_cast<HRSRC>(std::uintptr_t{100000});
    EXPECT_EQ(LoadResource(nullptr, forged), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    const auto otherModule = reinterpret_cast<HMODULE>(std::uintptr_t{0x1234});
    EXPECT_EQ(FindResourceW(otherModule, MAKEINTRESOURCEW(7), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LockResource(nullptr), nullptr);

    WCHAR buffer[8];
    EXPECT_EQ(LoadStringW(otherModule, 1, buffer, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadStringW(nullptr, 1, nullptr, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(LoadStringW(nullptr, 1, buffer, -1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(LoadStringTest, CopiesFromEveryBlockTruncatesAndTerminates) {
    const struct {
        UINT id;
        int capacity;
        std::u16string text;
        DWORD error;
    } loads[] = {
        // Ids 1, 17 and 128 live in three different blocks of sixteen.
        {1, 32, u"One", 0},
        {17, 32, u"Seventeen", 0},
        {128, 32, u"Tessalink test", 0},
        {0x10001, 32, u"One", 0},  // only the low word of the id counts
        {17, 4, u"Sev", 0},
        {17, 1, u"", 0},
        // Id 2 shares a block with id 1; id 5000's block does not exist.
        {2, 8, u"", ERROR_RESOURCE_NAME_NOT_FOUND},
        {5000, 8, u"", ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const auto& load : loads) {
        SCOPED_TRACE(&load - loads);
        WCHAR buffer[32] = {u'x', u'x', u'x', u'x', u'x'};
        SetLastError(0);
        EXPECT_EQ(LoadStringW(nullptr, load.id, buffer, load.capacity),
                  static_cast<int>(load.text.size()));
        EXPECT_EQ(std::u16string(buffer), load.text);
        if (load.error != 0) {
            EXPECT_EQ(GetLastError(), load.error);
        }
    }
    WCHAR buffer[8];
    EXPECT_EQ(LoadStringW(GetModuleHandleW(nullptr), 1, buffer, 8), 3);
}

TEST(LoadStringTest, ZeroSizedBufferReceivesAPointerToTheText) {
    const WCHAR* text = nullptr;
    EXPECT_EQ(LoadStringW(nullptr, 17, reinterpret_cast<LPWSTR>(&text), 0), 9);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text, 9), u"Seventeen");
    EXPECT_EQ(LoadStringW(nullptr, 2, reinterpret_cast<LPWSTR>(&text), 0), 0);
    EXPECT_EQ(text, nullptr);
}

}  // namespace

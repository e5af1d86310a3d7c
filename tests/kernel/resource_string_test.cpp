// LoadStringW over the string table of this test's own resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LoadStringTest, CopiesStringsFromEveryBlockAndTerminates) {
    WCHAR buffer[32];
    // Ids 1, 17 and 128 live in three different blocks of sixteen.
    EXPECT_EQ(LoadStringW(nullptr, 1, buffer, 32), 3);
    EXPECT_EQ(std::u16string(buffer), u"One");
    EXPECT_EQ(LoadStringW(nullptr, 17, buffer, 32), 9);
    EXPECT_EQ(std::u16string(buffer), u"Seventeen");
    EXPECT_EQ(LoadStringW(GetModuleHandleW(nullptr), 128, buffer, 32), 14);
    EXPECT_EQ(std::u16string(buffer), u"Tessalink test");
    // Only the low word of the id counts.
    EXPECT_EQ(LoadStringW(nullptr, 0x10001, buffer, 32), 3);
    EXPECT_EQ(std::u16string(buffer), u"One");
}

TEST(LoadStringTest, AbsentStringGivesZeroAndAnEmptyText) {
    WCHAR buffer[8] = u"junk";
    // Id 2 shares a block with id 1; id 5000's block does not exist.
    for (const UINT id : {2u, 5000u}) {
        SetLastError(0);
        buffer[0] = u'x';
        EXPECT_EQ(LoadStringW(nullptr, id, buffer, 8), 0) << id;
        EXPECT_EQ(buffer[0], u'\0') << id;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND)) << id;
    }
}

TEST(LoadStringTest, ShortBufferTruncatesAndStaysTerminated) {
    WCHAR buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(LoadStringW(nullptr, 17, buffer, 4), 3);
    EXPECT_EQ(std::u16string(buffer), u"Sev");
    EXPECT_EQ(LoadStringW(nullptr, 17, buffer, 1), 0);
    EXPECT_EQ(buffer[0], u'\0');
}

TEST(LoadStringTest, ZeroSizedBufferReceivesAPointerToTheText) {
    const WCHAR* text = nullptr;
    EXPECT_EQ(LoadStringW(nullptr, 17, reinterpret_cast<LPWSTR>(&text), 0), 9);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text, 9), u"Seventeen");

    EXPECT_EQ(LoadStringW(nullptr, 2, reinterpret_cast<LPWSTR>(&text), 0), 0);
    EXPECT_EQ(text, nullptr);
}

TEST(LoadStringTest, RejectsBadArgumentsAndUnknownModules) {
    WCHAR buffer[8];
    EXPECT_EQ(LoadStringW(nullptr, 1, nullptr, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(LoadStringW(nullptr, 1, buffer, -1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(LoadStringW(reinterpret_cast<HINSTANCE>(0x1234), 1, buffer, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace

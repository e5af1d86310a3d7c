// A binary built without a resource script still has its module; it simply holds no
// resources, and every lookup says so.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(NoResourcesTest, LookupsFailWithNoResourceSection) {
    ASSERT_NE(GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);

    WCHAR text[8] = u"junk";
    EXPECT_EQ(LoadStringW(nullptr, 1, text, 8), 0);
    EXPECT_EQ(text[0], u'\0');

    WCHAR file[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, file, MAX_PATH), 0u);
    EXPECT_EQ(GetFileVersionInfoSizeW(file, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
}

}  // namespace

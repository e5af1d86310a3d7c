// The lstr family and the strsafe copy functions.
#include <windows.h>

#include <strsafe.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LstrTest, ComparesCaseInsensitivelyAcrossLatinScripts) {
    EXPECT_EQ(0, lstrcmpiW(u"Ethernet0", u"ETHERNET0"));
    EXPECT_EQ(0, lstrcmpiW(u"\u00C9T\u00C9 \u0152UVRE \u0178", u"\u00E9t\u00E9 \u0153uvre \u00FF"));
    EXPECT_EQ(0, lstrcmpiW(u"\u0394\u0416", u"\u03B4\u0436"));
    // The multiplication and division signs are not a case pair.
    EXPECT_NE(0, lstrcmpiW(u"\u00D7", u"\u00F7"));
    EXPECT_EQ(-1, lstrcmpiW(u"abc", u"ABD"));
    EXPECT_EQ(1, lstrcmpiW(u"abcd", u"ABC"));
    EXPECT_EQ(1, lstrcmpW(u"abc", u"ABC"));
    EXPECT_EQ(-1, lstrcmpW(nullptr, u""));
    EXPECT_EQ(0, lstrcmpiW(nullptr, nullptr));
}

TEST(LstrTest, CopyFunctionsTerminateAndToleratedNulls) {
    WCHAR buffer[8];
    EXPECT_EQ(buffer, lstrcpynW(buffer, u"192.168.100.1", 8));
    EXPECT_EQ(std::u16string(u"192.168"), buffer);
    EXPECT_EQ(7, lstrlenW(buffer));
    lstrcpyW(buffer, u"ab");
    EXPECT_EQ(std::u16string(u"abcd"), lstrcatW(buffer, u"cd"));
    EXPECT_EQ(0, lstrlenW(nullptr));
    EXPECT_EQ(nullptr, lstrcpyW(nullptr, u"x"));
    buffer[0] = u'q';
    lstrcpynW(buffer, u"xyz", 1);
    EXPECT_EQ(0, buffer[0]);
}

TEST(StrSafeTest, CopyAndCatCutAtTheCapacityAndSaySo) {
    WCHAR buffer[6];
    EXPECT_EQ(S_OK, StringCchCopyW(buffer, 6, u"abcde"));
    EXPECT_EQ(STRSAFE_E_INSUFFICIENT_BUFFER, StringCchCopyW(buffer, 6, u"abcdefgh"));
    EXPECT_EQ(std::u16string(u"abcde"), buffer);

    StringCchCopyW(buffer, 6, u"ab");
    EXPECT_EQ(STRSAFE_E_INSUFFICIENT_BUFFER, StringCchCatW(buffer, 6, u"cdefg"));
    EXPECT_EQ(std::u16string(u"abcde"), buffer);

    // A destination with no terminator inside its capacity is refused untouched.
    WCHAR open[3] = {u'x', u'y', u'z'};
    EXPECT_EQ(STRSAFE_E_INVALID_PARAMETER, StringCchCatW(open, 3, u"a"));
    EXPECT_EQ(u'z', open[2]);
}

TEST(StrSafeTest, LengthIsBoundedByTheGivenMaximum) {
    size_t length = 99;
    EXPECT_EQ(S_OK, StringCchLengthW(u"abc", 4, &length));
    EXPECT_EQ(3u, length);
    EXPECT_EQ(STRSAFE_E_INVALID_PARAMETER, StringCchLengthW(u"abc", 3, &length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(STRSAFE_E_INVALID_PARAMETER, StringCchLengthW(nullptr, 3, &length));
}

}  // namespace

// The wide string functions: the lstr family, strsafe's copies and lengths, and the
// formatters (wsprintfW and StringCchPrintfW) with the conversions the program uses,
// field widths, Windows' argument sizes, and what happens at the edge of the buffer.
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

template <typename... Args>
std::u16string Wsprintf(const WCHAR* format, Args... args) {
    WCHAR out[1100];
    const int written = wsprintfW(out, format, args...);
    EXPECT_EQ(written, lstrlenW(out));
    return out;
}

TEST(WsprintfTest, FormatsIntegersStringsAndCharacters) {
    EXPECT_EQ(u"Ping Response - 32 bytes in 5ms",
              Wsprintf(u"Ping Response - %d bytes in %dms", 32, 5));
    EXPECT_EQ(u"00-0a-95-9d-68-16",
              Wsprintf(u"%02x-%02x-%02x-%02x-%02x-%02x", 0, 0x0a, 0x95, 0x9d, 0x68, 0x16));
    EXPECT_EQ(u"-42 4294967254 FFFFFFD6 ffffffd6", Wsprintf(u"%i %u %X %x", -42, -42, -42, -42));
    EXPECT_EQ(u"Error : host \u00E9 / narrow \u00E9 / %",
              Wsprintf(u"Error : %s / %hs / %%", u"host \u00E9", "narrow \xC3\xA9"));
    EXPECT_EQ(u"[A][b]", Wsprintf(u"[%c][%hc]", u'A', 'b'));
    EXPECT_EQ(u"(null)", Wsprintf(u"%s", static_cast<const WCHAR*>(nullptr)));
}

TEST(WsprintfTest, LongIsThirtyTwoBitsAsOnWindows) {
    // A LONG or DWORD passed for %ld/%lu must not be read as a 64-bit long: the
    // following argument would be lost.
    const LONG negative = -7;
    const DWORD large = 4000000000u;
    EXPECT_EQ(u"-7 4000000000 next", Wsprintf(u"%ld %lu %s", negative, large, u"next"));
    EXPECT_EQ(u"12345678901", Wsprintf(u"%I64d", 12345678901LL));
}

TEST(WsprintfTest, WidthPaddingAndPrecision) {
    EXPECT_EQ(u"[   ab][ab   ][000ab][abc]",
              Wsprintf(u"[%5s][%-5s][%05s][%.3s]", u"ab", u"ab", u"ab", u"abcdef"));
    EXPECT_EQ(u"[-0042][  -42][-42  ][0x1f][00042]",
              Wsprintf(u"[%05d][%5d][%-5d][%#x][%.5d]", -42, -42, -42, 0x1f, 42));
}

TEST(WsprintfTest, HasNoFloatingPointAndStopsAt1024Characters) {
    // The %f is copied out and the next argument is still the string.
    EXPECT_EQ(u"f text", Wsprintf(u"%f %s", u"text"));

    const std::u16string longText(2000, u'x');
    WCHAR out[1100];
    EXPECT_EQ(1023, wsprintfW(out, u"%s", longText.c_str()));
    EXPECT_EQ(1023, lstrlenW(out));
    EXPECT_EQ(1023, wsprintfW(out, u"%2000d", 5));
    EXPECT_EQ(u' ', out[1022]);
}

TEST(StringCchPrintfTest, FormatsDoublesWithAPoint) {
    WCHAR out[64];
    ASSERT_EQ(S_OK, StringCchPrintfW(out, 64, u"%.4lf", 12.345678));
    EXPECT_EQ(std::u16string(u"12.3457"), out);
    ASSERT_EQ(S_OK, StringCchPrintfW(out, 64, u"[%8.2f][%-8.1f][%e]", 3.14159, -2.5, 1500.0));
    EXPECT_EQ(std::u16string(u"[    3.14][-2.5    ][1.500000e+03]"), out);
    ASSERT_EQ(S_OK, StringCchPrintfW(out, 64, u"%.0f %s %d", 0.5, u"b/s", 7));
    EXPECT_EQ(std::u16string(u"0 b/s 7"), out);
}

TEST(StringCchPrintfTest, CutsTerminatesAndSaysSo) {
    WCHAR out[6];
    EXPECT_EQ(STRSAFE_E_INSUFFICIENT_BUFFER, StringCchPrintfW(out, 6, u"%d-%s", 1234, u"abc"));
    EXPECT_EQ(std::u16string(u"1234-"), out);
    // Exactly filling the buffer is not a cut.
    EXPECT_EQ(S_OK, StringCchPrintfW(out, 6, u"%5.1f", 1.25));
    EXPECT_EQ(std::u16string(u"  1.2"), out);

    out[0] = u'k';
    EXPECT_EQ(STRSAFE_E_INVALID_PARAMETER, StringCchPrintfW(out, 0, u"x"));
    EXPECT_EQ(u'k', out[0]);
    EXPECT_EQ(STRSAFE_E_INVALID_PARAMETER, StringCchPrintfW(out, 6, nullptr));
    EXPECT_EQ(0, out[0]);
}

TEST(StringCchPrintfTest, HostileWidthsAreBoundedByTheBuffer) {
    WCHAR out[8];
    EXPECT_EQ(STRSAFE_E_INSUFFICIENT_BUFFER, StringCchPrintfW(out, 8, u"%999999999d", 1));
    EXPECT_EQ(std::u16string(7, u' '), out);
    EXPECT_EQ(STRSAFE_E_INSUFFICIENT_BUFFER, StringCchPrintfW(out, 8, u"%.999999999f", 1.0));
    EXPECT_EQ(std::u16string(u"1.00000"), out);
}

}  // namespace

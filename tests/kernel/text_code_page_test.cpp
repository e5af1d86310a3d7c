// MultiByteToWideChar and WideCharToMultiByte: the size protocol and bad input.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Widen(const std::string& bytes, DWORD flags = 0) {
    const int size = MultiByteToWideChar(CP_UTF8, flags, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(size), u'?');
    EXPECT_EQ(size, MultiByteToWideChar(CP_UTF8, flags, bytes.data(),
                                        static_cast<int>(bytes.size()), out.data(), size));
    return out;
}

TEST(CodePageTest, TooSmallOutputFailsAndLeavesTheBufferAlone) {
    WCHAR out[4] = {u'x', u'x', u'x', 0};
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "10.0.0.1", -1, out, 4));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(std::u16string(u"xxx"), out);

    char narrow[3] = {};
    SetLastError(0);
    EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", -1, narrow, 3, nullptr, nullptr));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(4, WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", -1, nullptr, 0, nullptr, nullptr));
}

TEST(CodePageTest, InvalidUtf8BecomesOneReplacementPerMaximalSubpart) {
    // A lone continuation byte; a three-byte lead cut short; an encoded surrogate (three
    // pieces); an overlong slash (two); a four-byte sequence truncated at the end of
    // input; a lead byte beyond U+10FFFF.
    EXPECT_EQ(Widen("a\x80z"), u"a\uFFFDz");
    EXPECT_EQ(Widen("\xE2\x82Z"), u"\uFFFDZ");
    EXPECT_EQ(Widen("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Widen("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Widen("x\xF0\x9F\x98"), u"x\uFFFD");
    EXPECT_EQ(Widen("\xF5\x80\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(CodePageTest, StrictConversionRefusesInvalidInput) {
    const WCHAR loneSurrogate[] = {u'a', 0xD800, u'z', 0};
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, nullptr, 0));
    EXPECT_EQ(ERROR_NO_UNICODE_TRANSLATION, GetLastError());
    SetLastError(0);
    EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, loneSurrogate, -1, nullptr, 0,
                                     nullptr, nullptr));
    EXPECT_EQ(ERROR_NO_UNICODE_TRANSLATION, GetLastError());

    // Without the flag the surrogate becomes U+FFFD (EF BF BD).
    char out[8] = {};
    ASSERT_EQ(6, WideCharToMultiByte(CP_UTF8, 0, loneSurrogate, -1, out, 8, nullptr, nullptr));
    EXPECT_STREQ("a\xEF\xBF\xBDz", out);
}

TEST(CodePageTest, RoundTripsEveryPlaneWithALengthOrToTheTerminator) {
    const std::u16string text = u"A\u00E9\u0416\u4E2D\U00010348";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(1 + 2 + 2 + 3 + 4, bytes);
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    ASSERT_EQ(bytes, WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         narrow.data(), bytes, nullptr, nullptr));
    EXPECT_EQ(text, Widen(narrow));
    // With no length the terminator is converted, and counted, too.
    WCHAR widened[8];
    EXPECT_EQ(static_cast<int>(text.size()) + 1,
              MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, widened, 8));
    EXPECT_EQ(text, widened);
}

TEST(CodePageTest, RejectsBadArgumentsAsWindowsDoes) {
    const DWORD parameter = ERROR_INVALID_PARAMETER;
    WCHAR out[4];
    EXPECT_EQ(0, MultiByteToWideChar(1252, 0, "a", -1, out, 4));
    EXPECT_EQ(parameter, GetLastError());
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", -1, out, 4));
    EXPECT_EQ(ERROR_INVALID_FLAGS, GetLastError());
    EXPECT_EQ(2, MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "a", -1, out, 4));
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "a", 0, out, 4));
    EXPECT_EQ(parameter, GetLastError());
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, nullptr, -1, out, 4));
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "a", -1, nullptr, 4));
    BOOL usedDefault = FALSE;
    char narrow[4];
    EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, 0, u"a", -1, narrow, 4, nullptr, &usedDefault));
    EXPECT_EQ(parameter, GetLastError());
}

}  // namespace

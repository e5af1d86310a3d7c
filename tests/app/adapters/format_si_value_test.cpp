#include <gtest/gtest.h>

#include "adapters/FormatSiValue.h"

namespace {

struct SiCase {
    double value;
    const char16_t* expected;
};

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// The options the settings list uses for the interface speed.
TEST(FormatSiValue, SpeedsWithTheSettingsListOptions) {
    const SiCase cases[] = {
        {0, u"0 b/s"},
        {500, u"500 b/s"},
        {999, u"999 b/s"},
        {1000, u"1kb/s"},
        {9600, u"9.6kb/s"},
        {1000000, u"1Mb/s"},
        {2500000, u"2.5Mb/s"},
        {11000000, u"11Mb/s"},
        {123456789, u"123.4568Mb/s"},
        // Rounding carries into a fourth integer digit within the tier.
        {999999999, u"1000Mb/s"},
        {1000000000, u"1Gb/s"},
        {4294967295.0, u"4.295Gb/s"},
        {2e12, u"2Tb/s"},
        // Nothing above T: larger values stay in it.
        {3e16, u"30000Tb/s"},
        {-1500, u"-1.5kb/s"},
        {0.25, u"250mb/s"},
        {2e-5, u"20ub/s"},
        {3e-9, u"3nb/s"},
        {4e-13, u"0.4pb/s"},
        // Trimming removes only a fraction's zeros.
        {100, u"100 b/s"},
        {1e7, u"10Mb/s"},
    };
    for (const SiCase& c : cases) {
        EXPECT_EQ(Narrow(FormatSiValue(c.value, u"b/s", false, 4, true)), Narrow(c.expected))
            << "value " << c.value;
    }
}

TEST(FormatSiValue, OptionsChangeOnlyTheirOwnPart) {
    EXPECT_EQ(Narrow(FormatSiValue(11000000, u"b/s", false, 4, false)), "11.0000Mb/s");
    EXPECT_EQ(Narrow(FormatSiValue(11000000, u"b/s", true, 4, true)), "11 Mb/s");
    EXPECT_EQ(Narrow(FormatSiValue(500, u"b/s", true, 4, true)), "500  b/s");
    EXPECT_EQ(Narrow(FormatSiValue(2600000, u"Hz", false, 0, true)), "3MHz");
    EXPECT_EQ(Narrow(FormatSiValue(2500000, u"Hz", false, 2, false)), "2.50MHz");
    // Not a precision a caller means: no fraction rather than a malformed format.
    EXPECT_EQ(Narrow(FormatSiValue(2600000, u"Hz", false, -3, false)), "3MHz");
    // A precision beyond a double's digits is bounded, not printed without limit.
    EXPECT_LE(FormatSiValue(1, u"", false, 1000000, false).size(), 30u);
}

}  // namespace

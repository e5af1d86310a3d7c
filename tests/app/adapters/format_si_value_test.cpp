// The interface speed as the settings list formats it: bits per second from 0 to the
// 32 bits the interface row holds, with four places and the fraction's zeros trimmed.
#include <gtest/gtest.h>

#include <string>

#include "adapters/FormatSiValue.h"

namespace {

TEST(FormatSiValue, SpeedsWithTheSettingsListOptions) {
    const struct {
        double value;
        const char16_t* expected;
    } cases[] = {
        {0, u"0 b/s"},
        {999, u"999 b/s"},
        {1000, u"1kb/s"},
        {9600, u"9.6kb/s"},
        {1000000, u"1Mb/s"},
        {2500000, u"2.5Mb/s"},
        {1e7, u"10Mb/s"},
        {123456789, u"123.4568Mb/s"},
        // Rounding carries into a fourth integer digit within the tier.
        {999999999, u"1000Mb/s"},
        {1e9, u"1Gb/s"},
        {4294967295.0, u"4.295Gb/s"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSiValue(c.value, u"b/s", false, 4, true), std::u16string(c.expected))
            << "value " << c.value;
    }
}

}  // namespace

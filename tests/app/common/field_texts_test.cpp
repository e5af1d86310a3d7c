// The texts the adapter and ARP records hold: copies cut to their fields, and dotted
// addresses written within their buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/FieldText.h"
#include "common/IpAddressText.h"
#include "support/scenario_stager.h"

namespace tessalink::test {
namespace {

TEST(CopyIntoField, CutsAtTheFieldButNeverInsideASurrogatePair) {
    const std::u16string pair = u"\U0001F4F6";
    const std::u16string source = pair + u"ab";
    const struct {
        int capacity;
        std::u16string kept;
    } cases[] = {{1, u""}, {2, u""}, {3, pair}, {4, pair + u"a"}, {8, source}};
    for (const auto& c : cases) {
        WCHAR field[8];
        std::fill(std::begin(field), std::end(field), u'x');
        CopyIntoField(source.c_str(), field, c.capacity);
        EXPECT_EQ(std::u16string(field), c.kept) << "capacity " << c.capacity;
    }
}

TEST(IpAddressToText, WritesDottedTextWithinTheBuffer) {
    WCHAR text[16];
    std::fill(std::begin(text), std::end(text), u'x');
    EXPECT_TRUE(IpAddressToText(Ipv4(255, 255, 255, 255), text, 16));
    EXPECT_EQ(std::u16string(text), u"255.255.255.255");
    // A shorter address leaves the rest of the buffer zero.
    EXPECT_TRUE(IpAddressToText(Ipv4(10, 0, 0, 1), text, 16));
    EXPECT_EQ(std::u16string(text), u"10.0.0.1");
    EXPECT_EQ(text[15], 0);
    // Too small a buffer keeps no partial address.
    EXPECT_FALSE(IpAddressToText(Ipv4(192, 168, 100, 200), text, 8));
    EXPECT_EQ(text[0], 0);
    EXPECT_FALSE(IpAddressToText(Ipv4(10, 0, 0, 1), text, 0));
}

}  // namespace
}  // namespace tessalink::test

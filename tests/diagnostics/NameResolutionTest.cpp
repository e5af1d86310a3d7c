#include <gtest/gtest.h>

#include <string>

#include "SimulatedNetwork.h"
#include "diagnostics/NameResolution.h"

// Last: its macros (s_addr, hostent, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace {

using diagnostics_test::Address;

class NameResolutionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::net::sim::Scenario scenario;
        scenario.names.forward = {{"multi.example", {Address(10, 0, 0, 7), Address(10, 0, 0, 8)}}};
        scenario.names.reverse = {{Address(10, 0, 0, 7), "multi.example"}};
        diagnostics_test::InstallNetwork(scenario);
    }
};

TEST_F(NameResolutionTest, DottedAddressIsWhatTheSocketLibraryParses) {
    for (const char16_t* dotted :
         {u"10.0.0.7", u"010.000.000.007", u"127.1", u"10.0.0.7 and more"}) {
        EXPECT_TRUE(IsDottedAddress(dotted)) << std::u16string(dotted).size();
    }
    // 255.255.255.255 is INADDR_NONE itself, so callers look it up as a name.
    for (const char16_t* other :
         {u"255.255.255.255", u"", u"multi.example", u"1.2.3.4.5", u"10.0.0.\u00e9", u" "}) {
        EXPECT_FALSE(IsDottedAddress(other)) << std::u16string(other).size();
    }
    EXPECT_FALSE(IsDottedAddress(nullptr));
}

TEST_F(NameResolutionTest, FirstLookupStartsTheSocketLibraryAndReportsTheFirstAddress) {
    // Back to a library that was never started, whatever ran before in this process.
    while (WSACleanup() == 0) {
    }
    ASSERT_EQ(gethostbyname("multi.example"), nullptr);
    ASSERT_EQ(WSAGetLastError(), WSANOTINITIALISED);

    // The name and the result share one buffer, as the page's address check does.
    WCHAR text[150] = u"multi.example";
    ASSERT_TRUE(ResolveHostName(text, text, 150));
    EXPECT_EQ(std::u16string(text), u"10.0.0.7");
    // Started once, and left running for every later lookup.
    EXPECT_NE(gethostbyname("multi.example"), nullptr);

    WCHAR hopName[120] = {};
    ASSERT_TRUE(ResolveAddressName(u"10.0.0.7", hopName, 120));
    EXPECT_EQ(std::u16string(hopName), u"multi.example");
}

TEST_F(NameResolutionTest, FailedLookupsAreFalseAndLongResultsStayTerminated) {
    WCHAR output[16] = u"untouched";
    EXPECT_FALSE(ResolveHostName(u"nowhere.example", output, 16));
    EXPECT_FALSE(ResolveHostName(u"", output, 16));
    EXPECT_FALSE(ResolveHostName(u"multi.example", nullptr, 16));
    EXPECT_FALSE(ResolveAddressName(u"10.0.0.8", output, 16));  // no reverse entry
    // Longer than any address: refused rather than cut into another address.
    EXPECT_FALSE(ResolveAddressName(u"0000000010.0.0.7", output, 16));
    EXPECT_EQ(std::u16string(output), u"untouched");

    WCHAR shortName[6] = {};
    ASSERT_TRUE(ResolveAddressName(u"10.0.0.7", shortName, 6));
    EXPECT_EQ(std::u16string(shortName), u"multi");
}

}  // namespace

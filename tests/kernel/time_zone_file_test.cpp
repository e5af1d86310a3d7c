// GetTimeZoneInformation for zones named by TZ or /etc/localtime: zone files read as
// the C library reads them, from the footer rule or, without one, the last time type.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device_settings_test_base.h"

namespace {

namespace fs = std::filesystem;

// Small TZif files, so that these tests need no installed tzdata.
struct TzifTimeType {
    std::int32_t utcOffset = 0;
    bool isDaylight = false;
    std::string name;
};

struct TzifContent {
    char version = '2';  // '\0' for a version 1 file, which has no footer
    std::vector<std::int64_t> transitions;
    std::vector<std::uint8_t> typeIndices;  // one per transition
    std::vector<TzifTimeType> types;
    std::string footer;  // the POSIX rule, without the newlines around it
};

void AppendBigEndian(std::string& out, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = bytes; i-- > 0;) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::string TzifBlock(const TzifContent& content, std::size_t timeSize) {
    std::string names;
    std::string types;
    for (const auto& type : content.types) {
        AppendBigEndian(types, static_cast<std::uint32_t>(type.utcOffset), 4);
        types += static_cast<char>(type.isDaylight);
        types += static_cast<char>(names.size());
        names += type.name + '\0';
    }
    std::string block = "TZif";
    block += content.version;
    block.append(15, '\0');
    for (const std::size_t count :
         {std::size_t{0}, std::size_t{0}, std::size_t{0}, content.transitions.size(),
          content.types.size(), names.size()}) {
        AppendBigEndian(block, count, 4);
    }
    for (const auto time : content.transitions) {
        AppendBigEndian(block, static_cast<std::uint64_t>(time), timeSize);
    }
    for (const auto index : content.typeIndices) {
        block += static_cast<char>(index);
    }
    return block + types + names;
}

std::string BuildTzif(const TzifContent& content) {
    std::string file = TzifBlock(content, 4);
    if (content.version != '\0') {
        file += TzifBlock(content, 8) + "\n" + content.footer + "\n";
    }
    return file;
}

class TimeZoneFileTest : public DeviceSettingsTestBase {
  protected:
    void SetUp() override {
        DeviceSettingsTestBase::SetUp();
        char pattern[] = "/tmp/tessalink-zones-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        fs::create_directory(directory_ / "Test");
        FixClock("2026-07-15T12:00Z");
    }
    void TearDown() override {
        fs::remove_all(directory_);
        DeviceSettingsTestBase::TearDown();
    }

    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path path = directory_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path directory_;
};

const TzifContent kBerlin{'2',
                          {-2422054408, 1616893200},
                          {1, 2},
                          {{3208, false, "LMT"}, {3600, false, "CET"}, {7200, true, "CEST"}},
                          "CET-1CEST,M3.5.0,M10.5.0/3"};

TEST_F(TimeZoneFileTest, TzNamesAZoneFileByPathOrByNameUnderTzdir) {
    const fs::path file = Write("Test/Berlin", BuildTzif(kBerlin));
    for (const std::string& tz :
         {":" + file.string(), std::string("Test/Berlin"), std::string(":Test/Berlin")}) {
        SCOPED_TRACE(tz);
        ScopedEnvironment zone("TZ", tz);
        ScopedEnvironment zoneDirectory("TZDIR", directory_.string());
        TIME_ZONE_INFORMATION information{};
        EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_DAYLIGHT);
        EXPECT_EQ(information.Bias, -60);
        EXPECT_EQ(std::u16string(information.DaylightName), u"CEST");
    }
}

TEST_F(TimeZoneFileTest, FilesWithoutARuleUseTheirLastTimeType) {
    // A version 1 file has no footer; a later one may have an empty footer.
    TzifContent version1{'\0', {0, 1000}, {0, 1}, {{0, false, "LMT"}, {19800, false, "IST"}}, ""};
    TzifContent emptyFooter = version1;
    emptyFooter.version = '3';
    const TzifContent noTransitions{'2', {}, {}, {{-36000, false, "HST"}}, ""};
    const struct {
        TzifContent content;
        LONG bias;
        const char16_t* name;
    } files[] = {
        {version1, -330, u"IST"}, {emptyFooter, -330, u"IST"}, {noTransitions, 600, u"HST"}};
    for (const auto& file : files) {
        SCOPED_TRACE(&file - files);
        ScopedEnvironment tz("TZ", ":" + Write("Test/Fixed", BuildTzif(file.content)).string());
        TIME_ZONE_INFORMATION information{};
        EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_UNKNOWN);
        EXPECT_EQ(information.Bias, file.bias);
        EXPECT_EQ(std::u16string(information.StandardName), file.name);
    }
}

TEST_F(TimeZoneFileTest, DamagedOrMissingFilesFailWithAnError) {
    const std::string good = BuildTzif(kBerlin);
    TzifContent badFooter = kBerlin;
    badFooter.footer = "CET-1CEST,M3.5.0";
    TzifContent badTypeIndex = kBerlin;
    badTypeIndex.typeIndices = {1, 7};
    badTypeIndex.footer = "";
    const struct {
        const char* what;
        std::string bytes;
    } damaged[] = {
        {"not a zone file", "hello, world\n"},
        {"cut in the first block", good.substr(0, 60)},
        {"cut in the second block", good.substr(0, good.size() - 40)},
        {"footer without its last newline", good.substr(0, good.size() - 1)},
        {"malformed footer rule", BuildTzif(badFooter)},
        {"type index out of range", BuildTzif(badTypeIndex)},
    };
    for (const auto& file : damaged) {
        SCOPED_TRACE(file.what);
        ScopedEnvironment tz("TZ", ":" + Write("Test/Damaged", file.bytes).string());
        TIME_ZONE_INFORMATION information{};
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_INVALID);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    }
    ScopedEnvironment missing("TZ", ":" + (directory_ / "Test/Nowhere").string());
    TIME_ZONE_INFORMATION information{};
    EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_INVALID);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(TimeZoneFileTest, DeviceSettingOutranksTzAndEmptyTzMeansUtc) {
    ScopedEnvironment tz("TZ", "EST5EDT,M3.2.0,M11.1.0");
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    TIME_ZONE_INFORMATION information{};
    GetTimeZoneInformation(&information);
    EXPECT_EQ(information.Bias, -60);

    platform::kernel::DeviceSettings::Reset();
    ScopedEnvironment emptyTz("TZ", "");
    EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(information.Bias, 0);
    EXPECT_EQ(std::u16string(information.StandardName), u"UTC");
}

TEST_F(TimeZoneFileTest, InstalledZoneDatabaseReadsLikeItsRules) {
    if (!fs::exists("/usr/share/zoneinfo/America/New_York")) {
        GTEST_SKIP() << "tzdata is not installed (no /usr/share/zoneinfo/America/New_York)";
    }
    ScopedEnvironment tz("TZ", "America/New_York");
    ScopedEnvironment zoneDirectory("TZDIR", std::nullopt);
    TIME_ZONE_INFORMATION information{};
    EXPECT_EQ(GetTimeZoneInformation(&information), TIME_ZONE_ID_DAYLIGHT);
    EXPECT_EQ(information.Bias, 300);
    EXPECT_EQ(std::u16string(information.DaylightName), u"EDT");
}

}  // namespace

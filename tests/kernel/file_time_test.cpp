// SYSTEMTIME and FILETIME conversions: the epochs, round trips, and the range
// checks Windows applies.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>

namespace {

std::uint64_t Ticks(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

FILETIME FromTicks(std::uint64_t ticks) {
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

TEST(FileTimeTest, RoundTripsAndComputesTheWeekday) {
    // The first instant (1601-01-01, a Monday), 2004-02-29 (a leap day, a Sunday),
    // 2100-03-01 (after a non-leap February, a Monday), and the last millisecond of 30827.
    const SYSTEMTIME cases[] = {{1601, 1, 1, 1, 0, 0, 0, 0},
                                {2004, 2, 0, 29, 23, 59, 58, 999},
                                {2100, 3, 1, 1, 12, 0, 0, 1},
                                {30827, 12, 5, 31, 23, 59, 59, 999}};
    for (const SYSTEMTIME& expected : cases) {
        SYSTEMTIME input = expected;
        input.wDayOfWeek = 6;  // ignored on input.
        FILETIME fileTime{};
        ASSERT_TRUE(SystemTimeToFileTime(&input, &fileTime)) << expected.wYear;
        SYSTEMTIME back{};
        ASSERT_TRUE(FileTimeToSystemTime(&fileTime, &back));
        EXPECT_EQ(0, memcmp(&expected, &back, sizeof back))
            << expected.wYear << " weekday " << back.wDayOfWeek;
    }
    // Tick 0 is the first instant; sub-millisecond ticks are dropped, not rounded.
    FILETIME almost = FromTicks(9'999);
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&almost, &back));
    EXPECT_EQ(0, memcmp(&cases[0], &back, sizeof back));
}

TEST(FileTimeTest, RejectsFieldsOutOfRange) {
    const SYSTEMTIME invalid[] = {
        {1600, 12, 0, 31, 0, 0, 0, 0}, {30828, 1, 0, 1, 0, 0, 0, 0},  {2023, 0, 0, 1, 0, 0, 0, 0},
        {2023, 13, 0, 1, 0, 0, 0, 0},  {2023, 2, 0, 29, 0, 0, 0, 0},  {2023, 4, 0, 31, 0, 0, 0, 0},
        {2023, 1, 0, 0, 0, 0, 0, 0},   {2023, 1, 0, 1, 24, 0, 0, 0},  {2023, 1, 0, 1, 0, 60, 0, 0},
        {2023, 1, 0, 1, 0, 0, 60, 0},  {2023, 1, 0, 1, 0, 0, 0, 1000}};
    for (const SYSTEMTIME& time : invalid) {
        SCOPED_TRACE(&time - invalid);
        FILETIME untouched = {0x1234, 0x5678};
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&time, &untouched));
        EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
        EXPECT_EQ(0x1234u, untouched.dwLowDateTime);
    }

    FILETIME tooLate = FromTicks(0x8000000000000000ULL);
    SYSTEMTIME out{};
    EXPECT_FALSE(FileTimeToSystemTime(&tooLate, &out));
    FILETIME latest = FromTicks(0x7FFFFFFFFFFFFFFFULL);
    ASSERT_TRUE(FileTimeToSystemTime(&latest, &out));
    EXPECT_EQ(30828, out.wYear);
    EXPECT_EQ(9, out.wMonth);
    EXPECT_EQ(14, out.wDay);
}

TEST(FileTimeTest, CompareAndTheSystemClock) {
    const FILETIME low = FromTicks(0xFFFFFFFFULL);
    const FILETIME high = FromTicks(0x100000000ULL);
    EXPECT_EQ(-1, CompareFileTime(&low, &high));
    EXPECT_EQ(1, CompareFileTime(&high, &low));
    EXPECT_EQ(0, CompareFileTime(&low, &low));

    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto unixSeconds = static_cast<std::int64_t>(std::time(nullptr));
    const auto fileSeconds = static_cast<std::int64_t>(Ticks(now) / 10'000'000ULL) - 11644473600LL;
    EXPECT_LE(std::abs(fileSeconds - unixSeconds), 2);
}

}  // namespace

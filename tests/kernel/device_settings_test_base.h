// Tests that change the device's zone, locale or clock start and end with the
// system's, whatever an earlier test in the same process set.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "kernel/time/device_settings.h"

class DeviceSettingsTestBase : public ::testing::Test {
  protected:
    void SetUp() override { platform::kernel::DeviceSettings::Reset(); }
    void TearDown() override { platform::kernel::DeviceSettings::Reset(); }

    static void FixClock(std::string_view setting) {
        const auto clock = platform::kernel::ClockSetting::Parse(setting);
        ASSERT_TRUE(clock) << setting;
        platform::kernel::DeviceSettings::SetClock(*clock);
    }
    static void UseZone(const std::string& zone) {
        ASSERT_TRUE(platform::kernel::DeviceSettings::SetTimeZone(zone)) << zone;
    }
};

// What the zone, clock and locale tests set, undone after each test, so that tests
// sharing a process do not leak settings: the device's settings, which every such test
// starts and ends with the system's, and environment variables.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
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

// Sets an environment variable, or removes it given no value, until the end of the scope.
class ScopedEnvironment {
  public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) {
            old_ = old;
        }
        Apply(value);
    }
    ~ScopedEnvironment() { Apply(old_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> old_;
};

// What a locale says about writing dates and times: its formats, as Windows
// pictures ("dd.MM.yyyy", "HH:mm:ss"), and its day and month names, all as UTF-16.
#pragma once

#include <array>
#include <string>

namespace platform::kernel {

class TimeLocale {
  public:
    // A locale that is not installed reads as "C"; an empty name is the device's own.
    explicit TimeLocale(const std::string& name);
    // The device setting, else the environment (LC_ALL, LC_TIME, LANG).
    static TimeLocale Device();
    static bool IsInstalled(const std::string& name);

    const std::u16string& shortDatePicture() const { return shortDatePicture_; }
    const std::u16string& longDatePicture() const { return longDatePicture_; }
    const std::u16string& timePicture() const { return timePicture_; }
    // Sunday is 0, January is 0.
    const std::u16string& dayName(unsigned weekday) const { return dayNames_[weekday % 7]; }
    const std::u16string& shortDayName(unsigned weekday) const {
        return shortDayNames_[weekday % 7];
    }
    const std::u16string& monthName(unsigned month) const { return monthNames_[month % 12]; }
    const std::u16string& shortMonthName(unsigned month) const {
        return shortMonthNames_[month % 12];
    }
    const std::u16string& amMarker() const { return amMarker_; }
    const std::u16string& pmMarker() const { return pmMarker_; }

  private:
    std::u16string shortDatePicture_;
    std::u16string longDatePicture_;
    std::u16string timePicture_;
    std::array<std::u16string, 7> dayNames_;
    std::array<std::u16string, 7> shortDayNames_;
    std::array<std::u16string, 12> monthNames_;
    std::array<std::u16string, 12> shortMonthNames_;
    std::u16string amMarker_;
    std::u16string pmMarker_;
};

}  // namespace platform::kernel

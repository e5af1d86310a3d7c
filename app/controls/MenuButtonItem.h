// One choice of a MenuButton: the command id it reports and the name it shows.
#pragma once

#include <windows.h>

#include <optional>

class MenuButtonItem {
  public:
    // Room for the name, its terminator included.
    static constexpr int kTextCapacity = 20;

    // The item for `id` named `text`, or nothing when it could not work as a choice:
    // a missing name, a name longer than kTextCapacity - 1 characters (cutting it would
    // show the user a name nobody gave), or id 0, which the pop-up menu reports for a
    // dismissal and so could never be picked.
    static std::optional<MenuButtonItem> Make(int id, LPCWSTR text);

    int Id() const { return id_; }
    LPCWSTR Text() const { return text_; }

  private:
    MenuButtonItem() = default;

    int id_ = 0;
    WCHAR text_[kTextCapacity] = {};
};

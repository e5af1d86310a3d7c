// A registered window class and the process's table of them.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <memory>
#include <string>
#include <vector>

namespace platform::user {

struct WindowClass {
    std::u16string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int classExtraBytes = 0;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    // Only what GetClassInfoW hands back: the menu name as the caller gave it, if an id.
    LPCWSTR menuName = nullptr;
    int windowCount = 0;
};

// Class names compare without regard to letter case, as on Windows. Classes are
// process-wide: the handheld's programs register few, and each under its own name.
class ClassRegistry {
  public:
    // Null with ERROR_CLASS_ALREADY_EXISTS or ERROR_INVALID_PARAMETER.
    std::shared_ptr<WindowClass> Register(const WNDCLASSW& description);
    // A name, or an atom made with MAKEINTATOM.
    std::shared_ptr<WindowClass> Find(LPCWSTR nameOrAtom) const;
    // Fails with ERROR_CLASS_DOES_NOT_EXIST or ERROR_CLASS_HAS_WINDOWS.
    bool Unregister(LPCWSTR nameOrAtom);

  private:
    std::vector<std::shared_ptr<WindowClass>> classes_;
    ATOM nextAtom_ = 0xC000;
};

bool EqualNoCase(const std::u16string& a, const std::u16string& b);

}  // namespace platform::user

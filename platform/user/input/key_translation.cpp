#include "user/input/key_translation.h"

#include <winuser.h>

namespace platform::user {

char16_t CharacterOfKey(UINT virtualKey, const std::array<BYTE, 256>& keyState) {
    const bool shift = keyState[VK_SHIFT] & 0x80;
    const bool control = keyState[VK_CONTROL] & 0x80;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        if (control) {
            return static_cast<char16_t>(virtualKey - 'A' + 1);
        }
        return static_cast<char16_t>(shift ? virtualKey : virtualKey - 'A' + 'a');
    }
    if (control) {
        return 0;
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        static constexpr char16_t kShiftedDigits[] = u")!@#$%^&*(";
        return shift ? kShiftedDigits[virtualKey - '0'] : static_cast<char16_t>(virtualKey);
    }
    switch (virtualKey) {
        case VK_SPACE:
            return u' ';
        case VK_RETURN:
            return u'\r';
        case VK_BACK:
            return u'\b';
        case VK_TAB:
            return u'\t';
        case VK_ESCAPE:
            return 0x1B;
        default:
            return 0;
    }
}

}  // namespace platform::user

// The input panel: a soft keyboard, 240 x 80, just above the menu bar while it is up. A
// tap on a key types into the focus window as the hardware keys do (WM_KEYDOWN, then the
// program's TranslateMessage makes WM_CHAR, then WM_KEYUP), or posts the character alone
// for punctuation no key of ours types. Shift holds for the next key only.
//
// SHSipPreference's requests reach it as kSipRequestMessage on its own thread. SIP_DOWN
// lowers the panel only once the messages already queued are handled, and not at all if
// SIP_UP comes first, so focus moving from one text box to the next does not flicker it.
#pragma once

#include <windows.h>

#include "shell/shell_window.h"

namespace platform::shell {

struct SoftKey;

class InputPanel final : public ShellWindow {
  public:
    // Makes the panel, hidden; null with the error set.
    static HWND Create();

    InputPanel(HWND window, const CREATESTRUCTW& create);

  private:
    void Paint(HDC dc) override;
    void OnStylusDown(POINT point) override;
    void OnStylusUp(POINT point) override;
    void DescribeContent(nlohmann::json& content) override;
    std::optional<LRESULT> OnClassMessage(UINT message, WPARAM wParam) override;

    void OnSipRequest(int state);
    void OnLowerRequest(WPARAM requestCount);

    void Raise();
    void Lower();
    void Type(const SoftKey& key);
    void InvalidateKey(const SoftKey* key);

    // Counts requests, so that a deferred SIP_DOWN knows whether another came after it.
    WPARAM requestCount_ = 0;
    bool shift_ = false;
    const SoftKey* pressed_ = nullptr;
};

}  // namespace platform::shell

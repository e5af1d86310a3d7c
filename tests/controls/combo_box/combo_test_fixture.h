// A combo box on the recording parent of the control tests: Take() gives the notification
// codes of the WM_COMMANDs it sent, in order. The stylus and the keys go through the
// window manager's input sink, as a person's taps do, and are then pumped.
#pragma once

#include <string>
#include <vector>

#include "controls/basic/control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {

class ComboBoxTest : public ControlTest {
  protected:
    // A combo box whose dropped height is `droppedHeight` (field and list together).
    HWND CreateCombo(DWORD kind, RECT rect, int droppedHeight) {
        const HWND combo = Child(u"ComboBox", u"", WS_VSCROLL | kind,
                                 {rect.left, rect.top, rect.right, rect.top + droppedHeight}, 1000);
        EXPECT_NE(combo, nullptr);
        return combo;
    }

    static void Add(HWND combo, std::initializer_list<const char16_t*> texts) {
        for (const char16_t* text : texts) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }

    static void Tap(POINT screen) {
        PostTap(screen);
        Pump();
    }

    static void TapCentre(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        Tap(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }

    static HWND DroppedList() { return FindWindowW(u"ComboLBox", nullptr); }

    // Taps row `row` of the dropped list, which shows `rows` rows.
    static void TapListRow(int row, int rows) {
        PostTapOnRow(DroppedList(), row, rows);
        Pump();
    }

    static int Selection(HWND combo) {
        return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    }

    std::vector<WORD> Take() {
        std::vector<WORD> codes;
        for (const ParentMessage& command : TakeCommands()) {
            codes.push_back(command.code);
        }
        return codes;
    }
};

using Codes = std::vector<WORD>;

}  // namespace tessalink::test

// The edit control: typing, selection, the limit, line breaks and scrolling, read-only
// text, and the notifications the parent receives, in order.
#include <nlohmann/json.hpp>

#include "control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

using platform::user::StylusAction;
using Range = std::pair<DWORD, DWORD>;

class EditControlTest : public ControlTest {
  protected:
    static Range Selection(HWND edit) {
        Range range;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&range.first),
                     reinterpret_cast<LPARAM>(&range.second));
        return range;
    }
    static Range At(DWORD position) { return {position, position}; }
    static LRESULT FirstVisibleLine(HWND edit) {
        return SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    }
    static void WithKey(UINT modifier, UINT key) {
        platform::user::PostKey(modifier, true);
        Key(key);
        platform::user::PostKey(modifier, false);
        Pump();
    }
    // `count` changes as Windows reports each: EN_UPDATE, then EN_CHANGE.
    static std::vector<ParentMessage> Changes(HWND edit, int count) {
        std::vector<ParentMessage> changes;
        for (int i = 0; i < count; ++i) {
            changes.push_back(Command(edit, EN_UPDATE));
            changes.push_back(Command(edit, EN_CHANGE));
        }
        return changes;
    }
};

TEST_F(EditControlTest, TypingNotifiesEachChangeAfterTheFocusArrives) {
    const HWND edit = Child(u"Edit", u"", WS_BORDER | ES_AUTOHSCROLL, {10, 10, 200, 30}, 1031);
    Tap(edit, 5, 5);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(edit, EN_SETFOCUS)}));
    Type(u"ab");
    EXPECT_EQ(TakeCommands(), Changes(edit, 2));
    Key(VK_BACK);
    Type(u"c");
    EXPECT_EQ(WindowText(edit), u"ac");
    EXPECT_EQ(Selection(edit), At(2));
    EXPECT_EQ(TakeCommands(), Changes(edit, 2));
    Key(VK_LEFT);
    Key(VK_LEFT);
    Key(VK_BACK);  // nothing before the caret: no change, no notification
    Key(VK_DELETE);
    EXPECT_EQ(WindowText(edit), u"c");
    EXPECT_EQ(TakeCommands(), Changes(edit, 1));
    SetFocus(parent_);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(edit, EN_KILLFOCUS)}));
    EXPECT_EQ(DumpContent(edit), (nlohmann::json{{"text", "c"},
                                                 {"selectionStart", 0},
                                                 {"selectionEnd", 0},
                                                 {"caret", 0},
                                                 {"readOnly", false}}));
}

TEST_F(EditControlTest, SetSelFollowsTheWindowsConventions) {
    const HWND edit = Child(u"Edit", u"address", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 7));
    SendMessageW(edit, EM_SETSEL, 5, 2);  // backwards: the caret ends at 2
    EXPECT_EQ(Selection(edit), (Range{2, 5}));
    EXPECT_EQ(DumpContent(edit)["caret"], 2);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Selection(edit), At(2)) << "-1 drops the selection where the caret is";
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 3, 100);
    EXPECT_EQ(Selection(edit), (Range{3, 7}));
    Type(u"X");
    EXPECT_EQ(WindowText(edit), u"addX");
}

TEST_F(EditControlTest, TheLimitCutsWhatTheUserTypesAndWhatReplacesTheSelection) {
    const HWND edit = Child(u"Edit", u"", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    SendMessageW(edit, EM_LIMITTEXT, 3, 0);
    SetFocus(edit);
    TakeCommands();
    Type(u"abcd");
    EXPECT_EQ(WindowText(edit), u"abc");
    std::vector<ParentMessage> expected = Changes(edit, 3);
    expected.push_back(Command(edit, EN_MAXTEXT));
    EXPECT_EQ(TakeCommands(), expected);
    SendMessageW(edit, EM_SETSEL, 1, 2);
    Send(edit, EM_REPLACESEL, FALSE, u"XYZ");
    EXPECT_EQ(WindowText(edit), u"aXc") << "a replacement is cut to the room left";
    SendMessageW(edit, EM_SETSEL, 1, 3);
    Send(edit, EM_REPLACESEL, FALSE, u"Y\r\nZ");
    EXPECT_EQ(WindowText(edit), u"aY") << "a cut never keeps half a line break";
}

TEST_F(EditControlTest, ReadOnlyRefusesEditingButNotTheCaret) {
    const HWND edit = Child(u"Edit", u"fixed", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                            {10, 10, 200, 80}, 1030);
    Tap(edit, 150, 5);
    TakeCommands();
    EXPECT_EQ(Selection(edit), At(5));
    Type(u"x\r");
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(WindowText(edit), u"fixed");
    EXPECT_EQ(Selection(edit), At(0));
    EXPECT_TRUE(TakeCommands().empty());
    // Read-only text is coloured as static text.
    InvalidateRect(edit, nullptr, TRUE);
    Pump();
    EXPECT_EQ(received_.back(), (ParentMessage{WM_CTLCOLORSTATIC, 0, 0, edit}));
}

TEST_F(EditControlTest, LineBreaksAreOneStepForTheCaret) {
    const HWND edit =
        Child(u"Edit", u"abc\r\nde", ES_MULTILINE | ES_AUTOVSCROLL, {10, 10, 200, 100}, 1);
    SetFocus(edit);
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(edit, EM_LINEINDEX, 1, 0), 5);
    EXPECT_EQ(SendMessageW(edit, EM_LINEFROMCHAR, 6, 0), 1);
    SendMessageW(edit, EM_SETSEL, 7, 7);
    Key(VK_HOME);
    EXPECT_EQ(Selection(edit), At(5));
    Key(VK_LEFT);
    EXPECT_EQ(Selection(edit), At(3)) << "left steps over both halves of the break";
    EXPECT_EQ(SendMessageW(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0);
    WithKey(VK_SHIFT, VK_DOWN);
    EXPECT_EQ(Selection(edit), (Range{3, 7}));
    SendMessageW(edit, EM_SETSEL, 4, 4);
    EXPECT_EQ(Selection(edit), At(3)) << "the caret never stands inside a break";
}

TEST_F(EditControlTest, EnterAndTabStayTheDialogsUnlessTheControlWantsReturn) {
    constexpr UINT kKeys = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const struct {
        DWORD style;
        UINT key;
        LRESULT code;
    } rows[] = {
        {0, 0, kKeys},
        {ES_MULTILINE, 0, kKeys | DLGC_WANTALLKEYS},
        {ES_MULTILINE, VK_RETURN, kKeys},
        {ES_MULTILINE | ES_WANTRETURN, VK_RETURN, kKeys | DLGC_WANTALLKEYS},
    };
    for (const auto& row : rows) {
        const HWND edit = Child(u"Edit", u"", row.style, {10, 10, 200, 60}, 1);
        MSG key{edit, WM_KEYDOWN, row.key, 0, 0, {}};
        EXPECT_EQ(
            SendMessageW(edit, WM_GETDLGCODE, 0, row.key ? reinterpret_cast<LPARAM>(&key) : 0),
            row.code)
            << std::hex << row.style << " key " << row.key;
        DestroyWindow(edit);
    }
}

TEST_F(EditControlTest, MultiLineTextWrapsOnlyWithoutHorizontalScrolling) {
    const LPCWSTR text = u"Ping Address - 10.0.0.1 Reply from 10.0.0.1 time 5 ms";
    const HWND wrapping =
        Child(u"Edit", text, ES_MULTILINE | ES_AUTOVSCROLL, {10, 10, 100, 100}, 1);
    const HWND scrolling = Child(u"Edit", text, ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                 {10, 110, 100, 200}, 2);
    EXPECT_GE(SendMessageW(wrapping, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(scrolling, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditControlTest, ScrollingKeepsTheCaretInView) {
    const HWND single = Child(u"Edit", u"", ES_AUTOHSCROLL, {10, 10, 60, 30}, 1);
    SetFocus(single);
    Type(u"www.example.com.invalid");
    EXPECT_GT(FirstVisibleLine(single), 0) << "the start scrolled out of view";
    Key(VK_HOME);
    EXPECT_EQ(FirstVisibleLine(single), 0);

    const HWND multi =
        Child(u"Edit", u"", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, {10, 40, 200, 80}, 2);
    SetFocus(multi);
    Type(u"1\r2\r3\r4\r5\r6");
    EXPECT_GT(FirstVisibleLine(multi), 0);
    WithKey(VK_CONTROL, VK_HOME);
    EXPECT_EQ(FirstVisibleLine(multi), 0);
}

TEST_F(EditControlTest, ATapPlacesTheCaretAndADragSelects) {
    const HWND edit = Child(u"Edit", u"ping host", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    Tap(edit, 180, 10);
    EXPECT_EQ(Selection(edit), At(9));
    Tap(edit, 0, 10);
    EXPECT_EQ(Selection(edit), At(0));
    Stylus(StylusAction::Down, edit, 0, 10);
    Stylus(StylusAction::Move, edit, 180, 10);
    Stylus(StylusAction::Up, edit, 180, 10);
    EXPECT_EQ(Selection(edit), (Range{0, 9}));
    EXPECT_EQ(GetCapture(), nullptr);
}

// The caret is seen in the golden screen of the gallery with the input panel up.
TEST_F(EditControlTest, TheSelectionIsPaintedOnlyWithTheFocus) {
    const HWND edit = Child(u"Edit", u"selected", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    const RECT area{0, 0, 190, 20};
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Pump();
    const RECT none = InkBounds(edit, area, highlight);
    EXPECT_GE(none.left, none.right) << "the selection is hidden without the focus";
    SetFocus(edit);
    Pump();
    const RECT band = InkBounds(edit, area, highlight);
    EXPECT_LE(band.left, 3);
    EXPECT_GT(band.right, 20);
    EXPECT_LT(band.right, 100);
}

}  // namespace
}  // namespace tessalink::test

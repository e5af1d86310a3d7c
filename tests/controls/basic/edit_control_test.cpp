// The edit control: typing, selection, the limit, line breaks and scrolling, read-only
// text, and the notifications the parent receives, in order.
#include <nlohmann/json.hpp>

#include "control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

using platform::user::StylusAction;

class EditControlTest : public ControlTest {
  protected:
    static std::u16string Text(HWND edit) {
        WCHAR text[256] = {};
        GetWindowTextW(edit, text, 256);
        return text;
    }

    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    static std::pair<DWORD, DWORD> At(DWORD position) { return {position, position}; }

    static void SetText(HWND edit, LPCWSTR text) {
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    // One user's change as Windows reports it: EN_UPDATE, then EN_CHANGE.
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
    EXPECT_EQ(Text(edit), u"ac");
    EXPECT_EQ(Selection(edit), At(2));
    EXPECT_EQ(TakeCommands(), Changes(edit, 2));
    Key(VK_LEFT);
    Key(VK_LEFT);
    Key(VK_BACK);  // nothing before the caret: no change, no notification
    Key(VK_DELETE);
    EXPECT_EQ(Text(edit), u"c");
    EXPECT_EQ(TakeCommands(), Changes(edit, 1));
    SetFocus(parent_);
    EXPECT_EQ(TakeCommands(), (std::vector{Command(edit, EN_KILLFOCUS)}));
    EXPECT_EQ(DumpContent(edit), (nlohmann::json{{"text", "c"},
                                                 {"selectionStart", 0},
                                                 {"selectionEnd", 0},
                                                 {"caret", 0},
                                                 {"readOnly", false}}));
}

TEST_F(EditControlTest, AParentMayDestroyTheEditWhileItReportsAChange) {
    const HWND edit = Child(u"Edit", u"", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    SetFocus(edit);
    onCommand = [&](const ParentMessage& entry) {
        if (entry.code == EN_UPDATE) {
            DestroyWindow(edit);
        }
    };
    Type(u"a");
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(EditControlTest, ProgramChangesNotifyAsWindowsDoes) {
    const HWND single = Child(u"Edit", u"", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    const HWND multi = Child(u"Edit", u"", ES_MULTILINE | ES_AUTOVSCROLL, {10, 40, 200, 90}, 2);
    SetText(single, u"host");
    EXPECT_EQ(TakeCommands(), Changes(single, 1)) << "a single-line control reports new text";
    SetText(multi, u"one\r\ntwo");
    SendMessageW(single, EM_SETSEL, 1, 3);
    EXPECT_TRUE(TakeCommands().empty()) << "neither multi-line text nor selection is reported";
    SendMessageW(single, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"OO"));
    EXPECT_EQ(Text(single), u"hOOt");
    EXPECT_EQ(Selection(single), At(3));
    EXPECT_EQ(TakeCommands(), Changes(single, 1));
    EXPECT_EQ(Text(multi), u"one\r\ntwo");
    EXPECT_EQ(GetWindowTextLengthW(multi), 8);
}

TEST_F(EditControlTest, SetSelFollowsTheWindowsConventions) {
    const HWND edit = Child(u"Edit", u"address", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 7}));
    EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 7));
    SendMessageW(edit, EM_SETSEL, 5, 2);  // backwards: the caret ends at 2
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{2, 5}));
    EXPECT_EQ(DumpContent(edit)["caret"], 2);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Selection(edit), At(2)) << "-1 drops the selection where the caret is";
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 3, 100);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{3, 7}));
    Type(u"X");
    EXPECT_EQ(Text(edit), u"addX");
}

TEST_F(EditControlTest, TheLimitHoldsForTheUserButNotForSetText) {
    const HWND edit = Child(u"Edit", u"", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 32767);
    SendMessageW(edit, EM_LIMITTEXT, 3, 0);
    SetFocus(edit);
    TakeCommands();
    Type(u"abcd");
    EXPECT_EQ(Text(edit), u"abc");
    std::vector<ParentMessage> expected = Changes(edit, 3);
    expected.push_back(Command(edit, EN_MAXTEXT));
    EXPECT_EQ(TakeCommands(), expected);
    SendMessageW(edit, EM_SETSEL, 1, 2);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"XYZ"));
    EXPECT_EQ(Text(edit), u"aXc") << "a replacement is cut to the room left";
    SetText(edit, u"longer than three");
    EXPECT_EQ(Text(edit), u"longer than three");
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    EXPECT_GT(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 0x10000000);
}

TEST_F(EditControlTest, ReadOnlyRefusesEditingButNotTheCaretNorTheProgram) {
    const HWND edit = Child(u"Edit", u"fixed", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                            {10, 10, 200, 80}, 1030);
    Tap(edit, 150, 5);
    TakeCommands();
    EXPECT_EQ(Selection(edit), At(5));
    Type(u"x\r");
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(Text(edit), u"fixed");
    EXPECT_EQ(Selection(edit), At(0));
    EXPECT_TRUE(TakeCommands().empty());
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"un"));
    EXPECT_EQ(Text(edit), u"unfixed");

    // Read-only text is coloured as static text; EM_SETREADONLY switches back.
    received_.clear();
    InvalidateRect(edit, nullptr, TRUE);
    Pump();
    EXPECT_EQ(received_.back(), (ParentMessage{WM_CTLCOLORSTATIC, 0, 0, edit}));
    EXPECT_TRUE(SendMessageW(edit, EM_SETREADONLY, FALSE, 0));
    EXPECT_EQ(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY, 0);
    received_.clear();
    Pump();
    EXPECT_EQ(received_.back(), (ParentMessage{WM_CTLCOLOREDIT, 0, 0, edit}));
    Type(u"!");
    EXPECT_EQ(Text(edit), u"un!fixed");
}

TEST_F(EditControlTest, LineBreaksAreOneStepForTheCaret) {
    const HWND edit =
        Child(u"Edit", u"", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, {10, 10, 200, 100}, 1);
    SetFocus(edit);
    Type(u"abc\rde");
    EXPECT_EQ(Text(edit), u"abc\r\nde");
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(edit, EM_LINEINDEX, 1, 0), 5);
    EXPECT_EQ(SendMessageW(edit, EM_LINEFROMCHAR, 6, 0), 1);
    Key(VK_HOME);
    EXPECT_EQ(Selection(edit), At(5));
    Key(VK_LEFT);
    EXPECT_EQ(Selection(edit), At(3)) << "left steps over both halves of the break";
    Key(VK_RIGHT);
    Key(VK_BACK);
    EXPECT_EQ(Text(edit), u"abcde") << "backspace joins the lines";
    Type(u"\r");
    Key(VK_UP);
    EXPECT_EQ(SendMessageW(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0);
    Key(VK_END);
    EXPECT_EQ(Selection(edit), At(3));
    platform::user::PostKey(VK_SHIFT, true);
    Key(VK_DOWN);
    platform::user::PostKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{3, 7}));
    SendMessageW(edit, EM_SETSEL, 4, 4);
    EXPECT_EQ(Selection(edit), At(3)) << "the caret never stands inside a break";
    EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0),
              DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS);
}

TEST_F(EditControlTest, EnterAndTabStayTheDialogsUnlessTheControlWantsReturn) {
    const HWND multi = Child(u"Edit", u"", ES_MULTILINE, {10, 10, 200, 60}, 1);
    const HWND wantsReturn =
        Child(u"Edit", u"", ES_MULTILINE | ES_WANTRETURN, {10, 70, 200, 120}, 2);
    const HWND single = Child(u"Edit", u"", 0, {10, 130, 200, 150}, 3);
    MSG enter{multi, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    MSG tab{multi, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    const auto code = [](HWND edit, MSG* msg) {
        return SendMessageW(edit, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(msg));
    };
    EXPECT_EQ(code(multi, &enter) & DLGC_WANTALLKEYS, 0);
    EXPECT_EQ(code(multi, &tab) & DLGC_WANTALLKEYS, 0);
    EXPECT_EQ(code(wantsReturn, &enter) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    EXPECT_EQ(code(single, nullptr), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(EditControlTest, MultiLineTextWrapsOnlyWithoutHorizontalScrolling) {
    const LPCWSTR text = u"Ping Address - 10.0.0.1 Reply from 10.0.0.1 time 5 ms";
    const HWND wrapping =
        Child(u"Edit", text, ES_MULTILINE | ES_AUTOVSCROLL, {10, 10, 100, 100}, 1);
    const HWND scrolling = Child(u"Edit", text, ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                 {10, 110, 100, 200}, 2);
    const LRESULT lines = SendMessageW(wrapping, EM_GETLINECOUNT, 0, 0);
    EXPECT_GE(lines, 3);
    EXPECT_EQ(SendMessageW(scrolling, EM_GETLINECOUNT, 0, 0), 1);
    // Every wrapped line but the last starts a word.
    for (LRESULT line = 1; line < lines; ++line) {
        const auto start = static_cast<std::size_t>(SendMessageW(wrapping, EM_LINEINDEX, line, 0));
        EXPECT_EQ(std::u16string_view(text).at(start - 1), u' ') << "line " << line;
    }
}

TEST_F(EditControlTest, ScrollingKeepsTheCaretInView) {
    const HWND single = Child(u"Edit", u"", ES_AUTOHSCROLL, {10, 10, 60, 30}, 1);
    SetFocus(single);
    Type(u"www.example.com.invalid");
    const LRESULT firstShown = SendMessageW(single, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(firstShown, 0) << "the start scrolled out of view";
    Key(VK_HOME);
    EXPECT_EQ(SendMessageW(single, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    const HWND multi =
        Child(u"Edit", u"", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, {10, 40, 200, 80}, 2);
    SetFocus(multi);
    Type(u"1\r2\r3\r4\r5\r6");
    const LRESULT first = SendMessageW(multi, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 0);
    EXPECT_LE(first, 5);
    platform::user::PostKey(VK_CONTROL, true);
    Key(VK_HOME);
    platform::user::PostKey(VK_CONTROL, false);
    Pump();
    EXPECT_EQ(SendMessageW(multi, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(EditControlTest, WithoutAutomaticScrollingTextThatWouldNotFitIsRefused) {
    const HWND single = Child(u"Edit", u"", 0, {10, 10, 40, 30}, 1);
    SetFocus(single);
    TakeCommands();
    Type(u"WWWWWWWWWWWW");
    const std::u16string kept = Text(single);
    EXPECT_LT(kept.size(), 12u);
    EXPECT_GT(kept.size(), 0u);
    const std::vector<ParentMessage> commands = TakeCommands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), Command(single, EN_MAXTEXT));
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
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 9}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditControlTest, SelectionAndCaretArePainted) {
    const HWND edit = Child(u"Edit", u"selected", ES_AUTOHSCROLL, {10, 10, 200, 30}, 1);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Pump();
    const RECT none = InkBounds(edit, {0, 0, 190, 20}, highlight);
    EXPECT_GE(none.left, none.right) << "the selection is hidden without the focus";
    SetFocus(edit);
    Pump();
    const RECT band = InkBounds(edit, {0, 0, 190, 20}, highlight);
    EXPECT_LE(band.left, 3);
    EXPECT_GT(band.right, 20);
    EXPECT_LT(band.right, 100);

    // Collapsed after the text, the caret is one column of ink just past it, shown only
    // while the control has the focus.
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    SendMessageW(edit, EM_SETSEL, 8, 8);
    SetFocus(parent_);
    Pump();
    const RECT text = InkBounds(edit, {0, 0, 190, 20}, ink);
    SetFocus(edit);
    Pump();
    const RECT caret = InkBounds(edit, {text.right, 0, 190, 20}, ink);
    EXPECT_EQ(caret.right - caret.left, 1);
    EXPECT_LE(caret.left - text.right, 2);
    EXPECT_GE(caret.bottom - caret.top, 10);
}

}  // namespace
}  // namespace tessalink::test

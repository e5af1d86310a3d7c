// Making dialogs: the order of fonts, controls, WM_INITDIALOG and the first focus; the
// size the dialog font gives a template; what an indirect template hands its controls;
// the dialog procedure's answers; and creation that fails without leaving windows behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <initializer_list>
#include <iterator>

#include "dialog_fixture.h"

namespace tessalink::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

TEST_F(DialogTest, ChildDialogFontsControlsThenInitialisesAndFocusesTheFirstTabStop) {
    const HWND frame = CreateFrame();
    const HWND page = CreatePage(frame);
    std::vector<std::string> expected{"dlg WM_SETFONT"};
    for (const char* name : {"label", "edit", "one", "two", "three", "ok", "cancel"}) {
        for (const char* message : {" WM_CREATE", " WM_SHOWWINDOW 1", " WM_SETFONT"}) {
            expected.push_back(std::string(name) + message);
        }
    }
    expected.insert(expected.end(), {"dlg WM_INITDIALOG", "edit EM_SETSEL", "edit WM_SETFOCUS",
                                     "dlg WM_SHOWWINDOW 1"});
    EXPECT_EQ(TakeTrace(), expected);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 10));
    // Controls are children whatever the template says, and keep their ids and titles.
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, 0xFFFF), GWL_STYLE) & WS_CHILD);
    WCHAR text[16]{};
    EXPECT_EQ(GetDlgItemTextW(page, IDCANCEL, text, 16), 6u);
    EXPECT_EQ(std::u16string{text}, u"Cancel");
    EXPECT_EQ(GetDlgItemTextW(page, 99, text, 16), 0u);
    EXPECT_EQ(text[0], u'\0') << "a missing item leaves an empty text";

    // Answering FALSE leaves the focus alone.
    SetInitDialogAnswer(FALSE);
    const HWND focus = GetFocus();
    ASSERT_NE(CreatePage(frame), nullptr);
    EXPECT_THAT(TakeTrace(), Not(Contains("edit WM_SETFOCUS")));
    EXPECT_EQ(GetFocus(), focus);
}

TEST_F(DialogTest, DialogUnitsComeFromTheDialogFont) {
    const HWND frame = CreateFrame();
    const HWND page = CreatePage(frame);
    RECT units{0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(page, &units));
    // MS Sans Serif 8 averages 6 pixels a character.
    EXPECT_EQ((std::array{units.right, units.bottom}), (std::array<LONG, 2>{6, 13}));
    // The 156 x 150 page fills the screen's width and the space above the tab strip.
    RECT client{};
    GetClientRect(page, &client);
    EXPECT_EQ((std::array{client.right, client.bottom}), (std::array<LONG, 2>{234, 244}));
    // OK at 5, 130 and 50 x 14 units: origin and size are converted apart.
    RECT ok{};
    GetWindowRect(GetDlgItem(page, IDOK), &ok);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_EQ((std::array{ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top}),
              (std::array<LONG, 4>{8, 211, 75, 23}));
    EXPECT_FALSE(MapDialogRect(frame, &units)) << "only a dialog has dialog units";
}

// A procedure that answers a message of its own through DWLP_MSGRESULT.
INT_PTR CALLBACK AnsweringDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 5) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1234);
        return TRUE;
    }
    return RecordingDialogProc(dialog, message, wParam, lParam);
}

TEST_F(DialogTest, HandledMessagesAnswerThroughMsgResultAndCloseCancels) {
    const HWND page = CreatePage(CreateFrame(), 100, AnsweringDialogProc);
    EXPECT_EQ(SendMessageW(page, WM_USER + 5, 0, 0), 1234);
    EXPECT_EQ(SendMessageW(page, WM_USER + 6, 0, 0), 0);
    TakeTrace();
    SendMessageW(page, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(page)) << "closing a dialog is cancelling it, not destroying it";
    PumpDialog(page);
    EXPECT_THAT(TakeTrace(), ElementsAre("dlg WM_COMMAND 2 0"));
}

constexpr WCHAR kCreationDataClass[] = u"CreationDataControl";
// The creation data each control of the class received, in order.
std::vector<std::vector<std::uint8_t>> receivedCreationData;

LRESULT CALLBACK CreationDataProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        const auto* data = static_cast<const std::uint8_t*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        const int size = data ? data[0] | data[1] << 8 : 0;
        receivedCreationData.emplace_back(data, data ? data + 2 + size : data);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A classic template written word by word, as no resource script can: two controls of
// the CreationDataControl class, the first with three bytes of creation data, so the
// second starts after padding.
std::vector<WORD> CreationDataTemplate() {
    // Style, extended style, two items at 0, 0 in 100 x 50; no menu, class or title.
    std::vector<WORD> words{0, HIWORD(WS_CHILD), 0, 0, 2, 0, 0, 100, 50, 0, 0, 0};
    const auto item = [&](WORD id, char16_t title, std::initializer_list<WORD> data) {
        words.resize((words.size() + 1) / 2 * 2);  // items start on a DWORD
        // Style, extended style, place and size, id, class, title and the data.
        words.insert(words.end(), {0, HIWORD(WS_VISIBLE), 0, 0, 1, 2, 30, 10, id});
        words.insert(words.end(), std::begin(kCreationDataClass), std::end(kCreationDataClass));
        words.insert(words.end(), {WORD{title}, 0});
        words.insert(words.end(), data);
    };
    item(7, u'a', {3, 0xBBAA, 0xCC});
    item(8, u'x', {0});
    return words;
}

TEST_F(DialogTest, IndirectTemplateHandsCreationDataToItsControlAndAlignsTheNext) {
    RegisterWindowClass(kCreationDataClass, CreationDataProc);
    receivedCreationData.clear();
    const std::vector<WORD> words = CreationDataTemplate();
    const HWND dialog =
        CreateIndirect(CreateFrame(), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()));
    EXPECT_THAT(receivedCreationData,
                ElementsAre(ElementsAre(3, 0, 0xAA, 0xBB, 0xCC), ElementsAre()));
    WCHAR title[4]{};
    EXPECT_EQ(GetDlgItemTextW(dialog, 8, title, 4), 1u);
    EXPECT_EQ(std::u16string{title}, u"x");
    EXPECT_FALSE(IsWindowVisible(dialog)) << "the template did not ask for WS_VISIBLE";
}

INT_PTR CALLBACK SelfDestroyingDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        DestroyWindow(dialog);
    }
    return FALSE;
}

TEST_F(DialogTest, CreationFailsCleanly) {
    const HWND frame = CreateFrame();
    EXPECT_EQ(CreatePage(frame, 200), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(CreatePage(frame, 999), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(CreateIndirect(frame, nullptr), nullptr);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(200), frame, RecordingDialogProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(CreatePage(frame, 100, SelfDestroyingDialogProc), nullptr)
        << "a dialog that destroys itself in WM_INITDIALOG is not returned";

    // A control of a class nobody registered fails the whole dialog; nothing is left.
    // DS_NOFAILCREATE keeps the dialog with the controls that could be made.
    TakeTrace();
    EXPECT_EQ(CreatePage(frame, 103), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(GetWindow(frame, GW_CHILD), nullptr);
    EXPECT_THAT(TakeTrace(), Not(Contains("dlg WM_INITDIALOG")));
    const HWND kept = CreatePage(frame, 104);
    EXPECT_NE(GetDlgItem(kept, 5), nullptr);
    EXPECT_EQ(GetDlgItem(kept, 6), nullptr);
}

}  // namespace
}  // namespace tessalink::test

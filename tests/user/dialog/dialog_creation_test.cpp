// Making dialogs: the order of fonts, controls, WM_INITDIALOG and the first focus; the
// size the dialog font gives a template; the item functions; the dialog procedure's
// answers; and creation that fails without leaving windows behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "dialog_test_fixture.h"
#include "template_writer.h"

namespace tessalink::test {
namespace {

using ::testing::ElementsAre;

TEST_F(DialogTest, ChildDialogFontsControlsThenInitialisesAndFocusesTheFirstTabStop) {
    const HWND frame = CreateFrame();
    DialogTrace::Instance().Clear();
    const HWND page = CreatePage(frame);
    ASSERT_NE(page, nullptr);
    EXPECT_THAT(
        DialogTrace::Instance().Take(),
        ElementsAre("dlg WM_SETFONT", "label WM_CREATE", "label WM_SHOWWINDOW 1",
                    "label WM_SETFONT", "edit WM_CREATE", "edit WM_SHOWWINDOW 1", "edit WM_SETFONT",
                    "one WM_CREATE", "one WM_SHOWWINDOW 1", "one WM_SETFONT", "two WM_CREATE",
                    "two WM_SHOWWINDOW 1", "two WM_SETFONT", "three WM_CREATE",
                    "three WM_SHOWWINDOW 1", "three WM_SETFONT", "ok WM_CREATE",
                    "ok WM_SHOWWINDOW 1", "ok WM_SETFONT", "cancel WM_CREATE",
                    "cancel WM_SHOWWINDOW 1", "cancel WM_SETFONT", "dlg WM_INITDIALOG",
                    "edit EM_SETSEL", "edit WM_SETFOCUS", "dlg WM_SHOWWINDOW 1"));
    EXPECT_EQ(GetParent(page), frame);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 10));
    EXPECT_TRUE(IsWindowVisible(page));
    // Controls are children whatever the template says, and keep their ids.
    const HWND label = GetDlgItem(page, 0xFFFF);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(GetWindowLongW(label, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetDlgCtrlID(GetDlgItem(page, IDCANCEL)), IDCANCEL);
    WCHAR className[16]{};
    GetClassNameW(page, className, 16);
    EXPECT_EQ(std::u16string{className}, u"#32770");
}

TEST_F(DialogTest, InitDialogAnswerFalseLeavesTheFocusAlone) {
    const HWND frame = CreateFrame();
    SetInitDialogAnswer(FALSE);
    const HWND focus = GetFocus();
    DialogTrace::Instance().Clear();
    const HWND page = CreatePage(frame);
    ASSERT_NE(page, nullptr);
    const auto lines = DialogTrace::Instance().Take();
    EXPECT_THAT(lines, ::testing::Not(::testing::Contains("edit WM_SETFOCUS")));
    EXPECT_EQ(GetFocus(), focus);
}

TEST_F(DialogTest, DialogUnitsComeFromTheDialogFont) {
    const HWND frame = CreateFrame();
    const HWND page = CreatePage(frame);
    ASSERT_NE(page, nullptr);
    RECT units{0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(page, &units));
    EXPECT_EQ(units.right, 6) << "MS Sans Serif 8 averages 6 pixels a character";
    EXPECT_EQ(units.bottom, 13);
    // The 156 x 150 page fills the screen's width and the space above the tab strip.
    RECT client{};
    GetClientRect(page, &client);
    EXPECT_EQ(client.right, 234);
    EXPECT_EQ(client.bottom, 244);
    // OK at 5, 130 and 50 x 14 units: origin and size are converted apart.
    RECT ok{};
    GetWindowRect(GetDlgItem(page, IDOK), &ok);
    POINT origin{ok.left, ok.top};
    ScreenToClient(page, &origin);
    EXPECT_EQ(origin.x, 8);
    EXPECT_EQ(origin.y, 211);
    EXPECT_EQ(ok.right - ok.left, 75);
    EXPECT_EQ(ok.bottom - ok.top, 23);

    EXPECT_FALSE(MapDialogRect(frame, &units)) << "only a dialog has dialog units";
    const LONG base = GetDialogBaseUnits();
    EXPECT_GT(LOWORD(base), 0);
    EXPECT_GT(HIWORD(base), 0);
}

TEST_F(DialogTest, ItemFunctionsReachControlsById) {
    const HWND frame = CreateFrame();
    const HWND page = CreatePage(frame);
    ASSERT_NE(page, nullptr);
    DialogTrace::Instance().Clear();

    EXPECT_TRUE(SetDlgItemTextW(page, 10, u"host"));
    WCHAR text[8]{};
    EXPECT_EQ(GetDlgItemTextW(page, 10, text, 8), 4u);
    EXPECT_EQ(std::u16string{text}, u"host");
    EXPECT_EQ(GetDlgItemTextW(page, 10, text, 3), 2u) << "cut to fit, terminated";
    EXPECT_EQ(std::u16string{text}, u"ho");

    EXPECT_FALSE(SetDlgItemTextW(page, 99, u"x"));
    text[0] = u'z';
    EXPECT_EQ(GetDlgItemTextW(page, 99, text, 8), 0u);
    EXPECT_EQ(text[0], u'\0');
    EXPECT_EQ(SendDlgItemMessageW(page, 99, BM_GETCHECK, 0, 0), 0);

    EXPECT_TRUE(CheckDlgButton(page, 11, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(page, 11), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(page, 12), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_FALSE(CheckDlgButton(page, 99, BST_CHECKED));
    EXPECT_THAT(DialogTrace::Instance().Take(),
                ElementsAre("one BM_SETCHECK 1", "one BM_GETCHECK", "two BM_GETCHECK"));

    EXPECT_EQ(SendMessageW(page, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    // The controls got the dialog's font, which the dialog reports too.
    EXPECT_NE(SendMessageW(page, WM_GETFONT, 0, 0), 0);
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
    const HWND frame = CreateFrame();
    const HWND page =
        CreateDialogParamW(nullptr, MAKEINTRESOURCEW(100), frame, AnsweringDialogProc, 0);
    windows_.push_back(page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SendMessageW(page, WM_USER + 5, 0, 0), 1234);
    EXPECT_EQ(SendMessageW(page, WM_USER + 6, 0, 0), 0);
    EXPECT_EQ(GetWindowLongPtrW(page, DWLP_DLGPROC),
              reinterpret_cast<LONG_PTR>(AnsweringDialogProc));
    SetWindowLongPtrW(page, DWLP_USER, 99);
    EXPECT_EQ(GetWindowLongPtrW(page, DWLP_USER), 99);

    // A control that does not handle WM_FORWARDMSG answers 0, so the page goes on to its
    // own dialog handling.
    MSG forwarded{page, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(
        SendMessageW(GetDlgItem(page, 10), WM_FORWARDMSG, 0, reinterpret_cast<LPARAM>(&forwarded)),
        0);

    DialogTrace::Instance().Clear();
    SendMessageW(page, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(page)) << "closing a dialog is cancelling it, not destroying it";
    PumpDialog(page);
    EXPECT_THAT(DialogTrace::Instance().Take(), ElementsAre("dlg WM_COMMAND 2 0"));
}

// Records the creation data a control receives.
std::vector<std::uint8_t> receivedCreationData;

LRESULT CALLBACK CreationDataProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const auto* data = static_cast<const std::uint8_t*>(create->lpCreateParams);
        receivedCreationData.clear();
        if (data) {
            std::uint16_t size = 0;
            std::memcpy(&size, data, sizeof size);
            receivedCreationData.assign(data, data + 2 + size);
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(DialogTest, IndirectTemplateHandsCreationDataToItsControl) {
    RegisterWindowClass(u"CreationDataControl", CreationDataProc);
    const HWND frame = CreateFrame();
    TemplateWriter writer{WS_CHILD, 1, 100, 50};
    writer.Item(WS_VISIBLE, 5, u"CreationDataControl", u"", {0x11, 0x22});
    const HWND dialog =
        CreateDialogIndirectParamW(nullptr, writer.Template(), frame, RecordingDialogProc, 0);
    windows_.push_back(dialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_THAT(receivedCreationData, ElementsAre(2, 0, 0x11, 0x22));
    EXPECT_FALSE(IsWindowVisible(dialog)) << "the template did not ask for WS_VISIBLE";
}

TEST_F(DialogTest, CreationFailsCleanly) {
    const HWND frame = CreateFrame();
    EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(200), frame, RecordingDialogProc, 0),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(999), frame, RecordingDialogProc, 0),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(CreateDialogIndirectParamW(nullptr, nullptr, frame, RecordingDialogProc, 0), nullptr);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(200), frame, RecordingDialogProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(frame));

    // A control of a class nobody registered fails the whole dialog; nothing is left.
    TemplateWriter writer{WS_CHILD, 2, 100, 50};
    writer.Item(WS_VISIBLE, 5, kTestStatic, u"");
    writer.Item(WS_VISIBLE, 6, u"NoSuchClass", u"");
    DialogTrace::Instance().Clear();
    EXPECT_EQ(CreateDialogIndirectParamW(nullptr, writer.Template(), frame, RecordingDialogProc, 0),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(GetWindow(frame, GW_CHILD), nullptr);
    EXPECT_THAT(DialogTrace::Instance().Take(),
                ::testing::Not(::testing::Contains("dlg WM_INITDIALOG")));

    // DS_NOFAILCREATE keeps the dialog with the controls that could be made.
    TemplateWriter tolerant{WS_CHILD | DS_NOFAILCREATE, 2, 100, 50};
    tolerant.Item(WS_VISIBLE, 5, kTestStatic, u"");
    tolerant.Item(WS_VISIBLE, 6, u"NoSuchClass", u"");
    const HWND dialog =
        CreateDialogIndirectParamW(nullptr, tolerant.Template(), frame, RecordingDialogProc, 0);
    windows_.push_back(dialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(GetDlgItem(dialog, 5), nullptr);
    EXPECT_EQ(GetDlgItem(dialog, 6), nullptr);
}

INT_PTR CALLBACK SelfDestroyingDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        DestroyWindow(dialog);
    }
    return FALSE;
}

TEST_F(DialogTest, DialogThatDestroysItselfInInitDialogIsNotReturned) {
    const HWND frame = CreateFrame();
    EXPECT_EQ(
        CreateDialogParamW(nullptr, MAKEINTRESOURCEW(100), frame, SelfDestroyingDialogProc, 0),
        nullptr);
    EXPECT_EQ(GetWindow(frame, GW_CHILD), nullptr);
}

}  // namespace
}  // namespace tessalink::test

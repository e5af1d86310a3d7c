// The program's dialog templates, instantiated from its own resources with the real
// controls, as the frame and the About command do: the controls each page looks up
// by id exist with the class and style its code relies on, and they sit where the
// pages' layout code expects them.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "controls/control_classes.h"
#include "resources/resource.h"
#include "user/message_log.h"

namespace tessalink::test {
namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

class DialogTemplatesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::controls::RegisterSystemControlClasses();
        const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES |
                                                                          ICC_TREEVIEW_CLASSES |
                                                                          ICC_TAB_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        RegisterWindowClass(u"TemplatesTestFrame", DefWindowProcW);
        frame_ = CreateWindowExW(0, u"TemplatesTestFrame", u"frame", WS_VISIBLE, 0, 0, 240, 320,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(frame_, nullptr);
    }

    void TearDown() override {
        if (dialog_ != nullptr) {
            DestroyWindow(dialog_);
        }
        DestroyWindow(frame_);
    }

    // Creates the dialog from the module's template as the program does: the
    // resource found, loaded and used as stored.
    HWND Create(int templateId, HWND parent) {
        const HMODULE module = GetModuleHandleW(nullptr);
        const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
        EXPECT_NE(found, nullptr) << "dialog " << templateId;
        if (found == nullptr) {
            return nullptr;
        }
        const auto* dialogTemplate =
            static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(module, found)));
        dialog_ = CreateDialogIndirectParamW(module, dialogTemplate, parent, PlainDialogProc, 0);
        EXPECT_NE(dialog_, nullptr) << "dialog " << templateId << ": " << GetLastError();
        return dialog_;
    }

    HWND CreatePage(int templateId) {
        const HWND page = Create(templateId, frame_);
        if (page != nullptr) {
            ExpectPageFrame(page);
        }
        return page;
    }

    static DWORD Style(HWND window) {
        return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    }

    // What the frame relies on for every page: a visible child without a frame, 156 x
    // 150 dialog units of client area.
    void ExpectPageFrame(HWND page) {
        EXPECT_EQ(Style(page) & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_BORDER), DWORD{WS_CHILD});
        EXPECT_TRUE(IsWindowVisible(page));
        ExpectClientSize(page, 156, 150);
    }

    static void ExpectClientSize(HWND dialog, LONG width, LONG height) {
        RECT expected{0, 0, width, height};
        ASSERT_TRUE(MapDialogRect(dialog, &expected));
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, expected.right);
        EXPECT_EQ(client.bottom, expected.bottom);
    }

    // The control `id` of the dialog, of window class `className`, with every bit of
    // `style` set and, where a type mask is given, of that type; returns it.
    static HWND ExpectControl(HWND dialog, int id, const std::u16string& className, DWORD style,
                              DWORD typeMask = 0, DWORD type = 0) {
        const HWND control = GetDlgItem(dialog, id);
        EXPECT_NE(control, nullptr) << "control " << id;
        if (control == nullptr) {
            return nullptr;
        }
        WCHAR name[64]{};
        GetClassNameW(control, name, 64);
        EXPECT_EQ(lstrcmpiW(name, className.c_str()), 0) << "control " << id;
        const DWORD actual = Style(control);
        EXPECT_EQ(actual & (style | WS_CHILD), style | WS_CHILD)
            << "control " << id << " style " << std::hex << actual;
        EXPECT_EQ(actual & typeMask, type) << "control " << id << " style " << std::hex << actual;
        return control;
    }

    // The static `id` shows a 16 x 16 picture loaded from the module.
    static void ExpectPicture(HWND dialog, int id) {
        const HWND picture = ExpectControl(dialog, id, u"Static", SS_BITMAP);
        const auto bitmap =
            reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr) << "picture " << id;
        BITMAP info{};
        GetObjectW(bitmap, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, 16) << "picture " << id;
        EXPECT_EQ(info.bmHeight, 16) << "picture " << id;
    }

    static std::u16string Text(HWND dialog, int id) {
        WCHAR text[64]{};
        GetDlgItemTextW(dialog, id, text, 64);
        return text;
    }

    HWND frame_ = nullptr;
    HWND dialog_ = nullptr;
};

TEST_F(DialogTemplatesTest, AboutBoxHasTheIconAndTheTwoLinesItFillsIn) {
    const HWND about = Create(IDD_ABOUTBOX, frame_);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(Style(about) & (WS_POPUP | WS_CHILD | WS_CAPTION), DWORD{WS_POPUP});
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(about, GWL_EXSTYLE)) & WS_EX_CAPTIONOKBTN,
              static_cast<DWORD>(WS_EX_CAPTIONOKBTN))
        << "closed by the OK button of the title bar";
    ExpectClientSize(about, 156, 151);

    // The icon is the first control; it has no id of its own.
    const HWND icon = GetWindow(about, GW_CHILD);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(Style(icon) & SS_TYPEMASK, DWORD{SS_ICON});
    EXPECT_NE(SendMessageW(icon, STM_GETIMAGE, IMAGE_ICON, 0), 0) << "the program icon loads";

    ExpectControl(about, IDC_VERSION, u"Static", SS_LEFT);
    EXPECT_EQ(Text(about, IDC_VERSION), u"<version>");
    ExpectControl(about, IDC_BUILD_STAMP, u"Static", SS_LEFT);
    EXPECT_EQ(Text(about, IDC_BUILD_STAMP), u"");
    // "Built on " and a 24-character stamp fit on the build line in the box's font.
    const HWND stamp = GetDlgItem(about, IDC_BUILD_STAMP);
    HDC dc = GetDC(stamp);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(stamp, WM_GETFONT, 0, 0)));
    SIZE extent{};
    const std::u16string longest = u"Built on Wed Sep 27 23:59:59 2028";
    const BOOL measured =
        GetTextExtentPoint32W(dc, longest.c_str(), static_cast<int>(longest.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(stamp, dc);
    ASSERT_TRUE(measured);
    RECT line{};
    GetClientRect(stamp, &line);
    EXPECT_LE(extent.cx, line.right);
    EXPECT_GT(extent.cx, line.right / 2) << "measured in the box's font, not a smaller one";

    // "Version : " is right-aligned just before the version text.
    HWND label = nullptr;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        WCHAR text[32]{};
        GetWindowTextW(child, text, 32);
        if (std::u16string{text} == u"Version : ") {
            label = child;
        }
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(Style(label) & SS_TYPEMASK, DWORD{SS_RIGHT});
    RECT labelRect{};
    RECT versionRect{};
    GetWindowRect(label, &labelRect);
    GetWindowRect(GetDlgItem(about, IDC_VERSION), &versionRect);
    EXPECT_LE(labelRect.right, versionRect.left);
    EXPECT_EQ(labelRect.top, versionRect.top);
}

TEST_F(DialogTemplatesTest, AdaptersPageHasItsControlsAndTheSummaryRange) {
    const HWND page = CreatePage(IDD_ADAPTERS);
    ASSERT_NE(page, nullptr);
    // The combo is not sorted: item i is adapter i of the snapshot.
    ExpectControl(page, IDC_ADAPTER_COMBO, u"ComboBox", CBS_DROPDOWNLIST | WS_TABSTOP, CBS_SORT, 0);
    ExpectControl(page, IDC_REFRESH_LIST, u"Static", SS_NOTIFY);
    EXPECT_EQ(Text(page, IDC_REFRESH_LIST), u"Refresh List");
    const HWND list =
        ExpectControl(page, IDC_SETTINGS_LIST, u"SysListView32", LVS_REPORT | WS_TABSTOP);
    EXPECT_FALSE(IsWindowVisible(list)) << "the detail list starts hidden";
    ExpectControl(page, IDC_DETAIL_VIEW, u"Button", WS_TABSTOP, BS_TYPEMASK, BS_AUTOCHECKBOX);

    // Switching views hides and shows every control from the group box to the renew
    // button, so that range holds exactly the summary.
    for (int id = IDC_SUMMARY_GROUP; id <= IDC_RENEW_DHCP; ++id) {
        const HWND control = GetDlgItem(page, id);
        ASSERT_NE(control, nullptr) << "summary control " << id;
        EXPECT_TRUE(IsWindowVisible(control)) << "summary control " << id;
    }
    ExpectControl(page, IDC_SUMMARY_GROUP, u"Button", 0, BS_TYPEMASK, BS_GROUPBOX);
    for (const int id : {IDC_RELEASE_DHCP, IDC_RENEW_DHCP}) {
        ExpectControl(page, id, u"Button", WS_TABSTOP, BS_TYPEMASK, BS_PUSHBUTTON);
    }
    for (const int id : {IDC_MAC_PICTURE, IDC_IP_PICTURE, IDC_DNS_PICTURE, IDC_DHCP_PICTURE}) {
        ExpectPicture(page, id);
    }
    // Value fields the page fills, and their placeholders until it does.
    EXPECT_EQ(Text(page, IDC_MAC_ADDRESS), u"00-00-00-00-00-00");
    EXPECT_EQ(Text(page, IDC_IP_ADDRESS), u"000.000.000.000");
    EXPECT_EQ(Text(page, IDC_LEASE_OBTAINED), u"");
    ExpectControl(page, IDC_LEASE_OBTAINED_LABEL, u"Static", 0, SS_TYPEMASK, SS_RIGHT);
}

TEST_F(DialogTemplatesTest, DiagnosticsPageHasThreeViewsOnOneSpotAndItsChoices) {
    const HWND page = CreatePage(IDD_DIAGNOSTICS);
    ASSERT_NE(page, nullptr);
    // The address is typed, and its history keeps its order.
    ExpectControl(page, IDC_ADDRESS, u"ComboBox", WS_VSCROLL, 0x3 | CBS_SORT, CBS_DROPDOWN);
    for (const int id : {IDC_DATA_SIZE, IDC_REPETITION}) {
        ExpectControl(page, id, u"ComboBox", WS_VSCROLL, 0x3, CBS_DROPDOWNLIST);
    }
    ExpectControl(page, IDC_TRACE_TREE, u"SysTreeView32",
                  TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER);
    ExpectControl(page, IDC_PING_LIST, u"SysListView32",
                  LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | WS_BORDER);
    ExpectControl(page, IDC_RESOLVE_TEXT, u"Edit",
                  ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_BORDER);
    ExpectControl(page, IDC_ACTION, u"Button", WS_TABSTOP);
    EXPECT_EQ(Text(page, IDC_ACTION), u"Action");
}

TEST_F(DialogTemplatesTest, ArpPageFramesTheDetailsBelowTheList) {
    const HWND page = CreatePage(IDD_ARP);
    ASSERT_NE(page, nullptr);
    ExpectControl(page, IDC_ADAPTER_COMBO, u"ComboBox", CBS_DROPDOWNLIST | WS_TABSTOP);
    ExpectControl(page, IDC_REFRESH_LIST, u"Static", SS_NOTIFY);
    ExpectControl(page, IDC_ARP_LIST, u"SysListView32",
                  LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP);
    ExpectControl(page, IDC_ARP_DETAILS, u"Edit", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL);
    const HWND group =
        ExpectControl(page, IDC_ARP_DETAILS_GROUP, u"Button", 0, BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(Text(page, IDC_ARP_DETAILS_GROUP), u"");

    RECT details{};
    RECT frame{};
    GetWindowRect(GetDlgItem(page, IDC_ARP_DETAILS), &details);
    GetWindowRect(group, &frame);
    RECT inside{};
    IntersectRect(&inside, &details, &frame);
    EXPECT_TRUE(EqualRect(&inside, &details)) << "the group box frames the edit";
}

}  // namespace
}  // namespace tessalink::test

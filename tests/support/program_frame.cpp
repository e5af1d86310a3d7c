#include "support/program_frame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "common/AdapterRecord.h"
#include "common/AdapterSnapshot.h"
#include "controls/control_classes.h"
#include "framework/Module.h"
#include "shell/shell_start.h"
#include "support/message_log.h"
#include "support/scenario_stager.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

constexpr int kTabControlId = 101;

}  // namespace

void ProgramFrame::SetUpTestSuite() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    Module::Process().Initialize(module);
    LoadStringW(module, IDR_MAINFRAME, MainFrame::ClassName(), MainFrame::kClassNameCapacity);
    platform::controls::RegisterSystemControlClasses();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
}

void ProgramFrame::StartFrame(std::string_view scenario, Tab tab) {
    if (!scenario.empty()) {
        StageScenario(scenario);
    }
    ASSERT_TRUE(platform::shell::StartShell());
    WindowTest::SetUp();
    AdapterSnapshot::Instance().ReadAdapters();
    ASSERT_TRUE(Module::Process().AddMessageLoop(&loop_));
    frame_ = std::make_unique<MainFrame>();
    frameWindow_ = frame_->CreateFrame();
    ASSERT_NE(frameWindow_, nullptr);
    frame_->SetAccelerators(
        LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    ShowWindow(frameWindow_, SW_SHOW);
    tabs_ = GetDlgItem(frameWindow_, kTabControlId);
    ASSERT_NE(tabs_, nullptr);
    Pump();
    if (tab != kSummaryTab) {
        ChooseTab(tab);
    }
    tab_ = tab;
    ASSERT_TRUE(IsWindowVisible(Page()));
}

void ProgramFrame::TearDown() {
    if (frame_) {
        frame_.reset();
        Module::Process().RemoveMessageLoop();
    }
    WindowTest::TearDown();
    ClearScenario();
    AdapterSnapshot::Instance().ReadAdapters();
}

void ProgramFrame::RecordRelays() const {
    for (int tab = kSummaryTab; tab <= kArpTab; ++tab) {
        RecordMessages(PageWindow(tab), {WM_ADAPTERS_REFRESHED, WM_ADAPTER_SELECTED});
    }
}

std::optional<WPARAM> ProgramFrame::Pump() {
    std::optional<WPARAM> quit;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = message.wParam;
        } else if (!frame_->PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return quit;
}

void ProgramFrame::ChooseTab(Tab tab) {
    SendMessageW(tabs_, TCM_SETCURSEL, tab, 0);
    NMHDR selection{tabs_, kTabControlId, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(frameWindow_, WM_NOTIFY, kTabControlId, reinterpret_cast<LPARAM>(&selection));
    Pump();
}

HWND ProgramFrame::PageWindow(int tab) const {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    SendMessageW(tabs_, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<HWND>(item.lParam);
}

std::u16string ProgramFrame::ItemText(int id) const {
    WCHAR text[400]{};
    GetDlgItemTextW(Page(), id, text, 400);
    return text;
}

Lines ProgramFrame::ComboTexts(int id) const {
    Lines texts(SendMessageW(Item(id), CB_GETCOUNT, 0, 0));
    for (std::size_t item = 0; item < texts.size(); ++item) {
        WCHAR text[256]{};
        SendMessageW(Item(id), CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
        texts[item] = text;
    }
    return texts;
}

int ProgramFrame::ComboSelection() const {
    return static_cast<int>(SendMessageW(Item(IDC_ADAPTER_COMBO), CB_GETCURSEL, 0, 0));
}

Lines ProgramFrame::ListTexts(int id, int column) const {
    Lines texts(SendMessageW(Item(id), LVM_GETITEMCOUNT, 0, 0));
    for (std::size_t row = 0; row < texts.size(); ++row) {
        WCHAR text[128]{};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(Item(id), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        texts[row] = text;
    }
    return texts;
}

void ProgramFrame::ChooseAdapter(int item) {
    const HWND combo = Item(IDC_ADAPTER_COMBO);
    SendMessageW(combo, CB_SETCURSEL, item, 0);
    SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_ADAPTER_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void ProgramFrame::ChooseInterface(DWORD interfaceIndex) {
    for (int item = 0; item < static_cast<int>(ComboTexts().size()); ++item) {
        if (reinterpret_cast<const AdapterRecord*>(
                SendMessageW(Item(IDC_ADAPTER_COMBO), CB_GETITEMDATA, item, 0))
                ->interfaceIndex == interfaceIndex) {
            ChooseAdapter(item);
        }
    }
}

void ProgramFrame::TapAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    PostTap(client);
    Pump();
}

void ProgramFrame::TapItem(int id) {
    RECT rect{};
    GetClientRect(Item(id), &rect);
    TapAt(Item(id), {rect.right / 2, rect.bottom / 2});
}

void ProgramFrame::TapRow(int listId, int row) {
    SendMessageW(Item(listId), LVM_ENSUREVISIBLE, row, FALSE);
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(Item(listId), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)));
    TapAt(Item(listId), {rect.left + 2, (rect.top + rect.bottom) / 2});
}

}  // namespace tessalink::test

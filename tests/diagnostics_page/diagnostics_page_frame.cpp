#include "diagnostics_page_frame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>

#include "user/posted_input.h"

namespace tessalink::test {
namespace {

constexpr int kRunControls[] = {IDC_ACTION, IDC_ADDRESS, IDC_DATA_SIZE, IDC_REPETITION};

// Longer than a whole run over a silent hop: the start pause and one echo's time-out.
constexpr auto kRunBound = std::chrono::seconds(20);

WNDPROC pageProcedure = nullptr;

LRESULT CALLBACK RecordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DIAG_PROGRESS) {
        DiagnosticsPageFrame::Progress().emplace_back(
            wParam, DiagnosticsPageFrame::RunControlsEnabled(hwnd));
    }
    return CallWindowProcW(pageProcedure, hwnd, message, wParam, lParam);
}

}  // namespace

std::vector<std::pair<WPARAM, bool>>& DiagnosticsPageFrame::Progress() {
    static std::vector<std::pair<WPARAM, bool>> progress;
    return progress;
}

bool DiagnosticsPageFrame::RunControlsEnabled(HWND page) {
    bool enabled = true;
    for (int id : kRunControls) {
        enabled = enabled && IsWindowEnabled(GetDlgItem(page, id));
    }
    return enabled;
}

void DiagnosticsPageFrame::StartPage() {
    StartFrame();
    ChooseTab(kPingTab);
    page_ = PageWindow(kPingTab);
    ASSERT_TRUE(IsWindowVisible(page_));
    Progress().clear();
    pageProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(page_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProcedure)));
    Pump();
}

void DiagnosticsPageFrame::Choose(Choice choice) {
    chosen_ = choice;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, TapChosenItem);
    RECT button{};
    GetClientRect(Item(IDC_ACTION), &button);
    TapAt(Item(IDC_ACTION), {button.right - 4, button.bottom / 2});
    KillTimer(nullptr, timer);
}

void DiagnosticsPageFrame::Run(const std::u16string& address) {
    SetWindowTextW(Item(IDC_ADDRESS), address.c_str());
    Progress().clear();
    TapAt(Item(IDC_ACTION), {8, 8});
    // A run disables the Action button until its end; on a slow machine the whole
    // run may already be over by now.
    if (IsWindowEnabled(Item(IDC_ACTION)) && Progress().empty()) {
        return;
    }
    const auto bound = std::chrono::steady_clock::now() + kRunBound;
    while (!Ended() && std::chrono::steady_clock::now() < bound) {
        Pump();
        Sleep(1);
    }
    ASSERT_TRUE(Ended()) << "the run never ended";
}

Lines DiagnosticsPageFrame::ListLines() const {
    Lines lines;
    const int count = static_cast<int>(SendMessageW(Item(IDC_PING_LIST), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        WCHAR text[80]{};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 80;
        SendMessageW(Item(IDC_PING_LIST), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        lines.emplace_back(text);
    }
    return lines;
}

Lines DiagnosticsPageFrame::TreeLines() const {
    return TreeLinesFrom(TreeNext(TVGN_ROOT, nullptr), u"");
}

Lines DiagnosticsPageFrame::TreeLinesFrom(HTREEITEM first, const std::u16string& indent) const {
    Lines lines;
    for (HTREEITEM at = first; at != nullptr; at = TreeNext(TVGN_NEXT, at)) {
        WCHAR text[130]{};
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_TEXT;
        item.hItem = at;
        item.pszText = text;
        item.cchTextMax = 130;
        SendMessageW(Item(IDC_TRACE_TREE), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        lines.push_back(indent + text);
        for (auto& line : TreeLinesFrom(TreeNext(TVGN_CHILD, at), indent + u"  ")) {
            lines.push_back(line);
        }
    }
    return lines;
}

void DiagnosticsPageFrame::TapAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    PostTap(client);
    Pump();
}

bool DiagnosticsPageFrame::Ended() {
    return !Progress().empty() &&
           (Progress().back().first == PING_END || Progress().back().first == TRACE_END);
}

HTREEITEM DiagnosticsPageFrame::TreeNext(UINT relation, HTREEITEM from) const {
    return reinterpret_cast<HTREEITEM>(SendMessageW(Item(IDC_TRACE_TREE), TVM_GETNEXTITEM, relation,
                                                    reinterpret_cast<LPARAM>(from)));
}

void CALLBACK DiagnosticsPageFrame::TapChosenItem(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menu = FindWindowW(u"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) {
        return;
    }
    KillTimer(nullptr, timer);
    // The Action menu: Ping, TraceRt, Resolve.
    PostTapOnRow(menu, chosen_, 3);
}

}  // namespace tessalink::test

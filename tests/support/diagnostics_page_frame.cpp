#include "support/diagnostics_page_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "user/dump_content.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

constexpr int kRunControls[] = {IDC_ACTION, IDC_ADDRESS, IDC_DATA_SIZE, IDC_REPETITION};

// Longer than a whole run over a silent hop: the start pause and one echo's time-out.
constexpr DWORD kRunBound = 20000;

bool RunControlsAllEnabled(HWND page) {
    return std::ranges::all_of(
        kRunControls, [page](int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; });
}

bool RunEnded(const std::vector<RecordedMessage>& progress) {
    return !progress.empty() &&
           (progress.back().wParam == PING_END || progress.back().wParam == TRACE_END);
}

}  // namespace

void DiagnosticsPageFrame::StartPage(std::string_view scenario) {
    StartFrame(scenario, kPingTab);
    RecordMessages(Page(), {WM_DIAG_PROGRESS}, [](HWND page, UINT, WPARAM, LPARAM) {
        return LPARAM{RunControlsAllEnabled(page)};
    });
    Pump();
}

bool DiagnosticsPageFrame::RunControlsEnabled() const {
    return RunControlsAllEnabled(Page());
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
    MessageLog::Instance().Clear();
    TapAt(Item(IDC_ACTION), {8, 8});
    // A run disables the Action button until its end; on a slow machine the whole
    // run may already be over by now.
    if (IsWindowEnabled(Item(IDC_ACTION)) && Progress().empty()) {
        return;
    }
    const DWORD begun = GetTickCount();
    while (!RunEnded(Progress()) && GetTickCount() - begun < kRunBound) {
        Pump();
        Sleep(1);
    }
    ASSERT_TRUE(RunEnded(Progress())) << "the run never ended";
    for (const RecordedMessage& progress : Progress()) {
        EXPECT_EQ(progress.lParam, FALSE)
            << "controls enabled at progress code " << progress.wParam;
    }
    // The end enables Repetition too, although a trace does not use it.
    EXPECT_TRUE(RunControlsEnabled()) << "after the run's end";
}

Lines DiagnosticsPageFrame::TreeLines() const {
    Lines lines;
    const std::function<void(const nlohmann::json&, const std::u16string&)> add =
        [&](const nlohmann::json& items, const std::u16string& indent) {
            for (const auto& item : items) {
                // The page's texts are all ASCII.
                const std::string text = item["text"];
                lines.push_back(indent + std::u16string(text.begin(), text.end()));
                add(item["children"], indent + u"  ");
            }
        };
    add(DumpContent(Item(IDC_TRACE_TREE))["items"], u"");
    return lines;
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

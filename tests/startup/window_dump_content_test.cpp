// The window tree read with and without the windows' content: a read without it sends
// nothing to the windows yet has all they are matched on by place, class and state.
#include <windows.h>

#include <gtest/gtest.h>

#include "device/automation/window_query.h"
#include "device/automation/window_tree_json.h"
#include "user/window_dump.h"

namespace {

using platform::device::automation::WindowQuery;
using platform::device::automation::WindowTreeJson;
using platform::user::DumpContent;

int contentRequests = 0;

LRESULT CALLBACK ReportingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == platform::user::kDumpContentMessage) {
        ++contentRequests;
        (*reinterpret_cast<nlohmann::json*>(lParam))["rows"] = {"Ping Complete"};
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class WindowDumpContentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ReportingProcedure;
        windowClass.lpszClassName = u"Reporting";
        RegisterClassW(&windowClass);
        frame_ = CreateWindowExW(0, u"Reporting", u"frame", WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                 nullptr, nullptr, nullptr);
        CreateWindowExW(0, u"Reporting", u"list", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, frame_,
                        reinterpret_cast<HMENU>(INT_PTR{1029}), nullptr, nullptr);
        contentRequests = 0;
    }
    void TearDown() override { DestroyWindow(frame_); }

    static std::optional<WindowQuery> Query(std::vector<std::string> terms) {
        std::string error;
        return WindowQuery::Parse(terms, error);
    }

    HWND frame_ = nullptr;
};

TEST_F(WindowDumpContentTest, ALookAtPlacesAndStatesAsksNoWindowForItsContent) {
    const auto layoutQuery = Query({"id=1029", "class=Reporting", "visible"});
    const auto contentQuery = Query({"id=1029", "row=Ping Complete"});
    ASSERT_TRUE(layoutQuery && contentQuery);
    EXPECT_FALSE(layoutQuery->NeedsContent());
    EXPECT_TRUE(contentQuery->NeedsContent());
    EXPECT_TRUE(Query({"content=Ping Complete"})->NeedsContent());
    EXPECT_TRUE(Query({"item=Ping"})->NeedsContent());

    const auto layout = WindowTreeJson(DumpContent::Skip);
    EXPECT_EQ(contentRequests, 0);
    EXPECT_TRUE(layoutQuery->MatchesAnyWindow(layout));
    EXPECT_FALSE(contentQuery->MatchesAnyWindow(layout));

    const auto full = WindowTreeJson(DumpContent::Ask);
    EXPECT_EQ(contentRequests, 2);
    EXPECT_TRUE(layoutQuery->MatchesAnyWindow(full));
    EXPECT_TRUE(contentQuery->MatchesAnyWindow(full));
}

}  // namespace

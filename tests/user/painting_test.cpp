// WM_PAINT: coalescing, order, erasing, and what a paint may draw on the screen.
#include <windows.h>
#include <wingdi.h>
#include <winuser.h>

#include <array>

#include "user/screen_pixel.h"
#include "window_test.h"

namespace tessalink::test {
namespace {

PAINTSTRUCT lastPaint;  // what the probe's last BeginPaint reported
int paints = 0;

// Paints its client area in the colour kept in its user data.
LRESULT CALLBACK PaintProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        MessageLog::Instance().Record(hwnd, message, wParam, lParam, 0);
        PAINTSTRUCT paint{};
        HDC hdc = BeginPaint(hwnd, &paint);
        RECT client{};
        GetClientRect(hwnd, &client);
        HBRUSH brush =
            CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        FillRect(hdc, &client, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &paint);
        lastPaint = paint;
        ++paints;
        return 0;
    }
    return LogMessage(hwnd, message, wParam, lParam, 0);
}

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class PaintingTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterWindowClass(u"PaintProbe", PaintProbeProc);
        lastPaint = {};
        paints = 0;
    }

    HWND Probe(DWORD style, RECT rect, COLORREF color, HWND parent = nullptr) {
        const HWND hwnd = Create(u"PaintProbe", style, rect, parent, parent ? 7 : 0);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
        return hwnd;
    }
};

TEST_F(PaintingTest, InvalidationsCoalesceIntoOnePaintAfterPostedMessages) {
    const HWND window = Probe(WS_VISIBLE, {0, 26, 240, 320}, kBlue);
    PumpMessages();
    ASSERT_EQ(paints, 1);
    // The probe's class has no brush, so DefWindowProc cannot erase: fErase asks the
    // window to do it.
    EXPECT_TRUE(lastPaint.fErase);
    MessageLog::Instance().Clear();

    const RECT first{0, 0, 10, 10}, second{20, 20, 30, 30};
    InvalidateRect(window, &first, FALSE);
    InvalidateRect(window, &second, FALSE);
    PostMessageW(window, WM_USER, 0, 0);
    PumpMessages();
    EXPECT_MESSAGES({Posted(WM_USER), Posted(WM_PAINT)});
    EXPECT_EQ(paints, 2);
    EXPECT_FALSE(lastPaint.fErase);
    EXPECT_EQ((std::array{lastPaint.rcPaint.left, lastPaint.rcPaint.bottom}),
              (std::array<LONG, 2>{0, 30}));
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));

    InvalidateRect(window, nullptr, TRUE);
    EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE));
    ValidateRect(window, nullptr);
    PumpMessages();
    EXPECT_EQ(paints, 2);
}

TEST_F(PaintingTest, ParentsPaintBeforeChildrenAndClipChildrenWhenAsked) {
    const HWND parent = Probe(WS_VISIBLE | WS_CLIPCHILDREN, {0, 26, 240, 320}, kBlue);
    const HWND child = Probe(WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, kRed, parent);
    PumpMessages();
    EXPECT_EQ((std::array{ScreenPixel({5, 30}), ScreenPixel({10, 36}), ScreenPixel({59, 85}),
                          ScreenPixel({60, 86})}),
              (std::array{kBlue, kRed, kRed, kBlue}));
    MessageLog::Instance().Clear();

    // The parent repaints around its child without touching it.
    SetWindowLongPtrW(child, GWLP_USERDATA, static_cast<LONG_PTR>(RGB(0, 255, 0)));
    InvalidateRect(parent, nullptr, TRUE);
    PumpMessages();
    EXPECT_EQ(MessageLog::Instance().MessagesFor(child).size(), 0u);
    EXPECT_EQ(ScreenPixel({20, 46}), kRed);

    // Without WS_CLIPCHILDREN the child is invalidated with its parent and paints after it.
    SetWindowLongW(parent, GWL_STYLE, GetWindowLongW(parent, GWL_STYLE) & ~WS_CLIPCHILDREN);
    MessageLog::Instance().Clear();
    InvalidateRect(parent, nullptr, TRUE);
    PumpMessages();
    const auto painted = RecordedOf(WM_PAINT);
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_TRUE(painted[0].hwnd == parent && painted[1].hwnd == child);
    EXPECT_EQ(ScreenPixel({20, 46}), RGB(0, 255, 0));

    // Hiding the child uncovers the parent beneath it, which repaints there.
    ShowWindow(child, SW_HIDE);
    PumpMessages();
    EXPECT_EQ(ScreenPixel({20, 46}), kBlue);
}

}  // namespace
}  // namespace tessalink::test

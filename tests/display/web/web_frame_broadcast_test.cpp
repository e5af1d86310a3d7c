// Frames reach each browser in order, and a browser that joins late or falls behind
// starts again from the whole current frame instead of losing changes.
#include <gtest/gtest.h>

#include "display/web_frame_broadcast.h"

namespace platform::display {
namespace {

using namespace std::chrono_literals;

std::vector<std::uint32_t> FrameOf(std::uint32_t colour) {
    return std::vector<std::uint32_t>(4, colour);
}

TEST(WebFrameBroadcast, ABrowserStartsFromTheCurrentFrameThenGetsEachChangeInOrder) {
    FrameBroadcast frames;
    frames.Publish(FrameOf(1), "");
    auto browser = frames.Subscribe();
    frames.Publish(FrameOf(2), "change 2");

    const auto first = frames.Take(*browser, 0ms);
    ASSERT_TRUE(std::holds_alternative<FrameBroadcast::FullFrame>(first));
    // The change published before the browser read anything is inside the full frame.
    EXPECT_EQ(std::get<FrameBroadcast::FullFrame>(first).pixels, FrameOf(2));
    EXPECT_TRUE(std::holds_alternative<FrameBroadcast::Timeout>(frames.Take(*browser, 0ms)));

    frames.Publish(FrameOf(3), "change 3");
    frames.Publish(FrameOf(4), "change 4");
    EXPECT_EQ(std::get<std::string>(frames.Take(*browser, 0ms)), "change 3");
    EXPECT_EQ(std::get<std::string>(frames.Take(*browser, 0ms)), "change 4");
}

TEST(WebFrameBroadcast, ABrowserFarBehindOrAFrameWithoutAnEventGetsTheWholeFrame) {
    FrameBroadcast frames;
    frames.Publish(FrameOf(0), "");
    auto slow = frames.Subscribe();
    frames.Take(*slow, 0ms);
    for (std::uint32_t i = 1; i <= 100; ++i) {
        frames.Publish(FrameOf(i), "change");
    }
    const auto next = frames.Take(*slow, 0ms);
    ASSERT_TRUE(std::holds_alternative<FrameBroadcast::FullFrame>(next));
    EXPECT_EQ(std::get<FrameBroadcast::FullFrame>(next).pixels, FrameOf(100));

    // A frame published while the display thought nobody watched carries no event.
    frames.Publish(FrameOf(7), "");
    EXPECT_EQ(std::get<FrameBroadcast::FullFrame>(frames.Take(*slow, 0ms)).pixels, FrameOf(7));
}

}  // namespace
}  // namespace platform::display

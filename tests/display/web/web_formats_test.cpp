// The browser display's wire formats: where it may listen, what browsers may send, and
// the frames it sends back.
#include <gtest/gtest.h>
#include <png.h>
#include <winuser.h>

#include <vector>

#include "display/web_frame_encoder.h"
#include "display/web_input_decoder.h"
#include "display/web_listen_address.h"
#include "from_base64.h"

namespace platform::display {
namespace {

TEST(WebListenAddress, PortAloneStaysOnLoopbackAndAddressesNeedBracketsForIpv6) {
    std::string error;
    const auto port = ParseListenAddress("9000", error);
    ASSERT_TRUE(port) << error;
    EXPECT_EQ(port->host, "127.0.0.1");
    EXPECT_EQ(port->port, 9000);
    EXPECT_TRUE(port->portGiven);
    EXPECT_TRUE(port->IsLoopback());

    const auto any = ParseListenAddress("0.0.0.0:0", error);
    ASSERT_TRUE(any) << error;
    EXPECT_FALSE(any->IsLoopback());
    EXPECT_EQ(any->port, 0);

    const auto v6 = ParseListenAddress("[::1]:8241", error);
    ASSERT_TRUE(v6) << error;
    EXPECT_EQ(v6->host, "::1");
    EXPECT_TRUE(v6->IsLoopback());
    EXPECT_EQ(v6->UrlHost(), "[::1]");
    EXPECT_TRUE(ParseListenAddress("127.8.9.10:1", error)->IsLoopback());
    EXPECT_FALSE(ParseListenAddress("[::]:1", error)->IsLoopback());
}

TEST(WebListenAddress, RefusesWhatIsNotANumericAddressAndPort) {
    for (const char* text : {"", "port", "70000", "-1", "8240x", "localhost:8240",
                             "10.0.0.1:", "::1:8240", "[::1]", "1.2.3:80", "1.2.3.4:99999"}) {
        std::string error;
        EXPECT_FALSE(ParseListenAddress(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(WebInput, DecodesABatchInOrder) {
    const auto decoded = DecodeWebInput(
        R"([{"type":"down","x":0,"y":319},{"type":"move","x":5,"y":6},{"type":"up","x":239,"y":0},
            {"type":"key","key":"Enter","down":true},{"type":"key","key":"n","down":false},
            {"type":"text","text":"é€😀"}])",
        240, 320);
    ASSERT_EQ(decoded.error, "");
    ASSERT_EQ(decoded.inputs.size(), 7u);  // the emoji has no UTF-16 unit of its own
    const auto& down = std::get<StylusInput>(decoded.inputs[0]);
    EXPECT_EQ(down.action, StylusAction::Down);
    EXPECT_EQ(down.y, 319);
    EXPECT_EQ(std::get<StylusInput>(decoded.inputs[1]).action, StylusAction::Move);
    EXPECT_EQ(std::get<StylusInput>(decoded.inputs[2]).x, 239);
    EXPECT_EQ(std::get<KeyInput>(decoded.inputs[3]).virtualKey, static_cast<UINT>(VK_RETURN));
    EXPECT_TRUE(std::get<KeyInput>(decoded.inputs[3]).down);
    EXPECT_EQ(std::get<KeyInput>(decoded.inputs[4]).virtualKey, static_cast<UINT>('N'));
    EXPECT_EQ(std::get<CharacterInput>(decoded.inputs[5]).character, u'é');
    EXPECT_EQ(std::get<CharacterInput>(decoded.inputs[6]).character, u'€');
}

TEST(WebInput, AMalformedActionRejectsTheWholeBatch) {
    for (const char* body :
         {"", "not json", "{}", R"({"type":"down","x":1,"y":1})", "[1]", R"([{"x":1}])",
          R"([{"type":"down","x":1,"y":1},{"type":"down","x":240,"y":1}])",
          R"([{"type":"down","x":-1,"y":1}])", R"([{"type":"down","x":1.5,"y":1}])",
          R"([{"type":"down","x":"1","y":1}])", R"([{"type":"down","x":1}])",
          R"([{"type":"key","key":"Enter"}])", R"([{"type":"key","key":"Meta","down":true}])",
          R"([{"type":"key","key":"F13","down":true}])", R"([{"type":"text","text":5}])",
          R"([{"type":"launch"}])", "[{\"type\":\"text\",\"text\":\"\xff\"}]"}) {
        const auto decoded = DecodeWebInput(body, 240, 320);
        EXPECT_FALSE(decoded.error.empty()) << body;
        EXPECT_TRUE(decoded.inputs.empty()) << body;
    }
    std::string huge = "[";
    for (int i = 0; i < 1001; ++i) {
        huge += R"({"type":"move","x":1,"y":1},)";
    }
    huge.back() = ']';
    EXPECT_FALSE(DecodeWebInput(huge, 240, 320).error.empty());
}

TEST(WebInput, BrowserKeyNamesMapToTheHandheldsKeys) {
    EXPECT_EQ(VirtualKeyOfBrowserKey("a"), static_cast<UINT>('A'));
    EXPECT_EQ(VirtualKeyOfBrowserKey("Z"), static_cast<UINT>('Z'));
    EXPECT_EQ(VirtualKeyOfBrowserKey("7"), static_cast<UINT>('7'));
    EXPECT_EQ(VirtualKeyOfBrowserKey(" "), static_cast<UINT>(VK_SPACE));
    EXPECT_EQ(VirtualKeyOfBrowserKey("F1"), static_cast<UINT>(VK_F1));
    EXPECT_EQ(VirtualKeyOfBrowserKey("F12"), static_cast<UINT>(VK_F12));
    EXPECT_EQ(VirtualKeyOfBrowserKey("ArrowDown"), static_cast<UINT>(VK_DOWN));
    EXPECT_EQ(VirtualKeyOfBrowserKey("PageUp"), static_cast<UINT>(VK_PRIOR));
    EXPECT_EQ(VirtualKeyOfBrowserKey("Control"), static_cast<UINT>(VK_CONTROL));
    for (const char* unknown : {"F0", "F1x", "Fn", "é", "?", "enter", "Dead"}) {
        EXPECT_EQ(VirtualKeyOfBrowserKey(unknown), 0u) << unknown;
    }
}

TEST(WebFrames, Base64PadsEveryLength) {
    const std::vector<unsigned char> bytes{'M', 'a', 'n', 0xFF, 0x00};
    EXPECT_EQ(Base64(std::span(bytes).first(0)), "");
    EXPECT_EQ(Base64(std::span(bytes).first(1)), "TQ==");
    EXPECT_EQ(Base64(std::span(bytes).first(2)), "TWE=");
    EXPECT_EQ(Base64(std::span(bytes).first(3)), "TWFu");
    EXPECT_EQ(Base64(bytes), "TWFu/wA=");
}

TEST(WebFrames, AnEventCarriesItsAreaAsAnOpaquePngOfThoseRowsOnly) {
    constexpr int kWidth = 8;
    std::vector<std::uint32_t> frame(kWidth * 6, 0x00FFFFFF);
    frame[2 * kWidth + 3] = 0x00123456;  // the area's top-left pixel
    frame[4 * kWidth + 5] = 0x00ABCDEF;  // its bottom-right one
    const std::string event = EncodeFrameEvent(frame, kWidth, RECT{3, 2, 6, 5});
    const std::string prefix = "event: frame\ndata: 3 2 3 3 ";
    ASSERT_EQ(event.substr(0, prefix.size()), prefix);
    ASSERT_EQ(event.substr(event.size() - 2), "\n\n");
    const auto png = FromBase64(event.substr(prefix.size(), event.size() - prefix.size() - 2));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 3u);
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(9);
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(pixels[0], 0xFF123456u);
    EXPECT_EQ(pixels[8], 0xFFABCDEFu);
    EXPECT_EQ(pixels[4], 0xFFFFFFFFu);
}

}  // namespace
}  // namespace platform::display

// The browser display's wire formats: where it may listen, what browsers may send, and
// the frames it sends back.
#include <gtest/gtest.h>
#include <png.h>
#include <winuser.h>

#include <vector>

#include "display/display_input_record.h"
#include "display/web_frame_encoder.h"
#include "display/web_input_decoder.h"
#include "display/web_listen_address.h"

namespace platform::display {
namespace {

TEST(WebListenAddress, PortAloneStaysOnLoopbackAndIpv6NeedsBrackets) {
    struct Row {
        const char* text;
        const char* host;
        int port;
        bool loopback;
        const char* urlHost;
    };
    for (const Row& row : {Row{"9000", "127.0.0.1", 9000, true, "127.0.0.1"},
                           {"0.0.0.0:0", "0.0.0.0", 0, false, "0.0.0.0"},
                           {"[::1]:8241", "::1", 8241, true, "[::1]"},
                           {"127.8.9.10:1", "127.8.9.10", 1, true, "127.8.9.10"},
                           {"[::]:1", "::", 1, false, "[::]"}}) {
        std::string error;
        const auto address = ParseListenAddress(row.text, error);
        ASSERT_TRUE(address) << row.text << ": " << error;
        EXPECT_EQ(address->host, row.host) << row.text;
        EXPECT_EQ(address->port, row.port) << row.text;
        EXPECT_TRUE(address->portGiven) << row.text;
        EXPECT_EQ(address->IsLoopback(), row.loopback) << row.text;
        EXPECT_EQ(address->UrlHost(), row.urlHost) << row.text;
    }
    for (const char* text : {"", "port", "70000", "-1", "8240x", "localhost:8240",
                             "10.0.0.1:", "::1:8240", "[::1]", "1.2.3:80", "1.2.3.4:99999"}) {
        std::string error;
        EXPECT_FALSE(ParseListenAddress(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(WebInput, DecodesABatchInOrderForTheCallbacks) {
    const auto decoded = DecodeWebInput(
        R"([{"type":"down","x":0,"y":319},{"type":"move","x":5,"y":6},{"type":"up","x":239,"y":0},
            {"type":"key","key":"Enter","down":true},{"type":"key","key":"n","down":false},
            {"type":"text","text":"é€🏿"}])",
        240, 320);
    ASSERT_EQ(decoded.error, "");
    DisplayInputRecord record;
    const DisplayInput callbacks = record.Callbacks();
    for (const WebInput& input : decoded.inputs) {
        Deliver(input, callbacks);
    }
    // The emoji has no UTF-16 unit of its own (its second half is the last surrogate, 0xDFFF).
    EXPECT_EQ(record.WaitFor(0),
              (std::vector<std::string>{"down 0,319", "move 5,6", "up 239,0", "key 13 down",
                                        "key 78 up", "char 233", "char 8364"}));
}

// Whatever a browser (or anything else on the network) posts: one bad action rejects
// the whole batch, so nothing of it reaches the program.
TEST(WebInput, AMalformedActionRejectsTheWholeBatch) {
    for (const char* body :
         {"", "not json", "{}", R"({"type":"down","x":1,"y":1})", "[1]", R"([{"x":1}])",
          R"([{"type":"down","x":1,"y":1},{"type":"down","x":240,"y":1}])",
          R"([{"type":"up","x":1,"y":1},{"type":"up","x":1,"y":320}])",
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
    for (const auto& [name, key] : {std::pair<const char*, UINT>{"a", 'A'},
                                    {"Z", 'Z'},
                                    {"7", '7'},
                                    {" ", VK_SPACE},
                                    {"F1", VK_F1},
                                    {"F12", VK_F12},
                                    {"ArrowDown", VK_DOWN},
                                    {"F0", 0},
                                    {"F1x", 0},
                                    {"Fn", 0},
                                    {"é", 0},
                                    {"?", 0},
                                    {"enter", 0},
                                    {"Dead", 0}}) {
        EXPECT_EQ(VirtualKeyOfBrowserKey(name), key) << name;
    }
}

TEST(WebFrames, Base64PadsEveryLength) {
    const std::vector<unsigned char> bytes{'M', 'a', 'n', 0xFF, 0x00};
    const char* const encoded[] = {"", "TQ==", "TWE=", "TWFu", "TWFu/w==", "TWFu/wA="};
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        EXPECT_EQ(Base64(std::span(bytes).first(length)), encoded[length]) << length;
    }
}

std::vector<unsigned char> FromBase64(std::string_view text) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<unsigned char> bytes;
    unsigned bits = 0;
    int count = 0;
    for (const char c : text.substr(0, text.find('='))) {
        bits = bits << 6 | static_cast<unsigned>(kAlphabet.find(c));
        if ((count += 6) >= 8) {
            count -= 8;
            bytes.push_back(static_cast<unsigned char>(bits >> count));
        }
    }
    return bytes;
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

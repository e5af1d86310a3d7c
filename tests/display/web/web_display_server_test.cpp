// The browser display's server, in process, through an HTTP client on loopback: the page,
// the frames, input in order on the display's thread, what it refuses, and stopping.
#include <gtest/gtest.h>
#include <httplib.h>
#include <winuser.h>

#include <sstream>
#include <thread>

#include "display/display_input_record.h"
#include "display/framebuffer.h"
#include "display/web_display.h"
#include "network_namespace.h"

namespace platform::display {
namespace {

using namespace std::chrono_literals;

constexpr const char* kJson = "application/json";

ListenAddress LoopbackPort(int port) {
    ListenAddress address;
    address.port = port;
    address.portGiven = true;
    return address;
}

int PortOf(const WebDisplay& display) {
    const std::string url = display.Url();
    return std::stoi(url.substr(url.rfind(':') + 1));
}

class WebDisplayServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(display_.Start(error)) << error;
    }

    httplib::Client Client() { return httplib::Client("127.0.0.1", PortOf(display_)); }
    // The status of a post of `body` to /input; -1 when nothing answered.
    int PostInput(const std::string& body, const httplib::Headers& headers = {}) {
        const auto response = Client().Post("/input", headers, body, kJson);
        return response ? response->status : -1;
    }

    DisplayInputRecord record_;
    std::ostringstream log_;
    WebDisplay display_{
        DisplayOptions{.input = record_.Callbacks(), .listen = LoopbackPort(0), .messages = &log_}};
};

// The "X Y W H" headers of the first `count` frame events of a stream.
std::vector<std::string> ReadFrames(
    httplib::Client& client, std::size_t count,
    const std::function<void()>& once_streaming = [] {}) {
    std::vector<std::string> frames;
    std::string buffer;
    client.Get("/events", [&](const char* data, std::size_t length) {
        buffer.append(data, length);
        for (auto end = buffer.find("\n\n"); end != std::string::npos; end = buffer.find("\n\n")) {
            const std::string event = buffer.substr(0, end);
            buffer.erase(0, end + 2);
            if (const auto at = event.find("data: "); at != std::string::npos) {
                std::istringstream fields(event.substr(at + 6));
                std::string x, y, w, h;
                fields >> x >> y >> w >> h;
                frames.push_back(x + " " + y + " " + w + " " + h);
                if (frames.size() == 1) {
                    once_streaming();
                }
            }
        }
        return frames.size() < count;
    });
    return frames;
}

TEST_F(WebDisplayServerTest, ServesThePageThenTheWholeScreenThenWhatIsPainted) {
    auto client = Client();
    const auto page = client.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("<canvas"), std::string::npos);
    EXPECT_EQ(client.Get("/nothing-here")->status, 404);

    const auto frames = ReadFrames(client, 2, [] {
        auto lock = Screen().Lock();
        Screen().Pixels()[12 * Screen().Width() + 10] = 0x00FF0000;
        Screen().MarkDirty(RECT{10, 12, 14, 15});
    });
    EXPECT_EQ(frames, (std::vector<std::string>{"0 0 240 320", "10 12 4 3"}));
}

// Which bodies are garbage is the decoder's to say; the server answers them with 400,
// delivers nothing of them and logs the sender once.
TEST_F(WebDisplayServerTest, InputArrivesInOrderOnTheDisplaysThreadAndGarbageIsRefused) {
    EXPECT_EQ(PostInput(R"([{"type":"down","x":10,"y":20},{"type":"up","x":12,"y":22}])"), 204);
    EXPECT_EQ(PostInput("{"), 400);
    EXPECT_EQ(PostInput(R"([{"type":"up","x":1,"y":1},{"type":"down","x":999,"y":1}])"), 400);
    EXPECT_EQ(PostInput(R"([{"type":"key","key":"Tab","down":true},{"type":"text","text":"é"}])"),
              204);
    const std::vector<std::string> expected{"down 10,20", "up 12,22", "key 9 down", "char 233"};
    EXPECT_EQ(record_.WaitFor(expected.size()), expected);
    EXPECT_NE(record_.DeliveringThread(), std::this_thread::get_id());

    display_.Stop();  // the log is written from the server's threads
    const std::string log = log_.str();
    const auto first = log.find("malformed input");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("malformed input", first + 1), std::string::npos) << log;
}

TEST_F(WebDisplayServerTest, OtherSitesCanNeitherPostInputNorReadThroughAnotherName) {
    const std::string port = std::to_string(PortOf(display_));
    EXPECT_EQ(PostInput(R"([{"type":"down","x":1,"y":1}])", {{"Origin", "http://example.invalid"}}),
              403);
    EXPECT_EQ(Client().Get("/", {{"Host", "attacker.invalid:" + port}})->status, 403);
    // The page's own posts carry its own origin.
    EXPECT_EQ(PostInput(R"([{"type":"up","x":3,"y":4}])", {{"Origin", "http://127.0.0.1:" + port}}),
              204);
    EXPECT_EQ(record_.WaitFor(2), std::vector<std::string>{"up 3,4"});
}

TEST_F(WebDisplayServerTest, StoppingEndsOpenStreamsAndClosesThePort) {
    std::atomic<bool> streaming{false};
    std::thread watcher([&] {
        auto client = Client();
        ReadFrames(client, 1000, [&] { streaming = true; });
    });
    while (!streaming) {
        std::this_thread::sleep_for(5ms);
    }
    const auto start = std::chrono::steady_clock::now();
    display_.Stop();
    watcher.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_FALSE(Client().Get("/"));
}

TEST(WebDisplayPort, ATakenPortGivenByTheUserFailsButTheDefaultFallsBack) {
    std::ostringstream quiet;
    std::string error;
    WebDisplay first(DisplayOptions{.input = {}, .listen = LoopbackPort(0), .messages = &quiet});
    ASSERT_TRUE(first.Start(error)) << error;
    const int taken = PortOf(first);

    WebDisplay clash(
        DisplayOptions{.input = {}, .listen = LoopbackPort(taken), .messages = &quiet});
    EXPECT_FALSE(clash.Start(error));
    EXPECT_NE(error.find(std::to_string(taken)), std::string::npos) << error;

    ListenAddress preferred = LoopbackPort(taken);
    preferred.portGiven = false;
    WebDisplay fallback(DisplayOptions{.input = {}, .listen = preferred, .messages = &quiet});
    ASSERT_TRUE(fallback.Start(error)) << error;
    EXPECT_NE(PortOf(fallback), taken);
}

TEST(WebDisplayToken, BeyondLoopbackEveryRequestNeedsThePrintedToken) {
    if (const auto reason = tessalink::testing::NetworkNamespace::UnavailableReason()) {
        GTEST_SKIP() << *reason;
    }
    // A namespace of the test's own with one address on its loopback.
    constexpr const char* kAddress = "10.213.7.1";
    tessalink::testing::NetworkNamespace space;
    ASSERT_TRUE(space.IsCreated() &&
                space.Ip({"addr", "add", kAddress + std::string("/32"), "dev", "lo"}) &&
                space.Ip({"link", "set", "lo", "up"}));
    DisplayInputRecord record;
    // The namespace is entered by a thread of its own, so the test's process stays out.
    std::thread inside([&] {
        ASSERT_TRUE(space.EnterForThisThread());
        std::string error;
        const auto address = ParseListenAddress(std::string(kAddress) + ":0", error);
        ASSERT_TRUE(address) << error;
        std::ostringstream log;
        WebDisplay display(
            DisplayOptions{.input = record.Callbacks(), .listen = *address, .messages = &log});
        ASSERT_TRUE(display.Start(error)) << error;
        const std::string url = display.Url();
        const auto tokenAt = url.find("?token=");
        ASSERT_NE(tokenAt, std::string::npos) << url;
        ASSERT_EQ(url.rfind("http://" + std::string(kAddress) + ":", 0), 0u) << url;
        const std::string token = url.substr(tokenAt + 7);
        EXPECT_EQ(token.size(), 32u);

        httplib::Client client(kAddress, PortOf(display));
        const std::string tap = R"([{"type":"down","x":5,"y":5}])";
        for (const std::string& query :
             {std::string(), "?token=" + token.substr(1) + "0", std::string("?token=wrong")}) {
            EXPECT_EQ(client.Get("/" + query)->status, 403) << query;
            EXPECT_EQ(client.Get("/events" + query)->status, 403) << query;
            EXPECT_EQ(client.Post("/input" + query, tap, kJson)->status, 403) << query;
        }
        EXPECT_EQ(client.Get("/?token=" + token)->status, 200);
        EXPECT_EQ(
            client.Post("/input?token=" + token, R"([{"type":"up","x":6,"y":6}])", kJson)->status,
            204);
        EXPECT_EQ(record.WaitFor(2), std::vector<std::string>{"up 6,6"});
        display.Stop();
        EXPECT_NE(log.str().find("without the right token"), std::string::npos) << log.str();
    });
    inside.join();
}

}  // namespace
}  // namespace platform::display

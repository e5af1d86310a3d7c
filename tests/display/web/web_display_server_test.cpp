// The browser display's server, in process, through an HTTP client on loopback: the page,
// the frames, input in order on the display's thread, what it refuses, and stopping.
#include <gtest/gtest.h>
#include <httplib.h>
#include <winuser.h>

#include <sstream>
#include <thread>

#include "display/framebuffer.h"
#include "display/web_display.h"
#include "gdi/display_input_record.h"
#include "network_namespace.h"

namespace platform::display {
namespace {

using namespace std::chrono_literals;

ListenAddress AnyLoopbackPort() {
    ListenAddress address;
    address.port = 0;
    address.portGiven = true;
    return address;
}

class WebDisplayServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        display_ = std::make_unique<WebDisplay>(DisplayOptions{
            .input = record_.Callbacks(), .listen = AnyLoopbackPort(), .messages = &log_});
        std::string error;
        ASSERT_TRUE(display_->Start(error)) << error;
        const std::string url = display_->Url();
        port_ = std::stoi(url.substr(url.rfind(':') + 1));
    }

    httplib::Client Client() { return httplib::Client("127.0.0.1", port_); }

    // The stopped display's log: it is written from the server's threads.
    std::string StoppedLog() {
        display_->Stop();
        return log_.str();
    }

    DisplayInputRecord record_;
    std::ostringstream log_;
    std::unique_ptr<WebDisplay> display_;
    int port_ = 0;
};

// The first `count` frame events of a stream, as their "X Y W H" headers.
std::vector<std::string> ReadFrames(httplib::Client& client, std::size_t count,
                                    const std::function<void()>& once_streaming = nullptr) {
    std::vector<std::string> frames;
    std::string buffer;
    client.Get("/events", [&](const char* data, std::size_t length) {
        buffer.append(data, length);
        for (auto end = buffer.find("\n\n"); end != std::string::npos; end = buffer.find("\n\n")) {
            const std::string event = buffer.substr(0, end);
            buffer.erase(0, end + 2);
            if (const auto data_at = event.find("data: "); data_at != std::string::npos) {
                std::istringstream fields(event.substr(data_at + 6));
                std::string x, y, w, h;
                fields >> x >> y >> w >> h;
                frames.push_back(x + " " + y + " " + w + " " + h);
                if (frames.size() == 1 && once_streaming) {
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
        Framebuffer& screen = Screen();
        auto lock = screen.Lock();
        screen.Pixels()[12 * screen.Width() + 10] = 0x00FF0000;
        screen.MarkDirty(RECT{10, 12, 14, 15});
    });
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], "0 0 240 320");
    EXPECT_EQ(frames[1], "10 12 4 3");
}

TEST_F(WebDisplayServerTest, InputArrivesInOrderOnTheDisplaysThread) {
    auto client = Client();
    const auto response = client.Post(
        "/input",
        R"([{"type":"down","x":10,"y":20},{"type":"move","x":11,"y":21},{"type":"up","x":12,"y":22}])",
        "application/json");
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 204);
    client.Post("/input", R"([{"type":"key","key":"Tab","down":true},{"type":"text","text":"é"}])",
                "application/json");
    const std::vector<std::string> expected{"down 10,20", "move 11,21", "up 12,22", "key 9 down",
                                            "char 233"};
    EXPECT_EQ(record_.WaitFor(expected.size()), expected);
    EXPECT_NE(record_.DeliveringThread(), std::this_thread::get_id());
}

TEST_F(WebDisplayServerTest, GarbageChangesNothingAndIsLoggedOnce) {
    auto client = Client();
    for (const char* body :
         {"{", R"([{"type":"down","x":1,"y":1},{"type":"down","x":999,"y":1}])", "\x01\x02"}) {
        const auto response = client.Post("/input", body, "application/json");
        ASSERT_TRUE(response);
        EXPECT_EQ(response->status, 400) << body;
    }
    // A well-formed batch after them still works, and only it was delivered.
    client.Post("/input", R"([{"type":"up","x":1,"y":2}])", "application/json");
    EXPECT_EQ(record_.WaitFor(2), std::vector<std::string>{"up 1,2"});

    const std::string log = StoppedLog();
    const auto first = log.find("malformed input");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("malformed input", first + 1), std::string::npos) << log;
}

TEST_F(WebDisplayServerTest, OtherSitesCanNeitherPostInputNorReadThroughAnotherName) {
    auto client = Client();
    const auto foreign = client.Post("/input", {{"Origin", "http://example.invalid"}},
                                     R"([{"type":"down","x":1,"y":1}])", "application/json");
    ASSERT_TRUE(foreign);
    EXPECT_EQ(foreign->status, 403);
    const auto rebound = client.Get("/", {{"Host", "attacker.invalid:" + std::to_string(port_)}});
    ASSERT_TRUE(rebound);
    EXPECT_EQ(rebound->status, 403);
    // The page's own posts carry its own origin.
    const auto own =
        client.Post("/input", {{"Origin", "http://127.0.0.1:" + std::to_string(port_)}},
                    R"([{"type":"up","x":3,"y":4}])", "application/json");
    EXPECT_EQ(own->status, 204);
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
    display_->Stop();
    watcher.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_FALSE(Client().Get("/"));
}

TEST(WebDisplayPort, ATakenPortGivenByTheUserFailsButTheDefaultFallsBack) {
    std::ostringstream quiet;
    WebDisplay first(DisplayOptions{.input = {}, .listen = AnyLoopbackPort(), .messages = &quiet});
    std::string error;
    ASSERT_TRUE(first.Start(error)) << error;
    const std::string url = first.Url();
    const int taken = std::stoi(url.substr(url.rfind(':') + 1));

    ListenAddress same;
    same.port = taken;
    same.portGiven = true;
    WebDisplay clash(DisplayOptions{.input = {}, .listen = same, .messages = &quiet});
    EXPECT_FALSE(clash.Start(error));
    EXPECT_NE(error.find(std::to_string(taken)), std::string::npos) << error;

    same.portGiven = false;
    WebDisplay fallback(DisplayOptions{.input = {}, .listen = same, .messages = &quiet});
    ASSERT_TRUE(fallback.Start(error)) << error;
    EXPECT_EQ(fallback.Url().find(":" + std::to_string(taken) + "/"), std::string::npos);
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
        const std::string token = url.substr(tokenAt + 7);
        EXPECT_EQ(token.size(), 32u);
        const std::string host = "http://" + std::string(kAddress) + ":";
        ASSERT_EQ(url.substr(0, host.size()), host);
        const int port = std::stoi(url.substr(host.size()));

        httplib::Client client(kAddress, port);
        const std::string tap = R"([{"type":"down","x":5,"y":5}])";
        EXPECT_EQ(client.Get("/")->status, 403);
        EXPECT_EQ(client.Get("/?token=" + token.substr(1) + "0")->status, 403);
        EXPECT_EQ(client.Get("/events")->status, 403);
        EXPECT_EQ(client.Post("/input", tap, "application/json")->status, 403);
        EXPECT_EQ(client.Post("/input?token=wrong", tap, "application/json")->status, 403);
        EXPECT_EQ(client.Get("/?token=" + token)->status, 200);
        EXPECT_EQ(
            client
                .Post("/input?token=" + token, R"([{"type":"up","x":6,"y":6}])", "application/json")
                ->status,
            204);
        EXPECT_EQ(record.WaitFor(2), std::vector<std::string>{"up 6,6"});
        display.Stop();
        EXPECT_NE(log.str().find("without the right token"), std::string::npos) << log.str();
    });
    inside.join();
}

}  // namespace
}  // namespace platform::display

#include "chromium_session.h"

#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

namespace {

using tessalink::test::ChildProcess;

constexpr const char* kChromium = "/usr/bin/chromium";

}  // namespace

std::unique_ptr<ChromiumSession> ChromiumSession::Launch(std::string& why) {
    if (access(kChromium, X_OK) != 0) {
        why = std::string(kChromium) + " is not installed (scripts/install-deps installs it)";
        return nullptr;
    }
    char profileTemplate[] = "/tmp/tessalink-chromium-XXXXXX";
    if (!mkdtemp(profileTemplate)) {
        why = "cannot make a profile directory";
        return nullptr;
    }
    ChildProcess::Options options{
        .arguments = {kChromium, "--headless=new", "--remote-debugging-pipe",
                      // Tests run as root, where chromium's sandbox cannot start.
                      "--no-sandbox", "--disable-gpu", "--no-first-run",
                      "--no-default-browser-check", "--disable-background-networking",
                      "--disable-component-update", "--disable-sync", "--disable-extensions",
                      "--disable-default-apps", "--disable-domain-reliability",
                      "--disable-client-side-phishing-detection", "--metrics-recording-only",
                      "--disable-features=Translate,OptimizationHints,MediaRouter",
                      "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE localhost, EXCLUDE 127.0.0.1",
                      "--force-device-scale-factor=1", "--window-size=480,640",
                      std::string("--user-data-dir=") + profileTemplate, "about:blank"},
        .unsetVariables = {},
        .devtoolsPipe = true,
        .quiet = true,
    };
    auto session = std::unique_ptr<ChromiumSession>(new ChromiumSession(
        std::make_unique<ChildProcess>(options), std::filesystem::path(profileTemplate)));
    if (!session->process_->Running() ||
        !session->Call("Browser.getVersion", nlohmann::json::object(), std::chrono::seconds(30))) {
        why = "chromium did not start or did not answer on its DevTools pipe";
        return nullptr;
    }
    return session;
}

ChromiumSession::ChromiumSession(std::unique_ptr<tessalink::test::ChildProcess> process,
                                 std::filesystem::path profile)
    : process_(std::move(process)), profile_(std::move(profile)) {}

ChromiumSession::~ChromiumSession() {
    if (process_->Running()) {
        sessionId_.clear();
        Call("Browser.close", nlohmann::json::object(), std::chrono::seconds(2));
        process_->Wait(std::chrono::seconds(5));
    }
    process_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(profile_, ignored);
}

bool ChromiumSession::Open(const std::string& url) {
    const auto target = Call("Target.createTarget", {{"url", "about:blank"}});
    if (!target) {
        return false;
    }
    const auto attached =
        Call("Target.attachToTarget", {{"targetId", (*target)["targetId"]}, {"flatten", true}});
    if (!attached) {
        return false;
    }
    sessionId_ = (*attached)["sessionId"].get<std::string>();
    if (!Call("Page.navigate", {{"url", url}})) {
        return false;
    }
    // Navigation answers before the page has loaded; its script is needed from here on.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        const auto loaded =
            Evaluate("document.readyState === 'complete' && location.href !== 'about:blank'",
                     std::chrono::seconds(2));
        if (loaded && *loaded == true) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

int ChromiumSession::EvaluateLater(const std::string& expression) {
    return SendLater("Runtime.evaluate",
                     {{"expression", expression}, {"awaitPromise", true}, {"returnByValue", true}});
}

std::optional<nlohmann::json> ChromiumSession::Await(int id, std::chrono::milliseconds timeout) {
    const auto result = Response(id, timeout);
    if (!result || result->contains("exceptionDetails")) {
        return std::nullopt;
    }
    return (*result)["result"].value("value", nlohmann::json());
}

std::optional<nlohmann::json> ChromiumSession::Evaluate(const std::string& expression,
                                                        std::chrono::milliseconds timeout) {
    return Await(EvaluateLater(expression), timeout);
}

bool ChromiumSession::Click(double x, double y) {
    const nlohmann::json common = {{"x", x}, {"y", y}, {"button", "left"}, {"clickCount", 1}};
    auto pressed = common;
    pressed["type"] = "mousePressed";
    auto released = common;
    released["type"] = "mouseReleased";
    return Call("Input.dispatchMouseEvent", pressed) && Call("Input.dispatchMouseEvent", released);
}

bool ChromiumSession::Touch(double x, double y) {
    return Call("Input.dispatchTouchEvent",
                {{"type", "touchStart"}, {"touchPoints", {{{"x", x}, {"y", y}}}}}) &&
           Call("Input.dispatchTouchEvent",
                {{"type", "touchEnd"}, {"touchPoints", nlohmann::json::array()}});
}

bool ChromiumSession::Type(const std::string& character) {
    return Call("Input.dispatchKeyEvent",
                {{"type", "keyDown"}, {"key", character}, {"text", character}}) &&
           Call("Input.dispatchKeyEvent", {{"type", "keyUp"}, {"key", character}});
}

int ChromiumSession::SendLater(const std::string& method, const nlohmann::json& params) {
    const int id = nextId_++;
    nlohmann::json message = {{"id", id}, {"method", method}, {"params", params}};
    if (!sessionId_.empty()) {
        message["sessionId"] = sessionId_;
    }
    // Messages on the pipe end with a NUL byte.
    tessalink::test::WriteAll(process_->ToDevtools(), message.dump() + '\0');
    return id;
}

std::optional<nlohmann::json> ChromiumSession::Call(const std::string& method,
                                                    const nlohmann::json& params,
                                                    std::chrono::milliseconds timeout) {
    return Response(SendLater(method, params), timeout);
}

std::optional<nlohmann::json> ChromiumSession::Response(int id, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (const auto found = responses_.find(id); found != responses_.end()) {
            nlohmann::json message = std::move(found->second);
            responses_.erase(found);
            if (message.contains("error")) {
                return std::nullopt;
            }
            return message["result"];
        }
        for (auto nul = incoming_.find('\0'); nul != std::string::npos;
             nul = incoming_.find('\0')) {
            const auto message = nlohmann::json::parse(incoming_.substr(0, nul), nullptr, false);
            incoming_.erase(0, nul + 1);
            // Events (no id) are of no interest here.
            if (message.is_object() && message.contains("id")) {
                responses_[message["id"].get<int>()] = message;
            }
        }
        if (responses_.contains(id)) {
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd readable{process_->FromDevtools(), POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        char chunk[65536];
        const ssize_t got = read(process_->FromDevtools(), chunk, sizeof chunk);
        if (got <= 0) {
            return std::nullopt;
        }
        incoming_.append(chunk, static_cast<std::size_t>(got));
    }
}

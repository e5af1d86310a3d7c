// Debian's chromium, headless, driven through its DevTools protocol over a pipe (no
// network port, no driver program): open a page, evaluate script in it, and send it
// mouse, touch and key events as a person's would arrive. It is told to reach nothing
// but loopback: every host other than localhost and 127.0.0.1 fails to resolve, and its
// background services (updates, sync, metrics) are off.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "child_process.h"

class ChromiumSession {
  public:
    // Nothing, with the reason in `why`, when chromium is missing or does not start.
    static std::unique_ptr<ChromiumSession> Launch(std::string& why);
    ~ChromiumSession();

    // Opens `url` in a new tab that the calls below then act on.
    bool Open(const std::string& url);
    // The value of `expression`, awaited when it is a promise; nothing when it throws or
    // the browser does not answer within `timeout`.
    std::optional<nlohmann::json> Evaluate(const std::string& expression,
                                           std::chrono::milliseconds timeout);
    // Starts an evaluation without waiting; Await collects its value.
    int EvaluateLater(const std::string& expression);
    std::optional<nlohmann::json> Await(int id, std::chrono::milliseconds timeout);

    // Input at page coordinates (CSS pixels).
    bool Click(double x, double y);
    bool Touch(double x, double y);
    bool Type(const std::string& character);

  private:
    ChromiumSession(std::unique_ptr<tessalink::test::ChildProcess> process,
                    std::filesystem::path profile);

    int SendLater(const std::string& method, const nlohmann::json& params);
    // The result of a command; nothing on an error or a timeout.
    std::optional<nlohmann::json> Call(
        const std::string& method, const nlohmann::json& params,
        std::chrono::milliseconds timeout = std::chrono::seconds(10));
    std::optional<nlohmann::json> Response(int id, std::chrono::milliseconds timeout);

    std::unique_ptr<tessalink::test::ChildProcess> process_;
    std::filesystem::path profile_;
    std::string sessionId_;
    int nextId_ = 1;
    std::string incoming_;
    std::map<int, nlohmann::json> responses_;
};

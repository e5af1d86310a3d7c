// The browser display's HTTP side, on cpp-httplib's own threads: the page at "/", the
// frames as server-sent events at "/events" (one stream per watching browser), and the
// user's input as JSON posted to "/input", handed on in order through `input`.
//
// Every request passes one gate first: when the display listens beyond loopback it must
// carry the token (403 otherwise); on loopback its Host must name loopback, so a page
// of another site reached through a rebound name cannot watch; a post from a page of
// another origin is refused, so no other site can type into the device.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "display/web_service.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace platform::display {

class WebServer final : public WebService {
  public:
    // `token` empty: none is asked for. `log` receives one line per event worth telling
    // (a browser gone, a garbled or refused request, once for each address).
    WebServer(ListenAddress address, std::string token, FrameBroadcast& frames, int screenWidth,
              int screenHeight, InputHandler input, std::ostream& log);
    ~WebServer() override;

    bool Start(std::string& error) override;
    void Stop() override;
    std::string Url() const override;

  private:
    bool Admits(const httplib::Request& request, httplib::Response& response);
    void ServePage(httplib::Response& response);
    void ServeEvents(const httplib::Request& request, httplib::Response& response);
    void ReceiveInput(const httplib::Request& request, httplib::Response& response);
    // Writes `line` unless this address already had a line of this `kind`.
    void LogOnce(const std::string& kind, const std::string& address, const std::string& line);
    void Log(const std::string& line);

    ListenAddress address_;
    std::string token_;
    FrameBroadcast& frames_;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    InputHandler input_;
    std::ostream& log_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    std::atomic<int> streams_{0};
    std::mutex logMutex_;
    std::set<std::string> logged_;
};

// A fresh random token of 32 hex digits.
std::string MakeAccessToken();

}  // namespace platform::display

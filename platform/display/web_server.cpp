#include "display/web_server.h"

#include <httplib.h>

#include <sys/socket.h>

#include <chrono>
#include <random>
#include <thread>

#include "display/web_frame_encoder.h"
#include "display/web_page.h"

namespace platform::display {

namespace {

// A stream sends a comment this often when nothing changes, so a browser that went
// away is noticed by the failed write and its thread freed.
constexpr auto kKeepAliveInterval = std::chrono::seconds(2);
// Streams hold a worker each; the rest of the pool keeps answering input and pages.
constexpr std::size_t kWorkerThreads = 16;
constexpr int kMaxStreams = 10;

// Compares in time independent of where the texts differ, so the token cannot be
// guessed a character at a time.
bool SameSecret(const std::string& given, const std::string& expected) {
    if (given.size() != expected.size()) {
        return false;
    }
    unsigned char difference = 0;
    for (std::size_t i = 0; i < given.size(); ++i) {
        difference |= static_cast<unsigned char>(given[i] ^ expected[i]);
    }
    return difference == 0;
}

// The host part of a Host header ("127.0.0.1:8240", "[::1]:8240", "localhost").
std::string HostName(const std::string& header) {
    if (!header.empty() && header.front() == '[') {
        return header.substr(1, header.find(']') - 1);
    }
    return header.substr(0, header.find(':'));
}

bool NamesLoopback(const std::string& header) {
    const std::string name = HostName(header);
    if (name == "localhost") {
        return true;
    }
    ListenAddress address;
    address.host = name;
    return address.IsLoopback();
}

}  // namespace

std::string MakeAccessToken() {
    std::random_device source;
    std::string token;
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int i = 0; i < 32; ++i) {
        token += kDigits[source() & 0xF];
    }
    return token;
}

WebServer::WebServer(ListenAddress address, std::string token, FrameBroadcast& frames,
                     int screenWidth, int screenHeight, InputHandler input, std::ostream& log)
    : address_(std::move(address)),
      token_(std::move(token)),
      frames_(frames),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      input_(std::move(input)),
      log_(log),
      server_(std::make_unique<httplib::Server>()) {}

WebServer::~WebServer() {
    Stop();
}

bool WebServer::Start(std::string& error) {
    httplib::Server& server = *server_;
    server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    // Short idle connections, so that stopping does not wait long for them.
    server.set_keep_alive_timeout(1);
    server.set_keep_alive_max_count(1000);
    server.set_payload_max_length(1 << 20);
    // SO_REUSEADDR only: the library's default adds SO_REUSEPORT, which would let a second
    // device share a taken port and receive half of the first one's browsers.
    server.set_socket_options([](int socket) {
        const int on = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    });
    server.set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            return Admits(request, response) ? httplib::Server::HandlerResponse::Unhandled
                                             : httplib::Server::HandlerResponse::Handled;
        });
    server.Get(
        "/", [this](const httplib::Request&, httplib::Response& response) { ServePage(response); });
    server.Get("/events", [this](const httplib::Request& request, httplib::Response& response) {
        ServeEvents(request, response);
    });
    server.Post("/input", [this](const httplib::Request& request, httplib::Response& response) {
        ReceiveInput(request, response);
    });

    // Port 0 asks for any free port, as does a taken default one.
    bool bound = address_.port != 0 && server.bind_to_port(address_.host, address_.port);
    if (bound) {
        port_ = address_.port;
    } else if (address_.port == 0 || !address_.portGiven) {
        port_ = server.bind_to_any_port(address_.host);
        bound = port_ > 0;
    }
    if (!bound) {
        error = "cannot listen on " + address_.UrlHost() + ":" + std::to_string(address_.port) +
                " (the port is taken, or the address is not one of this machine's)";
        return false;
    }
    thread_ = std::thread([&server] { server.listen_after_bind(); });
    // The server heeds stop() only once its loop runs; a Stop soon after Start would
    // otherwise be lost and leave the loop, and Stop's join, running for ever.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!server.is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void WebServer::Stop() {
    frames_.Close();
    server_->stop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::string WebServer::Url() const {
    std::string host = address_.UrlHost();
    if (host == "0.0.0.0" || host == "[::]") {
        // Every address of the machine: its name is what another machine will know.
        char name[256] = {};
        host = gethostname(name, sizeof name - 1) == 0 && *name ? name : "localhost";
    }
    std::string url = "http://" + host + ":" + std::to_string(port_) + "/";
    if (!token_.empty()) {
        url += "?token=" + token_;
    }
    return url;
}

bool WebServer::Admits(const httplib::Request& request, httplib::Response& response) {
    const std::string& from = request.remote_addr;
    if (!token_.empty() && !SameSecret(request.get_param_value("token"), token_)) {
        LogOnce("token", from, "refused a request without the right token from " + from);
        response.status = 403;
        response.set_content("This device asks for the token printed with its address.\n",
                             "text/plain");
        return false;
    }
    if (token_.empty() && !NamesLoopback(request.get_header_value("Host"))) {
        LogOnce("host", from, "refused a request for another host name from " + from);
        response.status = 403;
        response.set_content("Open the device by its loopback address.\n", "text/plain");
        return false;
    }
    if (request.method == "POST" && request.has_header("Origin") &&
        request.get_header_value("Origin") != "http://" + request.get_header_value("Host")) {
        LogOnce("origin", from, "refused input posted by a page of another site via " + from);
        response.status = 403;
        return false;
    }
    return true;
}

void WebServer::ServePage(httplib::Response& response) {
    response.set_header("Cache-Control", "no-store");
    response.set_header("Content-Security-Policy",
                        "default-src 'none'; script-src 'unsafe-inline'; style-src "
                        "'unsafe-inline'; connect-src 'self'; img-src blob: data:");
    response.set_content(kWebPage.data(), kWebPage.size(), "text/html; charset=utf-8");
}

void WebServer::ServeEvents(const httplib::Request& request, httplib::Response& response) {
    if (streams_.fetch_add(1) >= kMaxStreams) {
        streams_.fetch_sub(1);
        response.status = 503;
        response.set_content("Too many browsers are watching.\n", "text/plain");
        return;
    }
    response.set_header("Cache-Control", "no-store");
    auto subscriber = frames_.Subscribe();
    const std::string from = request.remote_addr;
    response.set_chunked_content_provider(
        "text/event-stream",
        [this, subscriber](std::size_t, httplib::DataSink& sink) {
            const auto next = frames_.Take(*subscriber, kKeepAliveInterval);
            std::string event;
            if (std::holds_alternative<FrameBroadcast::Closed>(next)) {
                sink.done();
                return true;
            }
            if (const auto* full = std::get_if<FrameBroadcast::FullFrame>(&next)) {
                // A browser reconnects a second after losing the stream.
                event = "retry: 1000\n" + EncodeFrameEvent(full->pixels, screenWidth_,
                                                           RECT{0, 0, screenWidth_, screenHeight_});
            } else if (const auto* changed = std::get_if<std::string>(&next)) {
                event = *changed;
            } else {
                event = ": still here\n\n";
            }
            return sink.write(event.data(), event.size());
        },
        [this, from](bool success) {
            streams_.fetch_sub(1);
            if (!success) {
                Log("the browser at " + from + " went away");
            }
        });
}

void WebServer::ReceiveInput(const httplib::Request& request, httplib::Response& response) {
    DecodedWebInput decoded = DecodeWebInput(request.body, screenWidth_, screenHeight_);
    if (!decoded.error.empty()) {
        LogOnce("garbage", request.remote_addr,
                "ignored malformed input from " + request.remote_addr + ": " + decoded.error);
        response.status = 400;
        response.set_content(decoded.error + "\n", "text/plain");
        return;
    }
    input_(std::move(decoded.inputs));
    response.status = 204;
}

void WebServer::LogOnce(const std::string& kind, const std::string& address,
                        const std::string& line) {
    bool first = false;
    {
        std::lock_guard lock(logMutex_);
        first = logged_.insert(kind + " " + address).second;
    }
    if (first) {
        Log(line);
    }
}

void WebServer::Log(const std::string& line) {
    std::lock_guard lock(logMutex_);
    log_ << "tessalink: " << line << "\n" << std::flush;
}

}  // namespace platform::display

#include "display/web_display.h"

#include <iostream>

#include "display/busy_indicator.h"
#include "display/composed_frame.h"
#include "display/web_frame_encoder.h"
#include "display/web_server_module.h"

namespace platform::display {

namespace {

// How often the display looks for newly drawn pixels when no input wakes it: short, so
// a paint reaches the browsers within a few milliseconds.
constexpr auto kPollInterval = std::chrono::milliseconds(4);

std::ostream& MessagesOf(const DisplayOptions& options) {
    return options.messages ? *options.messages : std::cerr;
}

}  // namespace

WebDisplay::WebDisplay(DisplayOptions options) : options_(std::move(options)) {}

WebDisplay::~WebDisplay() {
    Stop();
}

bool WebDisplay::Start(std::string& error) {
    if (thread_.joinable()) {
        return true;
    }
    if (!server_) {
        server_ = CreateWebService(
            WebServiceOptions{
                .address = options_.listen,
                .frames = &frames_,
                .screenWidth = Screen().Width(),
                .screenHeight = Screen().Height(),
                .input = [this](std::vector<WebInput> inputs) { Queue(std::move(inputs)); },
                .log = &MessagesOf(options_),
            },
            error);
        if (!server_) {
            return false;
        }
    }
    // The first frame is ready before any browser can ask for it.
    Present(true);
    if (!server_->Start(error)) {
        return false;
    }
    stopping_ = false;
    thread_ = std::thread(&WebDisplay::Run, this);
    MessagesOf(options_) << "tessalink: the screen is at " << server_->Url()
                         << " (open it in a browser)\n"
                         << std::flush;
    return true;
}

void WebDisplay::Stop() {
    if (server_) {
        server_->Stop();
    }
    {
        std::lock_guard lock(inputMutex_);
        stopping_ = true;
    }
    inputArrived_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void WebDisplay::Queue(std::vector<WebInput> inputs) {
    {
        std::lock_guard lock(inputMutex_);
        input_.insert(input_.end(), inputs.begin(), inputs.end());
    }
    inputArrived_.notify_one();
}

void WebDisplay::Run() {
    std::unique_lock lock(inputMutex_);
    while (!stopping_) {
        inputArrived_.wait_for(lock, kPollInterval,
                               [this] { return stopping_ || !input_.empty(); });
        DeliverQueuedInput(lock);
        lock.unlock();
        Present(false);
        lock.lock();
    }
}

void WebDisplay::DeliverQueuedInput(std::unique_lock<std::mutex>& lock) {
    std::deque<WebInput> inputs;
    inputs.swap(input_);
    lock.unlock();
    for (const WebInput& input : inputs) {
        Deliver(input, options_.input);
    }
    lock.lock();
}

void WebDisplay::Present(bool force) {
    Framebuffer& screen = Screen();
    auto area = pacer_.NextArea(screen, IsBusy(), WebFramePacer::Clock::now());
    if (force) {
        area = RECT{0, 0, screen.Width(), screen.Height()};
    }
    if (!area) {
        return;
    }
    std::vector<std::uint32_t> frame = ComposeFrame(screen, pacer_.BusyPhase());
    // Nobody watching: keep the frame for the next browser and skip the encoding.
    const std::string event =
        frames_.HasSubscribers() ? EncodeFrameEvent(frame, screen.Width(), *area) : std::string();
    frames_.Publish(std::move(frame), event);
}

}  // namespace platform::display

// The screen in a web page, for machines without a desktop: a browser on this machine
// or, when asked to listen beyond loopback, on another one (a phone's finger is the
// stylus). The display's own thread composes the frames and hands them to the server,
// and delivers the browsers' input to the callbacks one action at a time, in the order
// the server received it, as the window display does with its events.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "display/display.h"
#include "display/web_frame_broadcast.h"
#include "display/web_frame_pacer.h"
#include "display/web_service.h"

namespace platform::display {

class WebDisplay final : public Display {
  public:
    explicit WebDisplay(DisplayOptions options);
    ~WebDisplay() override;

    bool Start(std::string& error) override;
    void Stop() override;

    // What a browser opens; valid once started.
    std::string Url() const { return server_ ? server_->Url() : std::string(); }

  private:
    void Run();
    void Queue(std::vector<WebInput> inputs);
    void DeliverQueuedInput(std::unique_lock<std::mutex>& lock);
    void Present(bool force);

    DisplayOptions options_;
    FrameBroadcast frames_;
    std::unique_ptr<WebService> server_;
    WebFramePacer pacer_;
    std::thread thread_;
    std::mutex inputMutex_;
    std::condition_variable inputArrived_;
    std::deque<WebInput> input_;
    bool stopping_ = false;
};

}  // namespace platform::display

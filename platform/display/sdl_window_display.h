// The screen in a desktop window through SDL2, scaled by whole pixels with nearest-
// neighbour sampling so the handheld's pixels stay crisp. Everything SDL does happens on
// the display's own thread: it starts SDL, presents the changed parts of the screen
// (and the busy indicator while it turns), and turns mouse and keyboard events into the
// handheld's stylus and keys.
#pragma once

#include "display/display.h"
#include "display/sdl_library.h"

#include <SDL.h>

#include <atomic>
#include <future>
#include <thread>

namespace platform::display {

class SdlWindowDisplay final : public Display {
  public:
    explicit SdlWindowDisplay(DisplayOptions options);
    ~SdlWindowDisplay() override;

    bool Start(std::string& error) override;
    void Stop() override;

  private:
    void Run(std::promise<std::string> started);
    bool Open(std::string& error);
    void Close();
    void HandleEvent(const SDL_Event& event);
    void HandleText(const char* utf8);
    void Present(bool force);

    DisplayOptions options_;
    const SdlLibrary* sdl_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool stylus_down_ = false;
    bool was_busy_ = false;
    int busy_phase_ = 0;
    Uint32 last_busy_step_ = 0;
};

}  // namespace platform::display

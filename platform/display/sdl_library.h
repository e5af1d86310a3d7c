// SDL2, loaded when a window is first asked for rather than linked: a headless or browser
// run never opens a window, and linking SDL made every start load it with its X11,
// Wayland and audio libraries. The functions the window display calls are looked up
// once, with the signatures SDL's own header declares.
#pragma once

#include <SDL.h>

#include <string>

namespace platform::display {

class SdlLibrary {
  public:
    // The loaded library, or null with the reason in `error` (SDL2 not installed, or a
    // build of it that lacks a function used here). It is loaded once and kept for the
    // process's life: SDL's video drivers leave threads and exit handlers behind.
    static const SdlLibrary* Load(std::string& error);

    decltype(&::SDL_InitSubSystem) SDL_InitSubSystem = nullptr;
    decltype(&::SDL_QuitSubSystem) SDL_QuitSubSystem = nullptr;
    decltype(&::SDL_GetError) SDL_GetError = nullptr;
    decltype(&::SDL_SetHint) SDL_SetHint = nullptr;
    decltype(&::SDL_CreateWindow) SDL_CreateWindow = nullptr;
    decltype(&::SDL_DestroyWindow) SDL_DestroyWindow = nullptr;
    decltype(&::SDL_RaiseWindow) SDL_RaiseWindow = nullptr;
    decltype(&::SDL_CreateRenderer) SDL_CreateRenderer = nullptr;
    decltype(&::SDL_DestroyRenderer) SDL_DestroyRenderer = nullptr;
    decltype(&::SDL_CreateTexture) SDL_CreateTexture = nullptr;
    decltype(&::SDL_DestroyTexture) SDL_DestroyTexture = nullptr;
    decltype(&::SDL_UpdateTexture) SDL_UpdateTexture = nullptr;
    decltype(&::SDL_RenderClear) SDL_RenderClear = nullptr;
    decltype(&::SDL_RenderCopy) SDL_RenderCopy = nullptr;
    decltype(&::SDL_RenderPresent) SDL_RenderPresent = nullptr;
    decltype(&::SDL_StartTextInput) SDL_StartTextInput = nullptr;
    decltype(&::SDL_WaitEventTimeout) SDL_WaitEventTimeout = nullptr;
    decltype(&::SDL_PollEvent) SDL_PollEvent = nullptr;
    decltype(&::SDL_GetTicks) SDL_GetTicks = nullptr;

  private:
    SdlLibrary() = default;
    // Looks every function up in `handle`; false, naming the first one missing, if any is.
    bool Resolve(void* handle, std::string& error);
};

}  // namespace platform::display

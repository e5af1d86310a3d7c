#include "display/sdl_library.h"

#include <dlfcn.h>

#include <memory>

namespace platform::display {
namespace {

// SDL2's run-time name, the same for every 2.x release.
constexpr const char* kSdlLibraryName = "libSDL2-2.0.so.0";

template <class Function>
bool Find(void* handle, const char* name, Function& function, std::string& error) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (!function) {
        error = std::string(kSdlLibraryName) + " has no " + name;
        return false;
    }
    return true;
}

}  // namespace

bool SdlLibrary::Resolve(void* handle, std::string& error) {
    return Find(handle, "SDL_InitSubSystem", SDL_InitSubSystem, error) &&
           Find(handle, "SDL_QuitSubSystem", SDL_QuitSubSystem, error) &&
           Find(handle, "SDL_GetError", SDL_GetError, error) &&
           Find(handle, "SDL_SetHint", SDL_SetHint, error) &&
           Find(handle, "SDL_CreateWindow", SDL_CreateWindow, error) &&
           Find(handle, "SDL_DestroyWindow", SDL_DestroyWindow, error) &&
           Find(handle, "SDL_RaiseWindow", SDL_RaiseWindow, error) &&
           Find(handle, "SDL_CreateRenderer", SDL_CreateRenderer, error) &&
           Find(handle, "SDL_DestroyRenderer", SDL_DestroyRenderer, error) &&
           Find(handle, "SDL_CreateTexture", SDL_CreateTexture, error) &&
           Find(handle, "SDL_DestroyTexture", SDL_DestroyTexture, error) &&
           Find(handle, "SDL_UpdateTexture", SDL_UpdateTexture, error) &&
           Find(handle, "SDL_RenderClear", SDL_RenderClear, error) &&
           Find(handle, "SDL_RenderCopy", SDL_RenderCopy, error) &&
           Find(handle, "SDL_RenderPresent", SDL_RenderPresent, error) &&
           Find(handle, "SDL_StartTextInput", SDL_StartTextInput, error) &&
           Find(handle, "SDL_WaitEventTimeout", SDL_WaitEventTimeout, error) &&
           Find(handle, "SDL_PollEvent", SDL_PollEvent, error) &&
           Find(handle, "SDL_GetTicks", SDL_GetTicks, error);
}

const SdlLibrary* SdlLibrary::Load(std::string& error) {
    struct Loaded {
        std::unique_ptr<SdlLibrary> library;
        std::string error;
    };
    // Loaded once, by whichever thread asks first; the handle is never closed.
    static const Loaded loaded = [] {
        Loaded result;
        void* handle = dlopen(kSdlLibraryName, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            result.error = std::string("cannot load SDL2 for the window: ") + dlerror();
            return result;
        }
        auto library = std::unique_ptr<SdlLibrary>(new SdlLibrary());
        if (!library->Resolve(handle, result.error)) {
            result.error = "cannot use SDL2 for the window: " + result.error;
            dlclose(handle);
            return result;
        }
        result.library = std::move(library);
        return result;
    }();
    error = loaded.error;
    return loaded.library.get();
}

}  // namespace platform::display

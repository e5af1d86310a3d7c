#include "display/sdl_window_display.h"

#include "display/busy_indicator.h"
#include "display/composed_frame.h"
#include "display/raise_request.h"
#include "display/sdl_key_mapping.h"

#include <algorithm>

namespace platform::display {

namespace {

// How long the event loop waits when nothing happens, and how often the busy ring turns.
constexpr int kFrameMilliseconds = 16;
constexpr Uint32 kBusyStepMilliseconds = 100;

// Code points of a UTF-8 string from SDL's text input; malformed bytes are skipped.
template <class Visit>
void ForEachCodePoint(const char* utf8, Visit visit) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    while (*bytes) {
        const unsigned char lead = *bytes;
        const int length = lead < 0x80         ? 1
                           : (lead >> 5) == 6  ? 2
                           : (lead >> 4) == 14 ? 3
                           : (lead >> 3) == 30 ? 4
                                               : 0;
        if (length == 0) {
            ++bytes;
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        int i = 1;
        for (; i < length && (bytes[i] & 0xC0) == 0x80; ++i) {
            code = (code << 6) | (bytes[i] & 0x3F);
        }
        bytes += i;
        if (i == length) {
            visit(code);
        }
    }
}

}  // namespace

SdlWindowDisplay::SdlWindowDisplay(DisplayOptions options) : options_(std::move(options)) {
    options_.scale = std::clamp(options_.scale, 1, 8);
}

SdlWindowDisplay::~SdlWindowDisplay() {
    Stop();
}

bool SdlWindowDisplay::Start(std::string& error) {
    if (thread_.joinable()) {
        return true;
    }
    sdl_ = SdlLibrary::Load(error);
    if (!sdl_) {
        return false;
    }
    stopping_ = false;
    std::promise<std::string> started;
    std::future<std::string> result = started.get_future();
    thread_ = std::thread(&SdlWindowDisplay::Run, this, std::move(started));
    error = result.get();
    if (!error.empty()) {
        thread_.join();
        return false;
    }
    return true;
}

void SdlWindowDisplay::Stop() {
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

void SdlWindowDisplay::Run(std::promise<std::string> started) {
    std::string error;
    if (!Open(error)) {
        Close();
        started.set_value(error);
        return;
    }
    started.set_value({});
    Present(true);
    while (!stopping_) {
        SDL_Event event;
        if (sdl_->SDL_WaitEventTimeout(&event, kFrameMilliseconds)) {
            HandleEvent(event);
            while (sdl_->SDL_PollEvent(&event)) {
                HandleEvent(event);
            }
        }
        if (TakeRaiseRequest()) {
            sdl_->SDL_RaiseWindow(window_);
        }
        Present(false);
    }
    Close();
}

bool SdlWindowDisplay::Open(std::string& error) {
    if (sdl_->SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot start SDL video: ") + sdl_->SDL_GetError();
        return false;
    }
    sdl_->SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    Framebuffer& screen = Screen();
    window_ = sdl_->SDL_CreateWindow("Tessalink", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     screen.Width() * options_.scale,
                                     screen.Height() * options_.scale, 0);
    if (window_) {
        renderer_ = sdl_->SDL_CreateRenderer(window_, -1, 0);
    }
    if (renderer_) {
        texture_ =
            sdl_->SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                    screen.Width(), screen.Height());
    }
    if (!texture_) {
        error = std::string("cannot open the window: ") + sdl_->SDL_GetError();
        return false;
    }
    sdl_->SDL_StartTextInput();
    return true;
}

void SdlWindowDisplay::Close() {
    if (texture_) {
        sdl_->SDL_DestroyTexture(texture_);
        texture_ = nullptr;
    }
    if (renderer_) {
        sdl_->SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
    if (window_) {
        sdl_->SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    sdl_->SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindowDisplay::HandleEvent(const SDL_Event& event) {
    const DisplayInput& input = options_.input;
    const int scale = options_.scale;
    auto to_screen = [&](int x, int y, auto send) {
        send(std::clamp(x / scale, 0, Screen().Width() - 1),
             std::clamp(y / scale, 0, Screen().Height() - 1));
    };
    switch (event.type) {
        case SDL_QUIT:
            if (input.quit_requested) {
                input.quit_requested();
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button != SDL_BUTTON_LEFT || !input.stylus) {
                break;
            }
            stylus_down_ = event.type == SDL_MOUSEBUTTONDOWN;
            to_screen(event.button.x, event.button.y, [&](int x, int y) {
                input.stylus(stylus_down_ ? StylusAction::Down : StylusAction::Up, x, y);
            });
            break;
        case SDL_MOUSEMOTION:
            // A stylus moves only while it touches the screen.
            if (stylus_down_ && input.stylus) {
                to_screen(event.motion.x, event.motion.y,
                          [&](int x, int y) { input.stylus(StylusAction::Move, x, y); });
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (const UINT vk = VirtualKeyOf(event.key.keysym.sym); vk && input.key) {
                input.key(vk, event.type == SDL_KEYDOWN);
            }
            break;
        case SDL_TEXTINPUT:
            HandleText(event.text.text);
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                Present(true);
            }
            break;
        default:
            break;
    }
}

void SdlWindowDisplay::HandleText(const char* utf8) {
    if (!options_.input.character) {
        return;
    }
    ForEachCodePoint(utf8, [&](char32_t code) {
        // The handheld's text is UTF-16; characters beyond it have no WM_CHAR of their own.
        if (!TypedByVirtualKey(code) && code < 0x10000) {
            options_.input.character(static_cast<char16_t>(code));
        }
    });
}

void SdlWindowDisplay::Present(bool force) {
    Framebuffer& screen = Screen();
    std::optional<RECT> dirty;
    {
        auto lock = screen.Lock();
        dirty = screen.TakeDirty();
    }
    const bool busy = IsBusy();
    const Uint32 now = sdl_->SDL_GetTicks();
    if (busy && now - last_busy_step_ >= kBusyStepMilliseconds) {
        ++busy_phase_;
        last_busy_step_ = now;
        force = true;
    }
    // The ring's area changes when it turns or goes away: the whole frame is sent then.
    if (busy != was_busy_) {
        force = true;
        was_busy_ = busy;
    }
    if (!force && !dirty) {
        return;
    }
    const std::vector<std::uint32_t> frame = ComposeFrame(screen, busy_phase_);
    const RECT area = force || !dirty ? RECT{0, 0, screen.Width(), screen.Height()} : *dirty;
    const SDL_Rect rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
    sdl_->SDL_UpdateTexture(texture_, &rect, frame.data() + area.top * screen.Width() + area.left,
                            screen.Width() * static_cast<int>(sizeof(std::uint32_t)));
    sdl_->SDL_RenderClear(renderer_);
    sdl_->SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    sdl_->SDL_RenderPresent(renderer_);
}

}  // namespace platform::display

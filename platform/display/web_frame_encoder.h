// Frames for the browser: a rectangle of the composed screen as a PNG, carried as one
// server-sent event whose data line is "X Y WIDTH HEIGHT BASE64". The page draws each
// at its place on the canvas, so only what changed travels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace platform::display {

// `frame` holds 0x00RRGGBB pixels, `width` a row; `area` lies inside the frame.
// Empty when libpng cannot encode it.
std::string EncodeFrameEvent(std::span<const std::uint32_t> frame, int width, const RECT& area);

std::string Base64(std::span<const unsigned char> bytes);

}  // namespace platform::display

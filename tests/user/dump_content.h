// What a window adds to the automation dump, asked for as the dump asks for it.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>

#include "user/window_dump.h"

namespace tessalink::test {

inline nlohmann::json DumpContent(HWND window) {
    nlohmann::json content = nlohmann::json::object();
    SendMessageW(window, platform::user::kDumpContentMessage, 0,
                 reinterpret_cast<LPARAM>(&content));
    return content;
}

}  // namespace tessalink::test

// Splits a script line into words at spaces. A double-quoted stretch belongs to the word
// it is in, spaces included ("text=\"Ping Complete\"" is one word, text=Ping Complete);
// inside quotes, \" and \\ stand for a quote and a backslash.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::device::automation {

// Nothing, with the reason in `error`, for an unterminated quote.
std::optional<std::vector<std::string>> SplitScriptWords(std::string_view line, std::string& error);

}  // namespace platform::device::automation

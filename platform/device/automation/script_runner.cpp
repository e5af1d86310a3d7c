#include "device/automation/script_runner.h"

#include <charconv>
#include <fstream>
#include <thread>

#include "device/automation/key_chord.h"
#include "device/automation/script_words.h"
#include "device/automation/settle.h"
#include "device/automation/window_query.h"
#include "device/automation/window_tree_json.h"
#include "display/composed_frame.h"
#include "display/framebuffer.h"
#include "kernel/text/utf8.h"
#include "user/input/input_sink.h"

namespace platform::device::automation {
namespace {

constexpr auto kSettleLimit = std::chrono::seconds(5);
// How often until looks at the tree. Places, classes and states are copied under the
// window manager's lock, which costs the program next to nothing, so they are looked at
// often and a window is seen soon after it shows. Content is asked of every window on
// its own thread, so a query that needs it looks less often.
constexpr auto kLayoutPollInterval = std::chrono::milliseconds(1);
constexpr auto kContentPollInterval = std::chrono::milliseconds(10);

std::optional<long long> ParseNumber(const std::string& text) {
    long long value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> ParseCoordinate(const std::string& text, const char* axis, int limit,
                                           int& out) {
    const auto value = ParseNumber(text);
    if (!value) {
        return std::string(axis) + " '" + text + "' is not a whole number";
    }
    if (*value < 0 || *value >= limit) {
        return std::string(axis) + " " + text + " is outside the screen (0 to " +
               std::to_string(limit - 1) + ")";
    }
    out = static_cast<int>(*value);
    return std::nullopt;
}

std::optional<std::string> ParsePoint(const std::vector<std::string>& words, POINT& point) {
    if (words.size() != 3) {
        return words[0] + " takes X and Y, in screen pixels";
    }
    int x = 0;
    int y = 0;
    if (auto failure = ParseCoordinate(words[1], "x", display::kScreenWidth, x)) {
        return failure;
    }
    if (auto failure = ParseCoordinate(words[2], "y", display::kScreenHeight, y)) {
        return failure;
    }
    point = POINT{x, y};
    return std::nullopt;
}

std::optional<std::string> ParseMilliseconds(const std::string& text,
                                             std::chrono::milliseconds& out) {
    const auto value = ParseNumber(text);
    if (!value || *value < 0) {
        return "'" + text + "' is not a number of milliseconds";
    }
    out = std::chrono::milliseconds(*value);
    return std::nullopt;
}

bool IsBlankOrComment(const std::string& line) {
    const auto first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

}  // namespace

ScriptRunner::ScriptRunner(std::istream& input, std::ostream& output, std::ostream& errors)
    : input_(input), output_(output), errors_(errors) {}

ScriptRunner::Ending ScriptRunner::Run(const std::atomic<bool>& stop) {
    stop_ = &stop;
    std::string line;
    while (!stop && std::getline(input_, line)) {
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (IsBlankOrComment(line)) {
            continue;
        }
        std::string error;
        const auto words = SplitScriptWords(line, error);
        bool quit = false;
        Failure failure = words ? Execute(*words, line, quit) : Failure(error);
        if (stop) {
            return Ending::Stopped;
        }
        if (failure) {
            errors_ << "tessalink: script line " << lineNumber_ << " (" << line << "): " << *failure
                    << "\n";
            errors_.flush();
            return Ending::Failed;
        }
        if (quit) {
            return Ending::Quit;
        }
    }
    return stop ? Ending::Stopped : Ending::EndOfInput;
}

ScriptRunner::Failure ScriptRunner::Execute(const Words& words, const std::string& line,
                                            bool& quit) {
    const std::string& command = words[0];
    if (command == "tap") {
        return Tap(words);
    }
    if (command == "down" || command == "move" || command == "up") {
        return Stylus(words);
    }
    if (command == "key") {
        return Key(words);
    }
    if (command == "text") {
        return Text(line);
    }
    if (command == "wait") {
        return Wait(words);
    }
    if (command == "until") {
        return Until(words);
    }
    if (command == "dump") {
        return Dump(words);
    }
    if (command == "shot") {
        return Shot(words);
    }
    if (command == "quit") {
        if (words.size() != 1) {
            return "quit takes nothing";
        }
        quit = true;
        return std::nullopt;
    }
    return "unknown command '" + command +
           "' (tap, down, move, up, key, text, wait, until, dump, shot, quit)";
}

ScriptRunner::Failure ScriptRunner::Stylus(const Words& words) {
    POINT point{};
    if (auto failure = ParsePoint(words, point)) {
        return failure;
    }
    const auto action = words[0] == "down"   ? user::StylusAction::Down
                        : words[0] == "move" ? user::StylusAction::Move
                                             : user::StylusAction::Up;
    user::PostStylus(action, point.x, point.y);
    Settle();
    return std::nullopt;
}

ScriptRunner::Failure ScriptRunner::Tap(const Words& words) {
    POINT point{};
    if (auto failure = ParsePoint(words, point)) {
        return failure;
    }
    user::PostStylus(user::StylusAction::Down, point.x, point.y);
    Settle();
    user::PostStylus(user::StylusAction::Up, point.x, point.y);
    Settle();
    return std::nullopt;
}

ScriptRunner::Failure ScriptRunner::Key(const Words& words) {
    if (words.size() != 2) {
        return "key takes one key name, with its modifiers (key Ctrl+N)";
    }
    std::string error;
    const auto chord = ParseKeyChord(words[1], error);
    if (!chord) {
        return error;
    }
    for (const UINT modifier : chord->modifiers) {
        user::PostKey(modifier, true);
    }
    user::PostKey(chord->key, true);
    user::PostKey(chord->key, false);
    for (auto modifier = chord->modifiers.rbegin(); modifier != chord->modifiers.rend();
         ++modifier) {
        user::PostKey(*modifier, false);
    }
    Settle();
    return std::nullopt;
}

ScriptRunner::Failure ScriptRunner::Text(const std::string& line) {
    // The rest of the line after "text " as it stands, or one quoted word when it starts
    // with a quote (to type leading spaces or quotes).
    const auto start = line.find("text") + 4;
    std::string rest = line.substr(std::min(line.size(), start + 1));
    if (rest.starts_with('"')) {
        std::string error;
        const auto words = SplitScriptWords(rest, error);
        if (!words) {
            return error;
        }
        if (words->size() != 1) {
            return "text takes one quoted string, or the rest of the line";
        }
        rest = words->front();
    }
    if (rest.empty()) {
        return "text takes the characters to type";
    }
    const auto decoded = kernel::DecodeUtf8(rest);
    if (decoded.invalidSequences != 0) {
        return "the text is not UTF-8";
    }
    for (const char16_t character : decoded.text) {
        user::PostChar(character);
    }
    Settle();
    return std::nullopt;
}

ScriptRunner::Failure ScriptRunner::Wait(const Words& words) {
    if (words.size() != 2) {
        return "wait takes a number of milliseconds";
    }
    std::chrono::milliseconds duration{};
    if (auto failure = ParseMilliseconds(words[1], duration)) {
        return failure;
    }
    Sleep(duration);
    return std::nullopt;
}

ScriptRunner::Failure ScriptRunner::Until(const Words& words) {
    if (words.size() < 3) {
        return "until takes a query and a time-out in milliseconds (until text=Hello 2000)";
    }
    std::chrono::milliseconds timeout{};
    if (auto failure = ParseMilliseconds(words.back(), timeout)) {
        return failure;
    }
    std::string error;
    const auto query = WindowQuery::Parse(Words(words.begin() + 1, words.end() - 1), error);
    if (!query) {
        return error;
    }
    const bool content = query->NeedsContent();
    const auto interval = content ? kContentPollInterval : kLayoutPollInterval;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        SettleProgram(interval);
        if (query->MatchesAnyWindow(
                WindowTreeJson(content ? user::DumpContent::Ask : user::DumpContent::Skip))) {
            return std::nullopt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return "no window matched within " + words.back() + " ms";
        }
        if (!Sleep(interval)) {
            return std::nullopt;
        }
    }
}

ScriptRunner::Failure ScriptRunner::Dump(const Words& words) {
    if (words.size() > 2) {
        return "dump takes at most a file name";
    }
    Settle();
    const std::string json =
        WindowTreeJson().dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    if (words.size() == 1) {
        output_ << json << std::endl;
        return std::nullopt;
    }
    std::ofstream file(words[1], std::ios::binary | std::ios::trunc);
    file << json << "\n";
    file.close();
    if (!file) {
        return "cannot write '" + words[1] + "'";
    }
    return std::nullopt;
}

ScriptRunner::Failure ScriptRunner::Shot(const Words& words) {
    if (words.size() != 2) {
        return "shot takes a file name (shot screen.png)";
    }
    Settle();
    if (!display::SaveScreenshot(words[1])) {
        return "cannot write the screenshot '" + words[1] + "'";
    }
    return std::nullopt;
}

void ScriptRunner::Settle() {
    if (!SettleProgram(kSettleLimit)) {
        errors_ << "tessalink: script line " << lineNumber_
                << ": warning: the program was still busy after "
                << std::chrono::duration_cast<std::chrono::seconds>(kSettleLimit).count()
                << " s; going on\n";
    }
}

bool ScriptRunner::Sleep(std::chrono::milliseconds duration) {
    constexpr auto kSlice = std::chrono::milliseconds(10);
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (!*stop_) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return true;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kSlice, deadline - now));
    }
    return false;
}

}  // namespace platform::device::automation

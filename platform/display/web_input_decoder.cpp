#include "display/web_input_decoder.h"

#include <winuser.h>

#include <nlohmann/json.hpp>

#include "kernel/text/utf8.h"

namespace platform::display {

namespace {

using nlohmann::json;

// At most this many actions a request: a finger's drag sends tens, not thousands.
constexpr std::size_t kMaxInputsPerBatch = 1000;

std::string Describe(std::size_t index, const std::string& problem) {
    return "action " + std::to_string(index) + ": " + problem;
}

// Empty when `item` is a stylus action inside the screen.
std::string ReadStylus(const json& item, StylusAction action, int width, int height,
                       std::vector<WebInput>& inputs) {
    const auto x = item.find("x");
    const auto y = item.find("y");
    if (x == item.end() || y == item.end() || !x->is_number_integer() || !y->is_number_integer()) {
        return "a stylus action needs whole-number x and y";
    }
    const auto px = x->get<long long>();
    const auto py = y->get<long long>();
    if (px < 0 || px >= width || py < 0 || py >= height) {
        return "the point " + std::to_string(px) + "," + std::to_string(py) + " is off the screen";
    }
    inputs.push_back(StylusInput{action, static_cast<int>(px), static_cast<int>(py)});
    return {};
}

std::string ReadKey(const json& item, std::vector<WebInput>& inputs) {
    const auto key = item.find("key");
    const auto down = item.find("down");
    if (key == item.end() || !key->is_string() || down == item.end() || !down->is_boolean()) {
        return "a key needs a key name and down true or false";
    }
    const UINT virtualKey = VirtualKeyOfBrowserKey(key->get_ref<const std::string&>());
    if (virtualKey == 0) {
        return "no key is called '" + key->get<std::string>() + "'";
    }
    inputs.push_back(KeyInput{virtualKey, down->get<bool>()});
    return {};
}

std::string ReadText(const json& item, std::vector<WebInput>& inputs) {
    const auto text = item.find("text");
    if (text == item.end() || !text->is_string()) {
        return "text needs a string";
    }
    const auto decoded = kernel::DecodeUtf8(text->get_ref<const std::string&>());
    for (const char16_t unit : decoded.text) {
        // The handheld's WM_CHAR carries one UTF-16 unit: a character beyond the basic
        // plane has none of its own, as on the window display.
        if (unit < 0xD800 || unit > 0xDFFF) {
            inputs.push_back(CharacterInput{unit});
        }
    }
    return {};
}

std::string ReadOne(const json& item, int width, int height, std::vector<WebInput>& inputs) {
    if (!item.is_object()) {
        return "not an object";
    }
    const auto type = item.find("type");
    if (type == item.end() || !type->is_string()) {
        return "no type";
    }
    const std::string& name = type->get_ref<const std::string&>();
    if (name == "down") {
        return ReadStylus(item, StylusAction::Down, width, height, inputs);
    }
    if (name == "move") {
        return ReadStylus(item, StylusAction::Move, width, height, inputs);
    }
    if (name == "up") {
        return ReadStylus(item, StylusAction::Up, width, height, inputs);
    }
    if (name == "key") {
        return ReadKey(item, inputs);
    }
    if (name == "text") {
        return ReadText(item, inputs);
    }
    return "unknown type '" + name + "'";
}

}  // namespace

UINT VirtualKeyOfBrowserKey(std::string_view name) {
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= 'a' && c <= 'z') {
            return static_cast<UINT>(c - 'a' + 'A');
        }
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            return static_cast<UINT>(c);
        }
        return c == ' ' ? VK_SPACE : 0;
    }
    if (name.size() <= 3 && name[0] == 'F') {
        int number = 0;
        for (const char c : name.substr(1)) {
            if (c < '0' || c > '9') {
                return 0;
            }
            number = number * 10 + (c - '0');
        }
        return number >= 1 && number <= 12 ? static_cast<UINT>(VK_F1 + number - 1) : 0;
    }
    struct Named {
        std::string_view name;
        UINT key;
    };
    static constexpr Named kNamed[] = {
        {"Enter", VK_RETURN},    {"Tab", VK_TAB},        {"Escape", VK_ESCAPE},
        {"Backspace", VK_BACK},  {"Delete", VK_DELETE},  {"Insert", VK_INSERT},
        {"Home", VK_HOME},       {"End", VK_END},        {"PageUp", VK_PRIOR},
        {"PageDown", VK_NEXT},   {"ArrowLeft", VK_LEFT}, {"ArrowRight", VK_RIGHT},
        {"ArrowUp", VK_UP},      {"ArrowDown", VK_DOWN}, {"Shift", VK_SHIFT},
        {"Control", VK_CONTROL}, {"Alt", VK_MENU},
    };
    for (const Named& named : kNamed) {
        if (named.name == name) {
            return named.key;
        }
    }
    return 0;
}

DecodedWebInput DecodeWebInput(std::string_view body, int screenWidth, int screenHeight) {
    DecodedWebInput result;
    const json batch = json::parse(body, nullptr, false);
    if (batch.is_discarded()) {
        result.error = "not JSON";
        return result;
    }
    if (!batch.is_array()) {
        result.error = "not an array of actions";
        return result;
    }
    if (batch.size() > kMaxInputsPerBatch) {
        result.error = "more than " + std::to_string(kMaxInputsPerBatch) + " actions";
        return result;
    }
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (std::string problem = ReadOne(batch[i], screenWidth, screenHeight, result.inputs);
            !problem.empty()) {
            result.inputs.clear();
            result.error = Describe(i, problem);
            return result;
        }
    }
    return result;
}

void Deliver(const WebInput& input, const DisplayInput& callbacks) {
    if (const auto* stylus = std::get_if<StylusInput>(&input)) {
        if (callbacks.stylus) {
            callbacks.stylus(stylus->action, stylus->x, stylus->y);
        }
    } else if (const auto* key = std::get_if<KeyInput>(&input)) {
        if (callbacks.key) {
            callbacks.key(key->virtualKey, key->down);
        }
    } else if (const auto* character = std::get_if<CharacterInput>(&input)) {
        if (callbacks.character) {
            callbacks.character(character->character);
        }
    }
}

}  // namespace platform::display

#include "device/automation/window_tree_json.h"

#include "kernel/text/utf8.h"
#include "user/window_dump.h"

namespace platform::device::automation {
namespace {

nlohmann::json WindowJson(const user::WindowSnapshot& window) {
    nlohmann::json children = nlohmann::json::array();
    for (const auto& child : window.children) {
        children.push_back(WindowJson(child));
    }
    const RECT& rect = window.screenRect;
    return {
        {"class", kernel::EncodeUtf8(window.className).text},
        {"id", window.id},
        {"text", kernel::EncodeUtf8(window.text).text},
        {"rect",
         {{"left", rect.left}, {"top", rect.top}, {"right", rect.right}, {"bottom", rect.bottom}}},
        {"visible", window.visible},
        {"enabled", window.enabled},
        {"focus", window.focused},
        {"style", window.style},
        {"exstyle", window.exStyle},
        {"content", window.content},
        {"children", std::move(children)},
    };
}

}  // namespace

nlohmann::json WindowTreeJson(user::DumpContent content) {
    nlohmann::json tree = nlohmann::json::array();
    for (const auto& window : user::SnapshotWindowTree(content)) {
        tree.push_back(WindowJson(window));
    }
    return tree;
}

}  // namespace platform::device::automation

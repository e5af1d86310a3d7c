#include "device/automation/window_query.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform::device::automation {
namespace {

constexpr std::array<std::string_view, 6> kValueFields{"id",  "class", "text",
                                                       "row", "item",  "content"};
constexpr std::array<std::string_view, 5> kStateWords{"visible", "hidden", "enabled", "disabled",
                                                      "focus"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether `value` is one of the strings (or numbers, as text) anywhere inside `node`.
bool HoldsString(const nlohmann::json& node, const std::string& value) {
    if (node.is_string()) {
        return node.get<std::string>() == value;
    }
    if (node.is_number_integer()) {
        return std::to_string(node.get<long long>()) == value;
    }
    if (node.is_structured()) {
        return std::any_of(node.begin(), node.end(),
                           [&](const nlohmann::json& child) { return HoldsString(child, value); });
    }
    return false;
}

bool ContentListHolds(const nlohmann::json& window, const char* list, const std::string& value) {
    const auto& content = window.at("content");
    return content.contains(list) && HoldsString(content.at(list), value);
}

}  // namespace

std::optional<WindowQuery> WindowQuery::Parse(const std::vector<std::string>& terms,
                                              std::string& error) {
    if (terms.empty()) {
        error = "the query is empty";
        return std::nullopt;
    }
    WindowQuery query;
    for (const std::string& word : terms) {
        const auto equals = word.find('=');
        Term term{word.substr(0, equals),
                  equals == std::string::npos ? "" : word.substr(equals + 1)};
        const bool known = equals == std::string::npos ? Contains(kStateWords, term.field)
                                                       : Contains(kValueFields, term.field);
        if (!known) {
            error = "'" + word +
                    "' is not a query term (id=, class=, text=, row=, item=, "
                    "content=, visible, hidden, enabled, disabled, focus)";
            return std::nullopt;
        }
        query.terms_.push_back(std::move(term));
    }
    return query;
}

bool WindowQuery::NeedsContent() const {
    return std::any_of(terms_.begin(), terms_.end(), [](const Term& term) {
        return term.field == "row" || term.field == "item" || term.field == "content";
    });
}

bool WindowQuery::TermHolds(const Term& term, const nlohmann::json& window) {
    const std::string& field = term.field;
    if (field == "id") {
        return std::to_string(window.at("id").get<long long>()) == term.value;
    }
    if (field == "class" || field == "text") {
        return window.at(field).get<std::string>() == term.value;
    }
    if (field == "row") {
        return ContentListHolds(window, "rows", term.value);
    }
    if (field == "item") {
        return ContentListHolds(window, "items", term.value);
    }
    if (field == "content") {
        return HoldsString(window.at("content"), term.value);
    }
    if (field == "hidden") {
        return !window.at("visible").get<bool>();
    }
    if (field == "disabled") {
        return !window.at("enabled").get<bool>();
    }
    return window.at(field).get<bool>();  // visible, enabled, focus
}

bool WindowQuery::Matches(const nlohmann::json& window) const {
    return std::all_of(terms_.begin(), terms_.end(),
                       [&](const Term& term) { return TermHolds(term, window); });
}

bool WindowQuery::MatchesAnyWindow(const nlohmann::json& tree) const {
    return std::any_of(tree.begin(), tree.end(), [&](const nlohmann::json& window) {
        return Matches(window) || MatchesAnyWindow(window.at("children"));
    });
}

}  // namespace platform::device::automation

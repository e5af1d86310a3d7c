#include "net/sim/scenario_node.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

#include "net/ipv4_text.h"
#include "net/sim/scenario_error.h"

namespace platform::net::sim {
namespace {

std::string Describe(const nlohmann::json& value) {
    if (value.is_object()) {
        return "an object";
    }
    if (value.is_array()) {
        return "an array";
    }
    std::string text = value.dump();
    constexpr std::size_t kShown = 40;
    if (text.size() > kShown) {
        text = text.substr(0, kShown) + "...";
    }
    return text;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

ScenarioNode::ScenarioNode(const nlohmann::json& value, std::string file, std::string path)
    : value_(&value), file_(std::move(file)), path_(std::move(path)) {}

void ScenarioNode::AllowKeys(std::initializer_list<std::string_view> keys) const {
    ExpectObject();
    for (const auto& [key, member] : value_->items()) {
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            std::string known;
            for (const std::string_view allowed : keys) {
                known += (known.empty() ? "" : ", ") + std::string(allowed);
            }
            Child(member, key).Complain("unknown key \"" + key + "\" (known keys: " + known + ")");
        }
    }
}

ScenarioNode ScenarioNode::Required(std::string_view key) const {
    auto member = Optional(key);
    if (!member) {
        Complain("missing key \"" + std::string(key) + "\"");
    }
    return *member;
}

std::optional<ScenarioNode> ScenarioNode::Optional(std::string_view key) const {
    ExpectObject();
    const auto found = value_->find(key);
    if (found == value_->end()) {
        return std::nullopt;
    }
    return Child(*found, key);
}

std::vector<std::pair<std::string, ScenarioNode>> ScenarioNode::Members() const {
    ExpectObject();
    std::vector<std::pair<std::string, ScenarioNode>> members;
    for (const auto& [key, member] : value_->items()) {
        members.emplace_back(key, Child(member, key));
    }
    return members;
}

std::vector<ScenarioNode> ScenarioNode::Elements() const {
    if (!value_->is_array()) {
        Fail("an array");
    }
    std::vector<ScenarioNode> elements;
    for (std::size_t i = 0; i < value_->size(); ++i) {
        elements.push_back(Child((*value_)[i], "[" + std::to_string(i) + "]"));
    }
    return elements;
}

std::string ScenarioNode::String() const {
    if (!value_->is_string()) {
        Fail("a string");
    }
    return value_->get<std::string>();
}

bool ScenarioNode::Bool() const {
    if (!value_->is_boolean()) {
        Fail("true or false");
    }
    return value_->get<bool>();
}

std::uint32_t ScenarioNode::Uint32() const {
    const std::uint64_t value = Uint64();
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        Fail("a whole number from 0 to 4294967295");
    }
    return static_cast<std::uint32_t>(value);
}

std::uint64_t ScenarioNode::Uint64() const {
    if (!value_->is_number_unsigned()) {
        Fail("a whole number, 0 or more");
    }
    return value_->get<std::uint64_t>();
}

Ipv4 ScenarioNode::Address() const {
    const auto address =
        value_->is_string() ? ParseDottedQuad(value_->get<std::string>()) : std::nullopt;
    if (!address) {
        Fail("an IPv4 address such as \"192.168.1.20\"");
    }
    return *address;
}

std::vector<Ipv4> ScenarioNode::AddressList() const {
    std::vector<Ipv4> addresses;
    for (const ScenarioNode& element : Elements()) {
        addresses.push_back(element.Address());
    }
    return addresses;
}

std::vector<std::uint8_t> ScenarioNode::HardwareAddress() const {
    constexpr std::string_view kExpected =
        "a hardware address of 0 to 8 bytes such as \"00-0a-95-9d-68-16\"";
    if (!value_->is_string()) {
        Fail(kExpected);
    }
    const auto& text = value_->get_ref<const std::string&>();
    if (text.ends_with('-') || text.ends_with(':')) {
        Fail(kExpected);
    }
    std::vector<std::uint8_t> bytes;
    // Two hex digits per byte, and one separator ('-' or ':') between bytes.
    for (std::size_t pos = 0; pos < text.size(); pos += 3) {
        if (pos + 2 > text.size() || bytes.size() == 8) {
            Fail(kExpected);
        }
        const bool separated =
            pos + 2 == text.size() || text[pos + 2] == '-' || text[pos + 2] == ':';
        if (HexValue(text[pos]) < 0 || HexValue(text[pos + 1]) < 0 || !separated) {
            Fail(kExpected);
        }
        bytes.push_back(
            static_cast<std::uint8_t>(HexValue(text[pos]) * 16 + HexValue(text[pos + 1])));
    }
    return bytes;
}

std::int64_t ScenarioNode::UtcTime() const {
    constexpr std::string_view kExpected = "a UTC time such as \"2026-12-05T08:30:00Z\"";
    if (!value_->is_string()) {
        Fail(kExpected);
    }
    const auto& text = value_->get_ref<const std::string&>();
    int year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int consumed = 0;
    const int fields = std::sscanf(text.c_str(), "%4d-%2u-%2uT%2u:%2u:%2uZ%n", &year, &month, &day,
                                   &hour, &minute, &second, &consumed);
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                           std::chrono::day(day)};
    if (fields != 6 || static_cast<std::size_t>(consumed) != text.size() || !date.ok() ||
        hour > 23 || minute > 59 || second > 59) {
        Fail(kExpected);
    }
    const auto instant = std::chrono::sys_days(date) + std::chrono::hours(hour) +
                         std::chrono::minutes(minute) + std::chrono::seconds(second);
    return instant.time_since_epoch().count();
}

std::uint32_t ScenarioNode::NamedNumber(
    std::initializer_list<std::pair<std::string_view, std::uint32_t>> names) const {
    if (value_->is_string()) {
        const auto& text = value_->get_ref<const std::string&>();
        for (const auto& [name, number] : names) {
            if (text == name) {
                return number;
            }
        }
    }
    if (value_->is_number_unsigned()) {
        return Uint32();
    }
    std::string expected = "a number or one of";
    for (const auto& [name, number] : names) {
        expected += " \"" + std::string(name) + "\"";
    }
    Fail(expected);
}

void ScenarioNode::Fail(std::string_view expected) const {
    Complain("expected " + std::string(expected) + ", found " + Describe(*value_));
}

void ScenarioNode::Complain(std::string_view problem) const {
    const std::string place = path_.empty() ? "the top level" : path_;
    throw ScenarioError(file_ + ": at " + place + ": " + std::string(problem));
}

ScenarioNode ScenarioNode::Child(const nlohmann::json& value, std::string_view step) const {
    std::string path = path_;
    if (!step.starts_with('[') && !path.empty()) {
        path += '.';
    }
    path += step;
    return ScenarioNode(value, file_, std::move(path));
}

void ScenarioNode::ExpectObject() const {
    if (!value_->is_object()) {
        Fail("an object");
    }
}

}  // namespace platform::net::sim

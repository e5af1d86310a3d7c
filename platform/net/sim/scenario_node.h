// One value of a scenario file with the way to it ("adapters[1].mac"), so that every
// complaint about it can say where it is and what should have been there.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net/network_backend.h"

namespace platform::net::sim {

class ScenarioNode {
  public:
    ScenarioNode(const nlohmann::json& value, std::string file, std::string path = {});

    // Members of an object. Unknown keys are refused: in a hand-written file they are
    // almost always misspellings of known ones, which would otherwise be ignored.
    void AllowKeys(std::initializer_list<std::string_view> keys) const;
    ScenarioNode Required(std::string_view key) const;
    std::optional<ScenarioNode> Optional(std::string_view key) const;
    std::vector<std::pair<std::string, ScenarioNode>> Members() const;
    // Sets `field` from the member `key`, read by `read`, when the member is there.
    template <typename T>
    void ReadOptional(std::string_view key, T& field, T (ScenarioNode::*read)() const) const {
        if (const auto member = Optional(key)) {
            field = ((*member).*read)();
        }
    }

    std::vector<ScenarioNode> Elements() const;

    std::string String() const;
    bool Bool() const;
    std::uint32_t Uint32() const;
    std::uint64_t Uint64() const;
    Ipv4 Address() const;
    std::vector<Ipv4> AddressList() const;
    // "00-0a-95-9d-68-16" or "00:0a:95:9d:68:16", 0 to 8 bytes.
    std::vector<std::uint8_t> HardwareAddress() const;
    // "2026-12-05T08:30:00Z", as seconds since 1970.
    std::int64_t UtcTime() const;
    // A number, or one of the names given for numbers.
    std::uint32_t NamedNumber(
        std::initializer_list<std::pair<std::string_view, std::uint32_t>> names) const;

    bool IsString() const { return value_->is_string(); }
    bool IsNumber() const { return value_->is_number(); }
    bool IsObject() const { return value_->is_object(); }
    const nlohmann::json& Json() const { return *value_; }

    // Throws a ScenarioError: "FILE: at PATH: expected WHAT, found VALUE".
    [[noreturn]] void Fail(std::string_view expected) const;
    // Throws a ScenarioError: "FILE: at PATH: PROBLEM".
    [[noreturn]] void Complain(std::string_view problem) const;

  private:
    ScenarioNode Child(const nlohmann::json& value, std::string_view step) const;
    void ExpectObject() const;

    const nlohmann::json* value_ = nullptr;
    std::string file_;
    std::string path_;
};

}  // namespace platform::net::sim

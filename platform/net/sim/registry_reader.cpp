#include "net/sim/registry_reader.h"

#include <optional>
#include <string>

#include "kernel/registry/registry_values.h"
#include "kernel/text/utf8.h"

namespace platform::net::sim {
namespace {

std::optional<kernel::RegistryRoot> RootNamed(std::string_view name) {
    using kernel::RegistryRoot;
    if (name == "HKEY_LOCAL_MACHINE" || name == "HKLM") {
        return RegistryRoot::LocalMachine;
    }
    if (name == "HKEY_CURRENT_USER" || name == "HKCU") {
        return RegistryRoot::CurrentUser;
    }
    if (name == "HKEY_CLASSES_ROOT" || name == "HKCR") {
        return RegistryRoot::ClassesRoot;
    }
    if (name == "HKEY_USERS" || name == "HKU") {
        return RegistryRoot::Users;
    }
    return std::nullopt;
}

std::u16string Wide(std::string_view text) {
    return kernel::DecodeUtf8(text).text;
}

kernel::RegistryValue BinaryData(const ScenarioNode& data) {
    const std::string hex = data.String();
    if (hex.size() % 2 != 0 ||
        hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        data.Fail("bytes as hexadecimal digits, two per byte, such as \"0a1b\"");
    }
    std::vector<std::uint8_t> bytes;
    for (std::size_t pos = 0; pos < hex.size(); pos += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(pos, 2), nullptr, 16)));
    }
    return kernel::BinaryValue(std::move(bytes));
}

kernel::RegistryValue MultiStringData(const ScenarioNode& data) {
    std::vector<std::u16string> strings;
    for (const ScenarioNode& element : data.Elements()) {
        strings.push_back(Wide(element.String()));
    }
    return kernel::MultiStringValue(strings);
}

kernel::RegistryValue TypedValue(const ScenarioNode& node) {
    node.AllowKeys({"type", "data"});
    const ScenarioNode type = node.Required("type");
    const ScenarioNode data = node.Required("data");
    const std::string name = type.String();
    if (name == "REG_SZ" || name == "REG_EXPAND_SZ") {
        return kernel::StringValue(Wide(data.String()), name == "REG_EXPAND_SZ");
    }
    if (name == "REG_DWORD") {
        return kernel::DwordValue(data.Uint32());
    }
    if (name == "REG_BINARY") {
        return BinaryData(data);
    }
    if (name == "REG_MULTI_SZ") {
        return MultiStringData(data);
    }
    type.Fail(
        "one of \"REG_SZ\", \"REG_EXPAND_SZ\", \"REG_DWORD\", \"REG_BINARY\", \"REG_MULTI_SZ\"");
}

kernel::RegistryValue ReadValue(const ScenarioNode& node) {
    if (node.IsString()) {
        return kernel::StringValue(Wide(node.String()));
    }
    if (node.IsNumber()) {
        return kernel::DwordValue(node.Uint32());
    }
    if (node.IsObject()) {
        return TypedValue(node);
    }
    node.Fail("a string, a number or {\"type\": ..., \"data\": ...}");
}

}  // namespace

std::vector<RegistryEntry> ReadRegistry(const ScenarioNode& node) {
    std::vector<RegistryEntry> entries;
    for (const auto& [key, values] : node.Members()) {
        const std::size_t separator = key.find('\\');
        const auto root = RootNamed(key.substr(0, separator));
        const std::string path = separator == std::string::npos ? "" : key.substr(separator + 1);
        if (!root || path.empty() || path.starts_with('\\') || path.ends_with('\\') ||
            path.find("\\\\") != std::string::npos) {
            values.Complain(
                "the key name should be a root and a path, such as "
                "\"HKEY_LOCAL_MACHINE\\\\Comm\\\\NE20001\"");
        }
        for (const auto& [name, value] : values.Members()) {
            entries.push_back({*root, Wide(path), Wide(name), ReadValue(value)});
        }
    }
    return entries;
}

}  // namespace platform::net::sim

#include "kernel/registry/registry_values.h"

#include <cstring>

#include <windows.h>

namespace platform::kernel {

namespace {

void AppendTerminated(std::vector<std::uint8_t>& data, std::u16string_view text) {
    const std::size_t start = data.size();
    data.resize(start + (text.size() + 1) * sizeof(char16_t));
    std::memcpy(data.data() + start, text.data(), text.size() * sizeof(char16_t));
}

}  // namespace

RegistryValue StringValue(std::u16string_view text, bool expandable) {
    RegistryValue value{expandable ? static_cast<std::uint32_t>(REG_EXPAND_SZ) : REG_SZ, {}};
    AppendTerminated(value.data, text);
    return value;
}

RegistryValue MultiStringValue(const std::vector<std::u16string>& strings) {
    RegistryValue value{REG_MULTI_SZ, {}};
    for (const auto& text : strings) {
        AppendTerminated(value.data, text);
    }
    AppendTerminated(value.data, u"");
    return value;
}

RegistryValue DwordValue(std::uint32_t number) {
    RegistryValue value{REG_DWORD, std::vector<std::uint8_t>(sizeof number)};
    std::memcpy(value.data.data(), &number, sizeof number);
    return value;
}

RegistryValue BinaryValue(std::vector<std::uint8_t> bytes) {
    return {REG_BINARY, std::move(bytes)};
}

}  // namespace platform::kernel

#include "user/dialog/dialog_template_source.h"

#include <libloaderapi.h>

#include "kernel/resources/module_table.h"
#include "kernel/resources/resources.h"

namespace platform::user {

namespace {

constexpr std::size_t kLargestInMemoryTemplate = 64 * 1024;

std::span<const std::uint8_t> BytesFrom(const std::uint8_t* start) {
    const auto& resources = kernel::ModuleTable::Instance().Executable().Resources();
    for (const auto& entry : resources.Entries()) {
        const std::uint8_t* begin = entry.data.data();
        const std::uint8_t* end = begin + entry.data.size();
        if (start >= begin && start < end) {
            return {start, static_cast<std::size_t>(end - start)};
        }
    }
    return {start, kLargestInMemoryTemplate};
}

std::optional<DialogTemplate> ParseOrFail(std::span<const std::uint8_t> bytes) {
    auto parsed = ParseDialogTemplate(bytes);
    if (!parsed) {
        SetLastError(ERROR_INVALID_DATA);
    }
    return parsed;
}

}  // namespace

std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE instance, LPCWSTR name) {
    const auto bytes = kernel::FindResourceBytes(instance, name, RT_DIALOG);
    if (!bytes) {
        return std::nullopt;
    }
    return ParseOrFail(*bytes);
}

std::optional<DialogTemplate> ReadDialogTemplate(LPCDLGTEMPLATEW dialogTemplate) {
    if (!dialogTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    return ParseOrFail(BytesFrom(reinterpret_cast<const std::uint8_t*>(dialogTemplate)));
}

}  // namespace platform::user

#include "kernel/resources/resources.h"

#include "kernel/resources/module_table.h"
#include "kernel/resources/string_table.h"

namespace platform::kernel {

const Module* FindModule(HMODULE module) {
    const Module* found = ModuleTable::Instance().FromHandle(module);
    if (found == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
    }
    return found;
}

std::optional<std::size_t> FindResourceIndex(const Module& module, LPCWSTR name, LPCWSTR type) {
    const ResourceFile& resources = module.Resources();
    if (resources.Entries().empty()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return std::nullopt;
    }
    const ResourceId typeId = ResourceId::FromArgument(type);
    const auto index = resources.Find(typeId, ResourceId::FromArgument(name));
    if (!index) {
        SetLastError(resources.HasType(typeId) ? ERROR_RESOURCE_NAME_NOT_FOUND
                                               : ERROR_RESOURCE_TYPE_NOT_FOUND);
    }
    return index;
}

std::optional<std::span<const std::uint8_t>> FindResourceBytes(HMODULE module, LPCWSTR name,
                                                               LPCWSTR type) {
    const Module* found = FindModule(module);
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto index = FindResourceIndex(*found, name, type);
    if (!index) {
        return std::nullopt;
    }
    return found->Resources().Entries()[*index].data;
}

std::optional<std::u16string_view> FindResourceString(HMODULE module, UINT id) {
    const Module* found = FindModule(module);
    if (found == nullptr) {
        return std::nullopt;
    }
    // Only the low word names a string, as on Windows.
    const auto text = FindString(found->Resources(), LOWORD(id));
    if (!text) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    }
    return text;
}

}  // namespace platform::kernel

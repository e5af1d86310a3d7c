// The kernel's resources for the rest of the platform: the window system's loaders
// (dialog templates, menus, accelerators, bitmaps, icons, menu-bar RCDATA) find a
// resource's bytes here without going through resource handles. Each function takes
// its arguments as the Win32 function it serves does, and on failure sets the last
// error as FindResourceW would, so a facade can simply return its failure value.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "kernel/resources/module.h"

namespace platform::kernel {

// The module behind a handle (null: the executable); ERROR_MOD_NOT_FOUND if none.
const Module* FindModule(HMODULE module);

// The index of the resource among module.Resources().Entries().
// ERROR_RESOURCE_DATA_NOT_FOUND when the module has no resources at all,
// ERROR_RESOURCE_TYPE_NOT_FOUND, ERROR_RESOURCE_NAME_NOT_FOUND.
std::optional<std::size_t> FindResourceIndex(const Module& module, LPCWSTR name, LPCWSTR type);

// The bytes of a resource, e.g. FindResourceBytes(instance, MAKEINTRESOURCEW(100), RT_DIALOG).
std::optional<std::span<const std::uint8_t>> FindResourceBytes(HMODULE module, LPCWSTR name,
                                                               LPCWSTR type);

// The text of string id, not terminated; ERROR_RESOURCE_NAME_NOT_FOUND when the
// module has no such string (or only an empty one).
std::optional<std::u16string_view> FindResourceString(HMODULE module, UINT id);

}  // namespace platform::kernel

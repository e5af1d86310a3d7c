// Reading an RT_MENU resource as resource compilers write it: a header (version 0 and
// the size of extra header bytes), then the items of the top level. A plain item is
// flags, command id and its text; an MF_POPUP item is flags and text, followed by the
// items of its sub-menu. MF_END marks the last item of each level. Texts are
// zero-terminated UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace platform::user {

struct MenuTemplateItem {
    UINT flags = 0;
    UINT command = 0;
    std::u16string text;
    std::vector<MenuTemplateItem> children;
};

// The top level's items, or nothing when the data is cut short, nests too deep, or is a
// format this reader does not know (the extended menu layout).
std::optional<std::vector<MenuTemplateItem>> ParseMenuResource(const BYTE* data, DWORD size);

}  // namespace platform::user

// A module's resource file, and each resource in it read by the reader of its type:
// string tables, the version block, dialog templates, menus, accelerators, bitmaps and
// icons. Every entry and every version value found lies inside the bytes it came from.
#include <windows.h>

#include "fuzz_target.h"
#include "gdi/dib_decoder.h"
#include "kernel/resources/resource_file.h"
#include "kernel/resources/string_table.h"
#include "kernel/resources/version_info_block.h"
#include "user/dialog/dialog_template.h"
#include "user/menu/accelerator_table.h"
#include "user/menu/menu_resource.h"

namespace {

bool Inside(std::span<const std::uint8_t> part, std::span<const std::uint8_t> whole) {
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

void ReadVersion(std::span<const std::uint8_t> block) {
    const platform::kernel::VersionInfoBlock version(block);
    for (const std::u16string_view path :
         {u"\\", u"\\StringFileInfo\\080904b0\\FileVersion", u"\\VarFileInfo\\Translation"}) {
        const auto found = version.Query(path);
        if (found.status == platform::kernel::VersionQueryResult::Status::Found) {
            FUZZ_CHECK(found.valueOffset <= block.size());
        }
    }
}

}  // namespace

TESSALINK_FUZZ_TARGET(resource_file) {
    std::string error;
    const auto file = platform::kernel::ResourceFile::Parse(input, error);
    FUZZ_CHECK(file.has_value() == error.empty());
    if (!file) {
        return;
    }
    for (const platform::kernel::ResourceEntry& entry : file->Entries()) {
        FUZZ_CHECK(Inside(entry.data, input));
        const auto size = static_cast<DWORD>(entry.data.size());
        switch (entry.type.Ordinal()) {
            case 4:  // RT_MENU
                platform::user::ParseMenuResource(entry.data.data(), size);
                break;
            case 5:  // RT_DIALOG
                platform::user::ParseDialogTemplate(entry.data);
                break;
            case 9:  // RT_ACCELERATOR
                platform::user::AcceleratorTable::FromResource(entry.data.data(), size);
                break;
            case 2:  // RT_BITMAP
                platform::gdi::DecodeDib(entry.data);
                break;
            case 3:  // RT_ICON
                platform::gdi::DecodeIconImage(entry.data);
                break;
            case 16:  // RT_VERSION
                ReadVersion(entry.data);
                break;
            case 6:  // RT_STRING: a block holds sixteen strings
                for (unsigned position = 0; position < 16; ++position) {
                    platform::kernel::FindString(
                        *file,
                        static_cast<std::uint16_t>((entry.name.Ordinal() - 1u) * 16u + position));
                }
                break;
            default:
                break;
        }
    }
}

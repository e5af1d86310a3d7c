// One resource's bytes, for the reader the first byte picks: a dialog template, a menu,
// an accelerator table, a bitmap or an icon image. The resource file's own target
// reaches these readers too, but only through a well-formed file around them.
#include <windows.h>

#include "fuzz_target.h"
#include "gdi/dib_decoder.h"
#include "user/dialog/dialog_template.h"
#include "user/menu/accelerator_table.h"
#include "user/menu/menu_resource.h"

TESSALINK_FUZZ_TARGET(resource_data) {
    if (input.empty()) {
        return;
    }
    const auto data = input.subspan(1);
    const auto size = static_cast<DWORD>(data.size());
    switch (input[0] % 5) {
        case 0:
            if (const auto dialog = platform::user::ParseDialogTemplate(data)) {
                FUZZ_CHECK(dialog->items.size() <= 0xFFFF);
            }
            break;
        case 1:
            platform::user::ParseMenuResource(data.data(), size);
            break;
        case 2:
            platform::user::AcceleratorTable::FromResource(data.data(), size);
            break;
        case 3:
            if (const auto bitmap = platform::gdi::DecodeDib(data)) {
                FUZZ_CHECK(bitmap->Width() > 0 && bitmap->Height() > 0);
            }
            break;
        default:
            platform::gdi::DecodeIconImage(data);
            break;
    }
}

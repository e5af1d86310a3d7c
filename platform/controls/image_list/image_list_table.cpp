#include "controls/image_list/image_list_table.h"

namespace platform::controls {

ImageListTable& ImageListTable::Instance() {
    static ImageListTable table;
    return table;
}

HIMAGELIST ImageListTable::Add(std::unique_ptr<ImageList> list) {
    return reinterpret_cast<HIMAGELIST>(lists_.Add(std::move(list)));
}

ImageList* ImageListTable::Find(HIMAGELIST handle) const {
    ImageList* list = lists_.Find(reinterpret_cast<std::uintptr_t>(handle));
    if (!list) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return list;
}

bool ImageListTable::Destroy(HIMAGELIST handle) {
    if (!lists_.Remove(reinterpret_cast<std::uintptr_t>(handle))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

}  // namespace platform::controls

#include "controls/image_list/image_list_table.h"

namespace platform::controls {

ImageListTable& ImageListTable::Instance() {
    static ImageListTable table;
    return table;
}

HIMAGELIST ImageListTable::Add(std::unique_ptr<ImageList> list) {
    return lists_.Add(std::move(list));
}

ImageList* ImageListTable::Find(HIMAGELIST handle) {
    const std::unique_ptr<ImageList>* list = lists_.Find(handle);
    if (!list) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return list->get();
}

bool ImageListTable::Destroy(HIMAGELIST handle) {
    if (!lists_.Remove(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

}  // namespace platform::controls

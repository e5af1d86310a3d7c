// The ImageList_ functions: thin facades over ImageList and its handle table.
#include <commctrl.h>

#include "controls/image_list/image_list_table.h"

using platform::controls::ImageList;
using platform::controls::ImageListTable;

extern "C" HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
    // The initial size and the growth step only tune allocation, which the list's
    // vectors do on their own.
    (void)cInitial;
    (void)cGrow;
    if (cx <= 0 || cy <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto& table = ImageListTable::Instance();
    auto lock = table.Lock();
    return table.Add(std::make_unique<ImageList>(cx, cy, (flags & ILC_MASK) != 0));
}

extern "C" HIMAGELIST WINAPI ImageList_LoadImageW(HINSTANCE hi, LPCWSTR lpbmp, int cx, int cGrow,
                                                  COLORREF crMask, UINT uType, UINT uFlags) {
    if (uType != IMAGE_BITMAP || cx <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto bitmap = static_cast<HBITMAP>(LoadImageW(hi, lpbmp, IMAGE_BITMAP, 0, 0, uFlags));
    if (!bitmap) {
        return nullptr;
    }
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    const UINT flags = crMask == CLR_NONE ? ILC_COLOR : ILC_COLOR | ILC_MASK;
    HIMAGELIST list = ImageList_Create(cx, info.bmHeight, flags, 0, cGrow);
    if (list && ImageList_AddMasked(list, bitmap, crMask) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(bitmap);
    return list;
}

extern "C" BOOL WINAPI ImageList_Destroy(HIMAGELIST himl) {
    auto& table = ImageListTable::Instance();
    auto lock = table.Lock();
    return table.Destroy(himl);
}

extern "C" int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
    auto& table = ImageListTable::Instance();
    auto lock = table.Lock();
    ImageList* list = table.Find(himl);
    return list ? list->Add(hbmImage, hbmMask) : -1;
}

extern "C" int WINAPI ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
    auto& table = ImageListTable::Instance();
    auto lock = table.Lock();
    ImageList* list = table.Find(himl);
    return list ? list->AddMasked(hbmImage, crMask) : -1;
}

extern "C" int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
    auto& table = ImageListTable::Instance();
    auto lock = table.Lock();
    const ImageList* list = table.Find(himl);
    return list ? list->Count() : 0;
}

extern "C" BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    auto& table = ImageListTable::Instance();
    auto lock = table.Lock();
    const ImageList* list = table.Find(himl);
    if (!list || !cx || !cy) {
        return FALSE;
    }
    *cx = list->Width();
    *cy = list->Height();
    return TRUE;
}

extern "C" BOOL WINAPI ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y,
                                      UINT fStyle) {
    if (fStyle & ~static_cast<UINT>(ILD_TRANSPARENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto& table = ImageListTable::Instance();
    auto lock = table.Lock();
    const ImageList* list = table.Find(himl);
    return list && list->Draw(i, hdcDst, x, y);
}

#include "user/window_class.h"

#include <algorithm>

namespace platform::user {

namespace {

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

bool EqualNoCase(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto x, auto y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

std::shared_ptr<WindowClass> ClassRegistry::Register(const WNDCLASSW& description) {
    if (!description.lpszClassName || IS_INTRESOURCE(description.lpszClassName) ||
        !description.lpfnWndProc || description.cbClsExtra < 0 || description.cbWndExtra < 0 ||
        description.lpszClassName[0] == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (Find(description.lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return nullptr;
    }
    auto windowClass = std::make_shared<WindowClass>();
    windowClass->name = description.lpszClassName;
    windowClass->atom = nextAtom_++;
    windowClass->style = description.style;
    windowClass->procedure = description.lpfnWndProc;
    windowClass->classExtraBytes = description.cbClsExtra;
    windowClass->windowExtraBytes = description.cbWndExtra;
    windowClass->instance = description.hInstance;
    windowClass->icon = description.hIcon;
    windowClass->cursor = description.hCursor;
    windowClass->background = description.hbrBackground;
    windowClass->menuName =
        IS_INTRESOURCE(description.lpszMenuName) ? description.lpszMenuName : nullptr;
    classes_.push_back(windowClass);
    return windowClass;
}

std::shared_ptr<WindowClass> ClassRegistry::Find(LPCWSTR nameOrAtom) const {
    if (!nameOrAtom) {
        return nullptr;
    }
    const bool byAtom = IS_INTRESOURCE(nameOrAtom);
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom));
    const std::u16string name = byAtom ? std::u16string{} : std::u16string{nameOrAtom};
    for (const auto& windowClass : classes_) {
        if (byAtom ? windowClass->atom == atom : EqualNoCase(windowClass->name, name)) {
            return windowClass;
        }
    }
    return nullptr;
}

bool ClassRegistry::Unregister(LPCWSTR nameOrAtom) {
    const auto windowClass = Find(nameOrAtom);
    if (!windowClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return false;
    }
    if (windowClass->windowCount > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return false;
    }
    std::erase(classes_, windowClass);
    return true;
}

}  // namespace platform::user

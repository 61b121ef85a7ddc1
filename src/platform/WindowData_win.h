#pragma once

#include <windows.h>

// A window's object kept in its user-data slot: the creation parameter of
// WM_CREATE (none: null), read back for every later message.

// The creation parameter of WM_CREATE, or null.
template <typename Object>
Object* CreationObject(LPARAM createStruct) {
    auto* create = reinterpret_cast<const CREATESTRUCTW*>(createStruct);
    return create ? static_cast<Object*>(create->lpCreateParams) : nullptr;
}

template <typename Object>
Object* KeepCreationObject(HWND window, LPARAM createStruct) {
    auto* object = CreationObject<Object>(createStruct);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return object;
}

template <typename Object>
Object* WindowObject(HWND window) {
    return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

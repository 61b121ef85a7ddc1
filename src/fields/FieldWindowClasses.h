#pragma once

#include <windows.h>

#include <iterator>

#include "screen/FieldWindowClass.h"

// The window class names of the field windows and the page window.
const wchar_t* FieldWindowClassName(FieldWindowClass windowClass);
extern const wchar_t kPageWindowClass[];

// Registers the field and page window classes for the program's lifetime and
// unregisters, in the same order, those whose registration succeeded.
class CFieldWindowClasses {
public:
    explicit CFieldWindowClasses(HINSTANCE instance);
    ~CFieldWindowClasses();
    CFieldWindowClasses(const CFieldWindowClasses&) = delete;
    CFieldWindowClasses& operator=(const CFieldWindowClasses&) = delete;

private:
    static constexpr int kCount = 9;
    HINSTANCE instance;
    bool registered[kCount] = {};
};

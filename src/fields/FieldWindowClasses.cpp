#include "fields/FieldWindowClasses.h"

#include "fields/ControlWindow.h"
#include "fields/EntryWindow.h"
#include "fields/FieldWindow.h"
#include "fields/FixedWindow.h"
#include "fields/PageWindow.h"
#include "fields/SystemWindow.h"
#include "platform/ClassIcon_win.h"
#include "resources/resource.h"

const wchar_t kPageWindowClass[] = L"VDKCPage";

namespace {

struct CClassEntry {
    const wchar_t* name;
    WNDPROC procedure;
};

// In the order of registration.
const CClassEntry kClasses[] = {
    {L"VDKEntry", EntryWindowProc},
    {L"VDKFixed", FixedWindowProc},
    {L"VDKSystem", SystemWindowProc},
    {L"VDKButton", ButtonWindowProc},
    {L"VDKSelectButton", SelectButtonWindowProc},
    {L"VDKCheckBox", CheckBoxWindowProc},
    {L"VDKRadioButton", RadioButtonWindowProc},
    {L"VDKKeys", KeysWindowProc},
    {kPageWindowClass, PageWindowProc},
};

}  // namespace

const wchar_t* FieldWindowClassName(FieldWindowClass windowClass) {
    // The field classes come first in the table, in the order of the enum.
    int index = static_cast<int>(windowClass) - static_cast<int>(FieldWindowClass::Entry);
    constexpr int kFieldClasses =
        static_cast<int>(FieldWindowClass::Keys) - static_cast<int>(FieldWindowClass::Entry) + 1;
    return index >= 0 && index < kFieldClasses ? kClasses[index].name : nullptr;
}

CFieldWindowClasses::CFieldWindowClasses(HINSTANCE module) : instance(module) {
    static_assert(std::size(kClasses) == kCount);
    for (int i = 0; i < kCount; ++i) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = kClasses[i].procedure;
        wc.hInstance = instance;
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LARGE));
        wc.hIconSm = SmallClassIcon(instance, IDI_LARGE);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClasses[i].name;
        registered[i] = RegisterClassExW(&wc) != 0;
    }
}

CFieldWindowClasses::~CFieldWindowClasses() {
    for (int i = 0; i < kCount; ++i) {
        if (registered[i]) UnregisterClassW(kClasses[i].name, instance);
    }
}

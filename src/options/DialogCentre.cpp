#include "options/DialogCentre.h"

void CentreDialog(HWND dialog) {
    HWND parent = GetParent(dialog);
    if (!parent) parent = GetDesktopWindow();
    RECT box, area;
    GetWindowRect(dialog, &box);
    GetClientRect(parent, &area);
    int x = ((area.right - area.left) - (box.right - box.left)) / 2;
    int y = ((area.bottom - area.top) - (box.bottom - box.top)) / 2;
    SetWindowPos(dialog, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

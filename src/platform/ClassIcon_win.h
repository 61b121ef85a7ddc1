#pragma once

#include <windows.h>

// The small image of an icon resource, for a window class's hIconSm. A class
// registered with a large icon only gets its small one derived from the
// resource again, which under Wine costs some milliseconds per class at
// every start. Loaded once per resource and kept for the process, as the
// classes that use it are. Window thread only.
HICON SmallClassIcon(HINSTANCE instance, int resourceId);

#include "platform/ClassIcon_win.h"

#include <map>
#include <utility>

HICON SmallClassIcon(HINSTANCE instance, int resourceId) {
    static std::map<std::pair<HINSTANCE, int>, HICON> loaded;
    HICON& icon = loaded[{instance, resourceId}];
    if (!icon) {
        icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
    }
    return icon;
}

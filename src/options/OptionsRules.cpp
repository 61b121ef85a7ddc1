#include "options/OptionsRules.h"

#include <algorithm>

#include "platform/TextCodec.h"

namespace {

constexpr int kFirstToolbarSize = -1;  // Disabled, the first radio button
constexpr size_t kWaterMarkDialogLength = 31;

}  // namespace

int ToolbarRadioFor(int toolbarSize) {
    constexpr int kSize1x = 1;
    if (toolbarSize == -1 || toolbarSize == 1 || toolbarSize == 2) {
        return toolbarSize - kFirstToolbarSize;
    }
    return kSize1x;
}

int ToolbarSizeFromRadios(const std::array<bool, kToolbarRadioCount>& checked) {
    auto first = std::find(checked.begin(), checked.end(), true);
    if (first == checked.end()) return 0;
    return static_cast<int>(first - checked.begin()) + kFirstToolbarSize;
}

std::u16string_view DialogWaterMark(std::u16string_view text) {
    return CutText(text, kWaterMarkDialogLength);
}

int DialogCellWidth(int typed) {
    return std::clamp(typed, 0, 9);
}

#include "toolbar/ActivityDots.h"

#include <array>
#include <vector>

namespace {

const std::array<std::vector<int>, 16> kPatterns = {{
    {28},
    {30},
    {32},
    {34},
    {36},
    {38},
    {28, 32, 38},
    {30, 32, 36},
    {28, 36, 38},
    {28, 32, 36},
    {30, 34},
    {30, 32, 34, 38},
    {28, 30, 32, 34},
    {28, 32, 34, 38},
    {28, 30, 36, 38},
    {28, 30, 32, 34, 36, 38},
}};

}  // namespace

std::span<const int> ActivityDotColumns(int pattern) {
    return kPatterns[static_cast<size_t>(pattern & 15)];
}

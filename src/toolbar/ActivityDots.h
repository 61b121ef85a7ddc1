#pragma once

#include <span>

// The columns, from the host picture's left edge, of the black dots that
// show the host at work; pattern is a random number and only its low four
// bits count.
std::span<const int> ActivityDotColumns(int pattern);

// The row of the host picture that carries the dots.
constexpr int kActivityDotRow = 37;

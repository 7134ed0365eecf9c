// Positions and sizes in pixels.
#pragma once
#include <cstdint>

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;
};

// A rectangle: its top-left corner and its size, as a control's place on
// its form.
struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    // The last column and row inside.
    int32_t Right() const { return x + width - 1; }
    int32_t Bottom() const { return y + height - 1; }
    // The rectangle d pixels inside this one on every side.
    Rect Inset(int32_t d) const { return {x + d, y + d, width - 2 * d, height - 2 * d}; }
};

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

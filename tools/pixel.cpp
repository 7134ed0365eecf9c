// pixel WINDOW_ID X Y
// Prints the colour of one pixel of a window of $DISPLAY as RRGGBB hex.
// WINDOW_ID is decimal, 0x hex, or "root". Exits non-zero on failure.
#include "tools/WindowPixels.h"

int main(int argc, char** argv) {
    tool::ProgramName() = "pixel";
    if (argc != 4) {
        std::fprintf(stderr, "usage: pixel WINDOW_ID X Y\n");
        return 2;
    }
    unsigned long x = 0, y = 0;
    if (!tool::ParseNumber(argv[2], x) || !tool::ParseNumber(argv[3], y)) {
        std::fprintf(stderr, "pixel: bad argument\n");
        return 2;
    }
    Display* d = tool::OpenDisplay();
    if (d == nullptr) return 1;
    Window window = 0;
    XWindowAttributes attributes;
    int status = 1;
    std::vector<unsigned char> rgb;
    if (!tool::ParseWindow(d, argv[1], window)) {
        std::fprintf(stderr, "pixel: bad argument\n");
        status = 2;
    } else if (!tool::GetAttributes(d, window, attributes)) {
    } else if (x >= static_cast<unsigned long>(attributes.width) ||
               y >= static_cast<unsigned long>(attributes.height)) {
        std::fprintf(stderr, "pixel: (%lu, %lu) is outside the %dx%d window\n", x, y, attributes.width,
                     attributes.height);
    } else if (tool::ReadRgb(d, window, attributes, static_cast<int>(x), static_cast<int>(y), 1, 1, rgb)) {
        std::printf("%02X%02X%02X\n", rgb[0], rgb[1], rgb[2]);
        status = 0;
    }
    XCloseDisplay(d);
    return status;
}

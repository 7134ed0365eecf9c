// pixel WINDOW_ID X Y
// Prints the colour of one pixel of a window of $DISPLAY as RRGGBB hex.
// WINDOW_ID is decimal, 0x hex, or "root". Exits non-zero on failure.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool xError = false;

int OnXError(Display* d, XErrorEvent* e) {
    char text[256] = {0};
    XGetErrorText(d, e->error_code, text, sizeof text - 1);
    std::fprintf(stderr, "pixel: X error: %s\n", text);
    xError = true;
    return 0;
}

bool ParseNumber(const std::string& text, unsigned long& value) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char* end = nullptr;
    value = std::strtoul(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    return !text.empty() && text[0] != '-' && end != nullptr && *end == '\0';
}

int Shift(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

unsigned Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    unsigned long max = mask >> Shift(mask);
    return static_cast<unsigned>(((pixel & mask) >> Shift(mask)) * 255 / max);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: pixel WINDOW_ID X Y\n");
        return 2;
    }
    unsigned long x = 0, y = 0, id = 0;
    const std::string which = argv[1];
    if ((which != "root" && (!ParseNumber(which, id) || id == 0)) || !ParseNumber(argv[2], x) ||
        !ParseNumber(argv[3], y)) {
        std::fprintf(stderr, "pixel: bad argument\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "pixel: cannot open display \"%s\"\n", XDisplayName(nullptr));
        return 1;
    }
    XSetErrorHandler(OnXError);
    Window window = which == "root" ? DefaultRootWindow(d) : static_cast<Window>(id);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, window, &attributes) || xError) {
        std::fprintf(stderr, "pixel: no such window\n");
        XCloseDisplay(d);
        return 1;
    }
    if (x >= static_cast<unsigned long>(attributes.width) || y >= static_cast<unsigned long>(attributes.height)) {
        std::fprintf(stderr, "pixel: (%lu, %lu) is outside the %dx%d window\n", x, y, attributes.width,
                     attributes.height);
        XCloseDisplay(d);
        return 1;
    }
    XImage* image = XGetImage(d, window, static_cast<int>(x), static_cast<int>(y), 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        std::fprintf(stderr, "pixel: cannot read the window (unmapped or off the screen?)\n");
        XCloseDisplay(d);
        return 1;
    }
    unsigned long p = XGetPixel(image, 0, 0);
    std::printf("%02X%02X%02X\n", Channel(p, attributes.visual->red_mask), Channel(p, attributes.visual->green_mask),
                Channel(p, attributes.visual->blue_mask));
    XDestroyImage(image);
    XCloseDisplay(d);
    return 0;
}

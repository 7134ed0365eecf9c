// screenshot OUT.png [WINDOW_ID]
// Saves the root window of $DISPLAY (or the given window, decimal or 0x hex)
// as a PNG file. Exits non-zero with a message when it cannot.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/PngFile.h"

namespace {

bool xError = false;

int OnXError(Display* d, XErrorEvent* e) {
    char text[256] = {0};
    XGetErrorText(d, e->error_code, text, sizeof text - 1);
    std::fprintf(stderr, "screenshot: X error: %s\n", text);
    xError = true;
    return 0;
}

bool ParseWindow(Display* d, const std::string& text, Window& window) {
    if (text == "root") {
        window = DefaultRootWindow(d);
        return true;
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    if (text.empty() || end == nullptr || *end != '\0' || value == 0) return false;
    window = static_cast<Window>(value);
    return true;
}

int Shift(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// One 8-bit channel of a pixel under the given mask.
unsigned char Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    unsigned long value = (pixel & mask) >> Shift(mask);
    unsigned long max = mask >> Shift(mask);
    return static_cast<unsigned char>(value * 255 / max);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: screenshot OUT.png [WINDOW_ID]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "screenshot: cannot open display \"%s\"\n", XDisplayName(nullptr));
        return 1;
    }
    XSetErrorHandler(OnXError);
    Window window = DefaultRootWindow(d);
    if (argc == 3 && !ParseWindow(d, argv[2], window)) {
        std::fprintf(stderr, "screenshot: bad window id \"%s\"\n", argv[2]);
        XCloseDisplay(d);
        return 2;
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, window, &attributes) || xError) {
        std::fprintf(stderr, "screenshot: no such window\n");
        XCloseDisplay(d);
        return 1;
    }
    XImage* image = XGetImage(d, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        std::fprintf(stderr, "screenshot: cannot read the window (unmapped or off the screen?)\n");
        XCloseDisplay(d);
        return 1;
    }
    const unsigned long redMask = attributes.visual->red_mask;
    const unsigned long greenMask = attributes.visual->green_mask;
    const unsigned long blueMask = attributes.visual->blue_mask;
    std::vector<unsigned char> rgb(static_cast<size_t>(image->width) * image->height * 3);
    size_t i = 0;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            rgb[i++] = Channel(pixel, redMask);
            rgb[i++] = Channel(pixel, greenMask);
            rgb[i++] = Channel(pixel, blueMask);
        }
    const int w = image->width, h = image->height;
    XDestroyImage(image);
    XCloseDisplay(d);
    if (!WritePng(argv[1], w, h, rgb.data())) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// Shared by the screenshot and pixel commands: reading a window of $DISPLAY
// back as 8-bit red, green, blue, with X errors reported on standard error
// instead of ending the program.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tool {

inline const char*& ProgramName() {
    static const char* name = "tool";
    return name;
}

inline bool& XErrorSeen() {
    static bool seen = false;
    return seen;
}

inline int OnXError(Display* d, XErrorEvent* e) {
    char text[256] = {0};
    XGetErrorText(d, e->error_code, text, sizeof text - 1);
    std::fprintf(stderr, "%s: X error: %s\n", ProgramName(), text);
    XErrorSeen() = true;
    return 0;
}

// A non-negative whole number, decimal or 0x hex.
inline bool ParseNumber(const std::string& text, unsigned long& value) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char* end = nullptr;
    value = std::strtoul(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    return !text.empty() && text[0] != '-' && end != nullptr && *end == '\0';
}

// "root", or a window id other than 0.
inline bool ParseWindow(Display* d, const std::string& text, Window& window) {
    if (text == "root") {
        window = DefaultRootWindow(d);
        return true;
    }
    unsigned long value = 0;
    if (!ParseNumber(text, value) || value == 0) return false;
    window = static_cast<Window>(value);
    return true;
}

// One 8-bit channel of a pixel under the visual's mask.
inline unsigned char Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const unsigned long max = mask >> shift;
    return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / max);
}

// Opens $DISPLAY and installs the error handler; null (with a message) when
// there is no display.
inline Display* OpenDisplay() {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "%s: cannot open display \"%s\"\n", ProgramName(), XDisplayName(nullptr));
        return nullptr;
    }
    XSetErrorHandler(OnXError);
    return d;
}

// The window's attributes; false (with a message) when it does not exist.
inline bool GetAttributes(Display* d, Window window, XWindowAttributes& attributes) {
    if (XGetWindowAttributes(d, window, &attributes) && !XErrorSeen()) return true;
    std::fprintf(stderr, "%s: no such window\n", ProgramName());
    return false;
}

// The w x h area at (x, y) as RGB; false (with a message) when it cannot be read.
inline bool ReadRgb(Display* d, Window window, const XWindowAttributes& attributes, int x, int y, int w, int h,
                    std::vector<unsigned char>& rgb) {
    XImage* image = XGetImage(d, window, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (image == nullptr) {
        std::fprintf(stderr, "%s: cannot read the window (unmapped or off the screen?)\n", ProgramName());
        return false;
    }
    rgb.assign(static_cast<size_t>(w) * h * 3, 0);
    size_t i = 0;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const unsigned long pixel = XGetPixel(image, col, row);
            rgb[i++] = Channel(pixel, attributes.visual->red_mask);
            rgb[i++] = Channel(pixel, attributes.visual->green_mask);
            rgb[i++] = Channel(pixel, attributes.visual->blue_mask);
        }
    XDestroyImage(image);
    return true;
}

} // namespace tool

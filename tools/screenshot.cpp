// screenshot OUT.png [WINDOW_ID]
// Saves the root window of $DISPLAY (or the given window, decimal or 0x hex)
// as a PNG file. Exits non-zero with a message when it cannot.
#include "tools/WindowPixels.h"
#include "tools/png/PngFile.h"

int main(int argc, char** argv) {
    tool::ProgramName() = "screenshot";
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: screenshot OUT.png [WINDOW_ID]\n");
        return 2;
    }
    Display* d = tool::OpenDisplay();
    if (d == nullptr) return 1;
    Window window = DefaultRootWindow(d);
    if (argc == 3 && !tool::ParseWindow(d, argv[2], window)) {
        std::fprintf(stderr, "screenshot: bad window id \"%s\"\n", argv[2]);
        XCloseDisplay(d);
        return 2;
    }
    XWindowAttributes attributes;
    std::vector<unsigned char> rgb;
    const bool read = tool::GetAttributes(d, window, attributes) &&
                      tool::ReadRgb(d, window, attributes, 0, 0, attributes.width, attributes.height, rgb);
    XCloseDisplay(d);
    if (!read) return 1;
    if (!WritePng(argv[1], attributes.width, attributes.height, rgb.data())) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
